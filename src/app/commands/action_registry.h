#pragma once
// Binds the actions of the command table to the program's handlers. An action
// without a handler is disabled wherever it shows, so nothing that is not
// built yet looks as if it worked. Whether a bound action can run comes from
// one snapshot of the situation and the action's needs (core/command_state);
// an update handler adds checks, live captions and rules of its own.
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/action_table.h"
#include "core/command_state.h"
#include "core/menu_layout.h"

namespace quillo {

struct ActionState {
  bool enabled = true;
  bool checked = false;
  std::string caption;  // UTF-8; empty: the table's caption
  std::string hint;     // UTF-8; empty: the table's hint
  // The command still runs from its key or a message while its menu items
  // and button are shown disabled.
  bool runsWhenDisabled = false;

  static ActionState Enabled(bool on) {
    ActionState s;
    s.enabled = on;
    return s;
  }
  static ActionState Checked(bool on) {
    ActionState s;
    s.checked = on;
    return s;
  }
  // Shown enabled or not, but always available to its key.
  static ActionState ShownEnabled(bool on) {
    ActionState s = Enabled(on);
    s.runsWhenDisabled = true;
    return s;
  }
};

class ActionRegistry {
 public:
  using Execute = std::function<void()>;
  using Update = std::function<ActionState()>;

  void Bind(ActionId id, Execute execute, Update update = {});
  bool IsBound(ActionId id) const;

  // Where snapshots come from. Without a source every need counts as met.
  void SetSnapshotSource(std::function<CommandSnapshot()> source);
  // Takes the snapshot the following State() calls use: once per menu
  // opening or timer tick.
  void TakeSnapshot() const;
  ActionState State(ActionId id) const;

  // Runs the action when it is bound and available (or runs when shown
  // disabled), on a fresh snapshot; false otherwise. An error inside a
  // handler is reported as the command's failure in Russian (UserError).
  bool Run(ActionId id);

  // Whether the action's menu items show: unless a rule says otherwise.
  // Any feature may add a rule to any action (the clipboard setting hides
  // some find commands too); every rule must agree. Hidden items still run
  // from their keys and messages while enabled.
  void ShowWhen(ActionId id, std::function<bool()> visible);
  bool Visible(ActionId id) const;

  // Menu items that are not actions: the items of the run-time lists (recent
  // files, bookmarks, printers, plug-in items, …) and the window's own
  // commands (tray, tool bar layout, the percentages of the status bar).
  void BindList(RuntimeList list, std::function<void(int index)> run);
  void BindCommand(CommandId id, std::function<void(int tag)> run);
  // WM_COMMAND from a menu, a button or a message: the action, list item or
  // command with that id. False when the id is nobody's.
  bool RunMenuCommand(int id);

 private:
  struct Handlers {
    Execute execute;
    Update update;
  };
  std::unordered_map<int, Handlers> handlers_;
  std::unordered_map<int, std::vector<std::function<bool()>>> visibility_;
  std::unordered_map<int, std::function<void(int)>> lists_;     // by RuntimeList
  std::unordered_map<int, std::function<void(int)>> commands_;  // by CommandId
  std::function<CommandSnapshot()> source_;
  mutable CommandSnapshot snapshot_;
};

}  // namespace quillo

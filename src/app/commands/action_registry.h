#pragma once
// Binds the actions of the command table to the program's handlers. An action
// without a handler is disabled wherever it shows, and its key is left to the
// control, so nothing that is not built yet looks as if it worked.
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/action_table.h"

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
  ActionState State(ActionId id) const;
  // Runs the action when it is bound and enabled (or runs when disabled);
  // false otherwise.
  bool Run(ActionId id);

 private:
  struct Handlers {
    Execute execute;
    Update update;
  };
  std::unordered_map<int, Handlers> handlers_;
};

}  // namespace quillo

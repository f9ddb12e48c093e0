#pragma once
// Whether a command can run now, as a pure function of one snapshot of the
// situation. The snapshot is taken once per menu opening, timer tick or
// command run, so no command asks the editor by itself.
#include <cstdint>
#include <span>

#include "core/action_table.h"

namespace quillo {

struct CommandSnapshot {
  bool hasSelection = false;
  bool hasText = false;        // at least one line
  bool hasFileName = false;
  bool modified = false;
  bool canUndo = false;
  bool canRedo = false;
  bool clipboardHasText = false;
  bool hasLink = false;        // a link was clicked
  bool hasLastChange = false;  // a place to go back to
  bool hasWordAtCaret = false;
  bool readOnly = false;
};

// What an action needs of the snapshot before it can run.
enum CommandNeed : std::uint32_t {
  kNeedNothing = 0,
  kNeedSelection = 1u << 0,
  kNeedText = 1u << 1,
  kNeedFileName = 1u << 2,
  kNeedUndo = 1u << 3,
  kNeedRedo = 1u << 4,
  kNeedClipboardText = 1u << 5,
  kNeedLink = 1u << 6,
  kNeedLastChange = 1u << 7,
  kNeedWordAtCaret = 1u << 8,
  // Something to save: no file name yet, or unsaved changes.
  kNeedSomethingToSave = 1u << 9,
};

// The needs of an action; kNeedNothing for those that can always run.
std::uint32_t NeedsOf(ActionId id);

// Every need the snapshot meets.
std::uint32_t NeedsMet(const CommandSnapshot& snapshot);

inline bool IsAvailable(ActionId id, const CommandSnapshot& snapshot) {
  return (NeedsOf(id) & ~NeedsMet(snapshot)) == 0;
}

// Actions whose menu items and buttons follow their needs while their key
// and the command messages run them regardless (Save: "Сохранить все" sends
// the save message to every window).
bool RunsWhenUnavailable(ActionId id);

}  // namespace quillo

// Availability of commands as a function of one snapshot.
#include "core/command_state.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

CommandSnapshot Everything() {
  CommandSnapshot s;
  s.hasSelection = s.hasText = s.hasFileName = s.modified = s.canUndo = s.canRedo = true;
  s.clipboardHasText = s.hasLink = s.hasLastChange = s.hasWordAtCaret = true;
  return s;
}

TEST(CommandState, EveryActionCanRunWhenEveryNeedIsMet) {
  for (const ActionInfo& action : Actions())
    EXPECT_TRUE(IsAvailable(action.id, Everything())) << action.name;
}

// Each fact of the snapshot matters to some action, and taking it away
// disables only actions that declared the need.
TEST(CommandState, EachFactDisablesOnlyTheActionsThatNeedIt) {
  bool CommandSnapshot::*facts[] = {
      &CommandSnapshot::hasSelection,   &CommandSnapshot::hasText,
      &CommandSnapshot::hasFileName,    &CommandSnapshot::canUndo,
      &CommandSnapshot::canRedo,        &CommandSnapshot::clipboardHasText,
      &CommandSnapshot::hasLink,        &CommandSnapshot::hasLastChange,
      &CommandSnapshot::hasWordAtCaret,
  };
  for (auto fact : facts) {
    CommandSnapshot s = Everything();
    s.*fact = false;
    std::uint32_t lost = NeedsMet(Everything()) & ~NeedsMet(s);
    int disabled = 0;
    for (const ActionInfo& action : Actions()) {
      if (IsAvailable(action.id, s)) continue;
      ++disabled;
      EXPECT_NE(NeedsOf(action.id) & lost, 0u) << action.name;
    }
    EXPECT_GT(disabled, 0);
  }
}

TEST(CommandState, AFreshEmptyDocument) {
  CommandSnapshot empty;
  for (ActionId id : {ActionId::EditUndo, ActionId::EditCut, ActionId::EditCopy,
                      ActionId::EditGoToLine, ActionId::EditDeleteLine, ActionId::FileUpdate,
                      ActionId::FindGoToBack, ActionId::EditPaste})
    EXPECT_FALSE(IsAvailable(id, empty)) << GetAction(id).name;
  // No name yet: there is something to save, and typing and opening work.
  for (ActionId id : {ActionId::FileSave, ActionId::FileSaveAs, ActionId::FileOpen, ActionId::FileNew})
    EXPECT_TRUE(IsAvailable(id, empty)) << GetAction(id).name;
}

// The appending commands run when the command they extend runs; swapping
// needs both copying and pasting. Whole-text commands need text only.
TEST(CommandState, ClipboardCommandsFollowTheCommandsTheyExtend) {
  for (int bits = 0; bits < 8; ++bits) {
    CommandSnapshot s;
    s.hasSelection = bits & 1;
    s.clipboardHasText = bits & 2;
    s.hasText = bits & 4;
    auto on = [&](ActionId id) { return IsAvailable(id, s); };
    EXPECT_EQ(on(ActionId::EditCutAdd), on(ActionId::EditCut)) << bits;
    EXPECT_EQ(on(ActionId::EditCopyAdd), on(ActionId::EditCopy)) << bits;
    EXPECT_EQ(on(ActionId::EditSwapClipbrd), on(ActionId::EditCopy) && on(ActionId::EditPaste)) << bits;
    EXPECT_EQ(on(ActionId::FileSaveClipbrd), on(ActionId::EditPaste)) << bits;
    EXPECT_EQ(on(ActionId::FileNewFromClipbrd), on(ActionId::EditPaste)) << bits;
    EXPECT_EQ(on(ActionId::EditCopyAll), s.hasText) << bits;
    EXPECT_EQ(on(ActionId::EditCutAll), s.hasText) << bits;
  }
}

TEST(CommandState, SaveFollowsTheNameAndTheChanges) {
  CommandSnapshot saved;
  saved.hasFileName = true;
  EXPECT_FALSE(IsAvailable(ActionId::FileSave, saved));
  saved.modified = true;
  EXPECT_TRUE(IsAvailable(ActionId::FileSave, saved));
  EXPECT_TRUE(RunsWhenUnavailable(ActionId::FileSave));
  EXPECT_FALSE(RunsWhenUnavailable(ActionId::EditCut));
}

}  // namespace
}  // namespace quillo

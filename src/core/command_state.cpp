#include "core/command_state.h"

#include <algorithm>

namespace quillo {
namespace {

struct ActionNeeds {
  ActionId id;
  std::uint32_t needs;
};

constexpr ActionNeeds kNeeds[] = {
    {ActionId::FileSave, kNeedSomethingToSave},
    {ActionId::FileSaveUnderNewName, kNeedFileName},
    {ActionId::FileUpdate, kNeedFileName},
    {ActionId::FileDelete, kNeedFileName},
    {ActionId::FileExecute, kNeedFileName},
    {ActionId::FileOpenFolder, kNeedFileName},
    {ActionId::FileProperties, kNeedFileName},
    {ActionId::FileSaveSelText, kNeedSelection},
    {ActionId::PrintSelText, kNeedSelection},
    {ActionId::EditUndo, kNeedUndo},
    {ActionId::EditRedo, kNeedRedo},
    {ActionId::EditCut, kNeedSelection},
    {ActionId::EditCopy, kNeedSelection},
    {ActionId::EditDelete, kNeedSelection},
    {ActionId::EditNoSelText, kNeedSelection},
    {ActionId::EditPaste, kNeedClipboardText},
    {ActionId::URLGoToLink, kNeedLink},
    {ActionId::URLCopyLink, kNeedLink},
    {ActionId::FindClipbrd, kNeedClipboardText},
    {ActionId::FindClipbrdNoDlgCur, kNeedClipboardText},
    {ActionId::FindClipbrdNoDlg, kNeedClipboardText},
    {ActionId::FindSelTextNoDlg, kNeedSelection},
    {ActionId::FindWordAtCaretNoDlg, kNeedWordAtCaret},
    {ActionId::EditGoToLine, kNeedText},
    {ActionId::FindGoToBack, kNeedLastChange},
    {ActionId::EditDeleteLine, kNeedText},
    {ActionId::EditDeleteAll, kNeedText},
    {ActionId::EditCutAdd, kNeedSelection},
    {ActionId::EditCopyAdd, kNeedSelection},
    {ActionId::EditSwapClipbrd, kNeedSelection | kNeedClipboardText},
    {ActionId::EditCopyAll, kNeedText},
    {ActionId::EditCutAll, kNeedText},
    {ActionId::EditCopyFileName, kNeedFileName},
    {ActionId::FileSaveClipbrd, kNeedClipboardText},
    {ActionId::FileNewFromClipbrd, kNeedClipboardText},
};

}  // namespace

std::uint32_t NeedsOf(ActionId id) {
  auto it = std::find_if(std::begin(kNeeds), std::end(kNeeds),
                         [id](const ActionNeeds& row) { return row.id == id; });
  return it == std::end(kNeeds) ? kNeedNothing : it->needs;
}

std::uint32_t NeedsMet(const CommandSnapshot& s) {
  std::uint32_t met = kNeedNothing;
  auto meet = [&met](bool fact, CommandNeed need) {
    if (fact) met |= need;
  };
  meet(s.hasSelection, kNeedSelection);
  meet(s.hasText, kNeedText);
  meet(s.hasFileName, kNeedFileName);
  meet(s.canUndo, kNeedUndo);
  meet(s.canRedo, kNeedRedo);
  meet(s.clipboardHasText, kNeedClipboardText);
  meet(s.hasLink, kNeedLink);
  meet(s.hasLastChange, kNeedLastChange);
  meet(s.hasWordAtCaret, kNeedWordAtCaret);
  meet(!s.hasFileName || s.modified, kNeedSomethingToSave);
  return met;
}

bool RunsWhenUnavailable(ActionId id) { return id == ActionId::FileSave; }

}  // namespace quillo

#include "core/command_messages.h"

namespace quillo {
namespace {

using A = ActionId;
using M = CommandMessage;

MessagePlan Run(ActionId action) { return {MessageEffect::kRun, action}; }

MessagePlan Toggle(ActionId action, bool on) {
  MessagePlan plan{MessageEffect::kSetToggle, action};
  plan.on = on;
  return plan;
}

// A 32-bit sender's signed count arrives in the low 32 bits.
int SignedCount(std::uint64_t wParam) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam));
}

// Only bits 0-7 count; a value whose low byte is 0 is "off".
bool LowByteOn(std::uint64_t wParam) { return (wParam & 0xFF) != 0; }

MessagePlan Repeated(ActionId action, std::uint64_t wParam) {
  MessagePlan plan{MessageEffect::kRunRepeated, action};
  plan.count = SignedCount(wParam);
  return plan;
}

}  // namespace

std::optional<MessagePlan> PlanCommandMessage(unsigned message, std::uint64_t wParam,
                                              std::uint64_t lParam) {
  if (message < kFirstCommandMessage || message > kLastCommandMessage) return std::nullopt;
  switch (static_cast<CommandMessage>(message)) {
    case M::FileNew: return Run(A::FileNew);
    case M::FileNewWindow: return Run(A::FileNewWindow);
    case M::FileOpen: {
      if (wParam == 0) return Run(A::FileOpen);
      MessagePlan plan{MessageEffect::kOpenRecent};
      // An index beyond any list is simply not there.
      plan.index = wParam > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(wParam);
      return plan;
    }
    case M::FileOpenNewWindow: return Run(A::FileOpenNewWindow);
    case M::FileSave:
      switch (wParam) {
        case 0: return Run(A::FileSave);
        case 2: return Run(A::FileSaveInDosCod);
        case 3: return Run(A::FileSaveInKoiCod);
        default: return Run(A::FileSaveInWinCod);
      }
    case M::FileSaveAs:
    case M::FileSaveAs2: return Run(A::FileSaveAs);
    case M::FileInsertFrom: return Run(A::FileInsertFrom);
    case M::PageSetup: return Run(A::PrintPageDlg);
    case M::Print: return Run(wParam == 0 ? A::Print : A::PrintSelText);
    case M::Undo: return Repeated(A::EditUndo, wParam);
    case M::Redo: return Repeated(A::EditRedo, wParam);
    case M::Cut: return Run(A::EditCut);
    case M::CutAdd: return Run(A::EditCutAdd);
    case M::Copy: return Run(A::EditCopy);
    case M::CopyAdd: return Run(A::EditCopyAdd);
    case M::Paste: return Run(A::EditPaste);
    case M::SwapClipboard: return Run(A::EditSwapClipbrd);
    case M::Delete: return Run(A::EditDelete);
    case M::SelectAll: return Run(A::EditSelectAll);
    case M::Find:
    case M::Find2: return Run(A::FindFind);
    case M::FindNext: return Run(A::FindFindNext);
    case M::GoToLine: return Run(A::EditGoToLine);
    case M::AutoCodePage: return Toggle(A::CodAutoOpt, LowByteOn(wParam));
    case M::DetectCodePage: return Run(A::CodAuto);
    case M::CodePage:
      switch (wParam) {
        case 1: return Run(A::CodDOS);
        case 2: return Run(A::CodKOI);
        default: return Run(A::CodWIN);
      }
    case M::BookmarkAdd: return Run(A::BMAdd);
    case M::BookmarkDelete: return Run(A::BMDelete);
    case M::WordWrap: {
      MessagePlan plan{MessageEffect::kSetWordWrap};
      plan.on = LowByteOn(wParam);
      return plan;
    }
    case M::ToolBar: return Toggle(A::OptToolBar, LowByteOn(wParam));
    case M::StatusBar: return Toggle(A::OptStatusBar, LowByteOn(wParam));
    case M::FullScreen: return Toggle(A::OptFullScreen, LowByteOn(wParam));
    case M::Font: {
      static constexpr ActionId kPresets[] = {A::OptFont1, A::OptFont2, A::OptFont3, A::OptFont4};
      if (wParam == 0) return Run(A::OptFont);
      // There are four presets; another number names none and runs nothing.
      if (wParam > 4) return MessagePlan{};
      return MessagePlan{MessageEffect::kFontPreset, kPresets[wParam - 1]};
    }
    case M::Background: {
      if (wParam == 0) return Run(A::OptBackground);
      MessagePlan plan{MessageEffect::kSetBackground};
      plan.color = static_cast<Color>(lParam & 0xFFFFFF);
      return plan;
    }
    case M::Options: return Run(A::Options);
    case M::ReadOnly: return Toggle(A::OptReadOnly, LowByteOn(wParam));
  }
  return std::nullopt;
}

}  // namespace quillo

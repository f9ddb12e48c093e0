// Going to a line, a line and column or a percentage of the document, and
// back to the place of the last change.
#include <windows.h>

#include "app/platform/input_box.h"
#include "app/window/main_form.h"
#include "core/goto_input.h"

namespace quillo {

// The caret goes to the target brought into the text; the empty line after
// a final line break counts as a line here.
void MainForm::MoveCaretTo(CaretTarget target) {
  HWND edit = editor_.Handle();
  auto lineCount = static_cast<std::int64_t>(SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
  CaretTarget inside = ClampCaretTarget(target, lineCount, [edit](std::int64_t line) {
    LRESULT start = SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    return static_cast<std::int64_t>(start < 0 ? 0 : SendMessageW(edit, EM_LINELENGTH, start, 0));
  });
  editor_.SetCaretPos({static_cast<int>(inside.column), static_cast<int>(inside.line)});
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void MainForm::EditGoToLine() {
  CaretPos caret = editor_.GetCaretPos();
  CaretTarget current{caret.column, caret.line};
  std::string text = GoToPromptText(current);
  if (ShowInputBox(hwnd_, "Переход к строке", "Введите номер строки и символа, например: 15:3, 52%",
                   text)) {
    if (auto target = GoToInputTarget(text, current, editor_.LineCount())) MoveCaretTo(*target);
  }
  UpdateStatusBar();
}

void MainForm::GoToPercent(int percent) {
  MoveCaretTo({0, GoToPercentLine(editor_.LineCount(), percent)});
}

void MainForm::GoToPercentClick(int tag) {
  GoToPercent(tag);
  UpdateStatusBar();
}

void MainForm::FindGoToBack() {
  if (lastChangePos_ < 0) return;
  editor_.SetSelStart(lastChangePos_);
  SendMessageW(editor_.Handle(), EM_SCROLLCARET, 0, 0);
}

void MainForm::BindGoToActions() {
  actions_.Bind(ActionId::EditGoToLine, [this] { EditGoToLine(); },
                [this] { return ActionState::Enabled(editor_.LineCount() > 0); });
  actions_.Bind(ActionId::FindGoToBack, [this] { FindGoToBack(); },
                [this] { return ActionState::Enabled(lastChangePos_ >= 0); });
}

}  // namespace quillo

#include "app/find/goto_commands.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/platform/input_box.h"
#include "app/window/status_view.h"

namespace quillo {

void GoToCommands::Bind(ActionRegistry& a) {
  a.Bind(ActionId::EditGoToLine, [this] { GoToLine(); });
  a.Bind(ActionId::FindGoToBack, [this] { GoBack(); });
  a.BindCommand(CommandId::GoToPercent0, [this](int percent) { GoToPercent(percent); });
}

// The caret goes to the target brought into the text; the empty line after
// a final line break counts as a line here.
void GoToCommands::MoveCaretTo(CaretTarget target) {
  const MyRichEdit& editor = ctx_.editor;
  auto lineCount = static_cast<std::int64_t>(editor.RowCount());
  CaretTarget inside = ClampCaretTarget(target, lineCount, [&editor](std::int64_t line) {
    int start = editor.RowStart(static_cast<int>(line));
    return static_cast<std::int64_t>(start < 0 ? 0 : editor.RowLengthAt(start));
  });
  ctx_.editor.SetCaretPos({static_cast<int>(inside.column), static_cast<int>(inside.line)});
  ctx_.editor.ScrollCaret();
}

void GoToCommands::GoToLine() {
  CaretPos caret = ctx_.editor.GetCaretPos();
  CaretTarget current{caret.column, caret.line};
  std::string text = GoToPromptText(current);
  if (ShowInputBox(ctx_.window, "Переход к строке", "Введите номер строки и символа, например: 15:3, 52%", text)) {
    if (auto target = GoToInputTarget(text, current, ctx_.editor.LineCount())) MoveCaretTo(*target);
  }
  ctx_.status.Update();
}

void GoToCommands::GoToPercent(int percent) {
  MoveCaretTo({0, GoToPercentLine(ctx_.editor.LineCount(), percent)});
  ctx_.status.Update();
}

void GoToCommands::GoBack() {
  int pos = ctx_.document.LastChangePos();
  if (pos < 0) return;
  ctx_.editor.SetSelStart(pos);
  ctx_.editor.ScrollCaret();
}

}  // namespace quillo

#include "app/editor/text_frame.h"

#include <windows.h>

#include "core/line_ops.h"

namespace quillo {

void ReplaceSelection(MyRichEdit& editor, std::string_view text) {
  editor.SetSelText(text);
  editor.SetSelStart(editor.SelStart() + editor.SelLength());
}

void TransformSelectionOrText(MyRichEdit& editor, const TextTransform& transform) {
  RussianLayoutScope layout(editor);
  if (editor.SelLength() != 0) {
    ReplaceSelection(editor, transform(editor.SelText()));
    return;
  }
  editor.ReplaceAllText(transform(editor.ControlText()));
}

void TransformSelectionOrScroll(MyRichEdit& editor, const TextTransform& transform, int scrollCode) {
  RussianLayoutScope layout(editor);
  if (editor.SelLength() != 0)
    ReplaceSelection(editor, transform(editor.SelText()));
  else
    editor.ScrollText(scrollCode);
}

void InsertAtCaret(MyRichEdit& editor, std::string_view text) {
  RussianLayoutScope layout(editor);
  ReplaceSelection(editor, text);
}

void DeleteCaretLine(MyRichEdit& editor) {
  // The whole logical line: the control's own line text stops at 4096
  // characters and, with word wrap, at the end of the visual line.
  int caret = editor.SelStart() + editor.SelLength();
  TextSpan span = LineDeletionSpan(editor.ControlText(), static_cast<size_t>(caret));
  int start = static_cast<int>(span.start);
  editor.SetSelection(start, start + static_cast<int>(span.length));
  editor.SetSelText({});
}

void DeleteAllText(MyRichEdit& editor) {
  editor.SelectAll();
  editor.SetSelText({});
}

}  // namespace quillo

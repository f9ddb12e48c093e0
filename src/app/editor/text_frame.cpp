#include "app/editor/text_frame.h"

#include <windows.h>

#include "core/line_ops.h"
#include "core/shown_text.h"

namespace quillo {

void ReplaceSelection(MyRichEdit& editor, std::string_view text) {
  editor.SetSelText(text);
  editor.SetSelStart(editor.SelStart() + editor.SelLength());
}

namespace {

// The command acts on the selection's copy; only what it changed goes back.
void TransformSelection(MyRichEdit& editor, const TextTransform& transform) {
  editor.MergeSelText(transform(editor.SelText()), StandIns::Keep);
  editor.SetSelStart(editor.SelStart() + editor.SelLength());
}

}  // namespace

void TransformSelectionOrText(MyRichEdit& editor, const TextTransform& transform) {
  RussianLayoutScope layout(editor);
  if (editor.SelLength() != 0) {
    TransformSelection(editor, transform);
    return;
  }
  const std::u16string control = editor.ControlTextWide();
  const std::string held = Win1251FromShown(control, editor.CodePage());
  editor.ReplaceAllText(control, held, transform(held), StandIns::Keep);
}

void TransformSelectionOrScroll(MyRichEdit& editor, const TextTransform& transform, int scrollCode) {
  RussianLayoutScope layout(editor);
  if (editor.SelLength() != 0)
    TransformSelection(editor, transform);
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

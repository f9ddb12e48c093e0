#pragma once
// How the text commands take text from the editor and put the result back:
// the selection when there is one, else the whole document, always inside
// the Russian-layout bracket.
#include <functional>
#include <string>
#include <string_view>

#include "app/editor/rich_edit.h"
#include "app/editor/russian_layout.h"

namespace quillo {

// Text in, text out; line breaks are single CRs, as the control holds them.
using TextTransform = std::function<std::string(std::string_view)>;

// Replaces the selection by `text` and leaves the caret after it, with
// nothing selected. Call inside the bracket.
void ReplaceSelection(MyRichEdit& editor, std::string_view text);

// The selection, or the whole text when nothing is selected, replaced by
// its transform inside the bracket. A whole-text change is one undo step
// and the caret keeps its line and column.
void TransformSelectionOrText(MyRichEdit& editor, const TextTransform& transform);

// Only the selection is transformed; with none, the view is scrolled by
// `scrollCode` (SB_LINEUP, SB_LINEDOWN) and the text is left alone.
void TransformSelectionOrScroll(MyRichEdit& editor, const TextTransform& transform, int scrollCode);

// Inserts `text` in place of the selection, caret after it, inside the bracket.
void InsertAtCaret(MyRichEdit& editor, std::string_view text);

// Deletes the line that holds the caret with its line break, however long
// the line is; the last line, which has no break, loses only its text.
void DeleteCaretLine(MyRichEdit& editor);

// Deletes the whole text as one undoable edit.
void DeleteAllText(MyRichEdit& editor);

}  // namespace quillo

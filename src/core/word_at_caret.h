#pragma once
// Words as the editor's word commands see them. Text is Windows-1251 bytes
// indexed the way the editor control indexes it.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/word_delimiters.h"

namespace quillo {

// The word that ends at or runs through the caret at index caret: empty when
// the character just before the caret is a delimiter or there is none.
std::string WordAtCaret(std::string_view text, std::ptrdiff_t caret);

// The word at the caret as the quick search takes it: from the start of the
// word at (or, on a delimiter, before) the caret to the end of that word,
// words ending at the same delimiters as WordAtCaret, so no punctuation
// comes along. The editor control's own word breaks would do the same, but
// Wine's control does not report them.
std::string WordAtCursor(std::string_view text, std::ptrdiff_t caret);

// Lines of a text whose breaks are single '\r' characters, not counting the
// empty line behind a trailing break: "" has 0 lines, "a\r" has 1.
int CountLines(std::string_view controlText);

}  // namespace quillo

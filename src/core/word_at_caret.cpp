#include "core/word_at_caret.h"

#include <algorithm>

namespace quillo {

std::string WordAtCaret(std::string_view text, std::ptrdiff_t caret) {
  const auto size = static_cast<std::ptrdiff_t>(text.size());
  if (caret < 1 || caret > size) return {};
  auto at = [&](std::ptrdiff_t i) { return static_cast<unsigned char>(text[i]); };
  if (IsWordDelimiter(at(caret - 1))) return {};
  std::ptrdiff_t begin = caret - 1;
  while (begin > 0 && !IsWordDelimiter(at(begin - 1))) --begin;
  std::ptrdiff_t end = caret;
  while (end < size && !IsWordDelimiter(at(end))) ++end;
  return std::string(text.substr(begin, end - begin));
}

std::string WordAtCursor(std::string_view text, std::ptrdiff_t caret) {
  const auto size = static_cast<std::ptrdiff_t>(text.size());
  caret = std::max<std::ptrdiff_t>(0, std::min(caret, size));
  auto isDelimiter = [&](std::ptrdiff_t i) { return IsWordDelimiter(static_cast<unsigned char>(text[i])); };
  std::ptrdiff_t start = caret;
  if (start == size || isDelimiter(start)) {
    // Not on a word: back over the delimiters to the word before them.
    while (start > 0 && isDelimiter(start - 1)) --start;
  }
  while (start > 0 && !isDelimiter(start - 1)) --start;
  // No word before (the text's start): the first word after.
  while (start < size && isDelimiter(start)) ++start;
  std::ptrdiff_t end = start;
  while (end < size && !isDelimiter(end)) ++end;
  return std::string(text.substr(start, end - start));
}

int CountLines(std::string_view controlText) {
  if (controlText.empty()) return 0;
  int lines = 1;
  for (char ch : controlText)
    if (ch == '\r') ++lines;
  if (controlText.back() == '\r') --lines;
  return lines;
}

}  // namespace quillo

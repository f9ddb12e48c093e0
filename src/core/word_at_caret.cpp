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

namespace {

bool IsBreak(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

}  // namespace

std::string WordAtCursor(std::string_view text, std::ptrdiff_t caret) {
  const auto size = static_cast<std::ptrdiff_t>(text.size());
  caret = std::max<std::ptrdiff_t>(0, std::min(caret, size));
  std::ptrdiff_t start = 0;
  if (caret > 0) {
    start = caret;
    if (start < size && IsBreak(text[start])) {
      // On a break: back over the breaks to the word before them.
      while (start > 0 && IsBreak(text[start - 1])) --start;
    }
    while (start > 0 && !IsBreak(text[start - 1])) --start;
  }
  while (start < size && IsBreak(text[start])) ++start;
  std::ptrdiff_t end = caret;
  while (end < size && !IsBreak(text[end])) ++end;
  if (end <= start) return {};
  std::string word(text.substr(start, end - start));
  size_t b = word.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return word.substr(b, word.find_last_not_of(' ') - b + 1);
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

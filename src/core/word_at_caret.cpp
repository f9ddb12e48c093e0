#include "core/word_at_caret.h"

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

int CountLines(std::string_view controlText) {
  if (controlText.empty()) return 0;
  int lines = 1;
  for (char ch : controlText)
    if (ch == '\r') ++lines;
  if (controlText.back() == '\r') --lines;
  return lines;
}

}  // namespace quillo

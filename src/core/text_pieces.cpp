#include "core/text_pieces.h"

#include <algorithm>

namespace quillo {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A cut before text[at] would split CR LF or a surrogate pair.
bool SplitsUnit(std::u16string_view text, size_t at) {
  if (at == 0 || at >= text.size()) return false;
  return (text[at - 1] == u'\r' && text[at] == u'\n') ||
         (IsHighSurrogate(text[at - 1]) && IsLowSurrogate(text[at]));
}

}  // namespace

size_t NextPieceEnd(std::u16string_view text, size_t from, size_t want) {
  if (from >= text.size()) return text.size();
  const size_t limit = std::min(text.size(), from + std::max<size_t>(want, 1));
  if (limit == text.size()) return limit;
  // The last line break in the piece: LF of CR LF, or a lone CR or LF.
  for (size_t at = limit; at > from; --at) {
    const char16_t c = text[at - 1];
    if (c == u'\n' || (c == u'\r' && text[at] != u'\n')) return at;
  }
  size_t end = limit;
  while (end > from + 1 && SplitsUnit(text, end)) --end;
  // A piece of a single unit that would split: take the pair whole.
  if (SplitsUnit(text, end)) ++end;
  return end;
}

size_t NextPieceSize(size_t lastSize, double lastSeconds, double targetSeconds, size_t minimum,
                     size_t maximum) {
  double next = static_cast<double>(maximum);
  if (lastSeconds > 0) next = static_cast<double>(lastSize) * targetSeconds / lastSeconds;
  // Grow at most fourfold at a time: one fast piece says little.
  next = std::min(next, static_cast<double>(lastSize) * 4);
  next = std::clamp(next, static_cast<double>(minimum), static_cast<double>(maximum));
  return static_cast<size_t>(next);
}

int LoadedPercent(size_t loaded, size_t total) {
  if (total == 0 || loaded >= total) return 100;
  return static_cast<int>(static_cast<unsigned long long>(loaded) * 100 / total);
}

}  // namespace quillo

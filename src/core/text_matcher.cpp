#include "core/text_matcher.h"

#include <utility>

#include "core/letter_case.h"
#include "core/search_chars.h"

namespace quillo {

TextMatcher::TextMatcher(std::string_view pattern, SearchOptions options)
    : pattern_(pattern), options_(options) {}

void TextMatcher::MatchUnits(std::u16string pattern_units, std::u16string_view text_units) {
  pattern_units_ = std::move(pattern_units);
  text_units_ = text_units;
}

bool TextMatcher::SameUnits(std::string_view text, std::size_t at) const {
  if (pattern_units_.size() != pattern_.size()) return true;
  for (std::size_t k = 0; k < pattern_.size(); ++k) {
    if (pattern_[k] != '?' && text[at + k] != '?') continue;
    if (at + k >= text_units_.size() || pattern_units_[k] != text_units_[at + k]) return false;
  }
  return true;
}

bool TextMatcher::SameByte(unsigned char pattern_byte, unsigned char text_byte) const {
  if (options_.match_case) return pattern_byte == text_byte;
  return LowerOf(pattern_byte) == LowerOf(text_byte);
}

bool TextMatcher::IsWordBoundary(int byte) const {
  return byte == kNoByte || !IsSearchWordChar(static_cast<unsigned char>(byte));
}

std::int64_t TextMatcher::FindForward(std::string_view text, std::int64_t start) const {
  if (start <= 0) return FindForward(text, 0, kNoByte);
  if (static_cast<std::uint64_t>(start) > text.size()) return -1;
  return FindForward(text, start, static_cast<unsigned char>(text[start - 1]));
}

std::int64_t TextMatcher::FindForward(std::string_view text, std::int64_t start,
                                      int byte_before_start) const {
  const std::size_t length = pattern_.size();
  if (length == 0 || length > text.size()) return -1;
  if (start < 0) start = 0;
  const std::size_t first = static_cast<std::size_t>(start);
  const std::size_t last = text.size() - length;
  const auto first_pattern_byte = static_cast<unsigned char>(pattern_[0]);

  for (std::size_t at = first; at <= last; ++at) {
    if (!SameByte(first_pattern_byte, static_cast<unsigned char>(text[at]))) continue;
    std::size_t k = 1;
    while (k < length && SameByte(static_cast<unsigned char>(pattern_[k]),
                                  static_cast<unsigned char>(text[at + k])))
      ++k;
    if (k < length || !SameUnits(text, at)) continue;
    if (options_.whole_word) {
      const int before = at == first ? byte_before_start : static_cast<unsigned char>(text[at - 1]);
      const int after = at + length < text.size() ? static_cast<unsigned char>(text[at + length]) : kNoByte;
      if (!IsWordBoundary(before) || !IsWordBoundary(after)) continue;
    }
    return static_cast<std::int64_t>(at);
  }
  return -1;
}

}  // namespace quillo

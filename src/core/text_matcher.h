#pragma once
// Forward text search on Windows-1251 text, made to find what the editor
// control's own search (EM_FINDTEXTEX) finds, so that a whole document can be
// searched in memory instead of through the control.
//
// Indexes are those of the control: a line break is one character, '\r'.
// Text taken with "\r\n" breaks must be converted before it is searched.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillo {

struct SearchOptions {
  bool match_case = false;
  bool whole_word = false;
};

class TextMatcher {
 public:
  // No byte precedes the start of the text.
  static constexpr int kNoByte = -1;

  // Without match case, letters are compared through their lower-case
  // partners (Latin, Russian with Ё/ё, the other Cyrillic letters of the
  // code page). With whole word, an occurrence counts only when the byte
  // before it and the byte after it are not word characters
  // (IsSearchWordChar); the text's start and end are no characters. The
  // pattern's own first and last bytes are not tested.
  TextMatcher(std::string_view pattern, SearchOptions options);

  // For a search over a Windows-1251 copy of the control's text (one byte
  // per UTF-16 unit, '?' where the copy cannot hold the character): where
  // the pattern's copy or the text's copy has '?', the units themselves
  // must be equal, so a character Windows-1251 lacks is found as itself,
  // never as a '?' nor by one. `text_units` must outlive the searches and
  // be the unit form of every text searched.
  void MatchUnits(std::u16string pattern_units, std::u16string_view text_units);

  const std::string& Pattern() const { return pattern_; }
  const SearchOptions& Options() const { return options_; }

  // Index of the first occurrence that begins at or after `start`, or -1.
  // An empty pattern is never found. A negative start counts as 0.
  std::int64_t FindForward(std::string_view text, std::int64_t start) const;

  // The same, but an occurrence that begins exactly at `start` is judged by
  // the whole-word test as if `byte_before_start` (or kNoByte) stood before
  // it. This lets a search over an old text stand in for a search over a
  // text whose part before `start` has been rewritten.
  std::int64_t FindForward(std::string_view text, std::int64_t start, int byte_before_start) const;

 private:
  bool SameByte(unsigned char pattern_byte, unsigned char text_byte) const;
  bool IsWordBoundary(int byte) const;
  bool SameUnits(std::string_view text, std::size_t at) const;

  std::string pattern_;
  SearchOptions options_;
  std::u16string pattern_units_;
  std::u16string_view text_units_;
};

}  // namespace quillo

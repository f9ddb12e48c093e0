#include "core/text_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/replace_all.h"
#include "core/shown_text.h"

namespace quillo {
namespace {

struct SearchCase {
  const char* text;
  const char* pattern;
  std::int64_t start;
  bool backward;
  bool wholeWord;
  std::int64_t found;
};

TEST(TextSearch, BothDirections) {
  const SearchCase cases[] = {
      {"word Word xword", "word", 0, false, false, 0},
      {"word Word xword", "word", 1, false, false, 5},
      {"word Word xword", "word", 1, false, true, 5},
      {"word Word xword", "word", 6, false, true, -1},
      // Backward: the nearest occurrence that begins at or before the start.
      {"word Word xword", "word", 14, true, false, 11},
      {"word Word xword", "word", 10, true, false, 5},
      {"word Word xword", "word", 14, true, true, 5},
      {"wordword", "word", 3, true, false, 0},
      {"word", "word", 0, true, false, 0},
      {"word", "word", -1, true, false, -1},
      {"aaaa", "aa", 1, true, false, 1},
      {"word", "word", 99, true, false, 0},
      // The byte after an occurrence near the start still counts for whole word.
      {"xx wordy word", "word", 3, true, true, -1},
      {"xx wordy word", "word", 9, true, true, 9},
      {"", "word", 0, true, false, -1},
  };
  for (const SearchCase& c : cases) {
    TextMatcher matcher(c.pattern, {false, c.wholeWord});
    EXPECT_EQ(FindInText(c.text, c.start, matcher, c.backward), c.found)
        << c.text << " / " << c.pattern << " from " << c.start << (c.backward ? " up" : " down");
  }
}

TEST(TextSearch, BackwardAcrossALongTextFindsTheNearest) {
  std::string text = "word" + std::string(100000, '.') + "word" + std::string(50000, '.');
  TextMatcher matcher("WORD", {false, false});
  EXPECT_EQ(FindInText(text, 150000, matcher, true), 100004);
  EXPECT_EQ(FindInText(text, 100003, matcher, true), 0);
  EXPECT_EQ(FindInText(text, 100003, TextMatcher("WORD", {true, false}), true), -1);
}

// Characters the Windows-1251 copy holds as '?' are found as themselves:
// never as a typed '?', nor one for another, in either direction and in
// "Заменить все".
TEST(TextSearch, CharactersTheCopyCannotHoldAreMatchedAsThemselves) {
  const std::u16string text = u"? α 😀 β ?α ?";
  const std::string held = Win1251FromShown(text, cpWIN);
  struct Case {
    std::u16string pattern;
    std::vector<std::int64_t> forward;  // every occurrence, from the start
  };
  const Case cases[] = {
      {u"?", {0, 9, 12}},
      {u"α", {2, 10}},
      {u"😀", {4}},
      {u"β", {7}},
      {u"?α", {9}},
      {u"ω", {}},
  };
  for (const Case& c : cases) {
    TextMatcher matcher(Win1251FromShown(c.pattern, cpWIN), {false, false});
    matcher.MatchUnits(c.pattern, text);
    std::vector<std::int64_t> found;
    for (std::int64_t at = FindInText(held, 0, matcher, false); at >= 0; at = FindInText(held, at + 1, matcher, false))
      found.push_back(at);
    EXPECT_EQ(found, c.forward) << c.forward.size();
    const std::int64_t last = c.forward.empty() ? -1 : c.forward.back();
    EXPECT_EQ(FindInText(held, static_cast<std::int64_t>(held.size()), matcher, true), last);
    EXPECT_EQ(PlanReplaceAll(held, "x", matcher).count, static_cast<std::int64_t>(c.forward.size()));
  }
}

}  // namespace
}  // namespace quillo

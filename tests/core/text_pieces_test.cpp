#include "core/text_pieces.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quillo {
namespace {

bool SplitsCrLf(const std::u16string& t, size_t at) { return at > 0 && at < t.size() && t[at - 1] == u'\r' && t[at] == u'\n'; }
bool SplitsPair(const std::u16string& t, size_t at) {
  return at > 0 && at < t.size() && t[at - 1] >= 0xD800 && t[at - 1] <= 0xDBFF && t[at] >= 0xDC00 &&
         t[at] <= 0xDFFF;
}

// Texts of line breaks of every form, emoji and letters, cut with piece
// sizes from 1 up: the pieces join to the text, never split a unit, never
// exceed their size unless a unit forces it, and end after a line break
// when the stretch holds one.
TEST(TextPieces, PiecesJoinToTheTextAndNeverSplitAUnit) {
  const std::u16string parts[] = {u"\r\n", u"\r", u"\n", u"\U0001F600", u"ж", u"ab", u"\r\r\n"};
  std::mt19937 random(17);
  for (int round = 0; round < 300; ++round) {
    std::u16string text;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) text += parts[random() % std::size(parts)];
    const size_t want = 1 + random() % 9;
    std::u16string joined;
    for (size_t from = 0; from < text.size();) {
      const size_t end = NextPieceEnd(text, from, want);
      ASSERT_GT(end, from) << round;
      ASSERT_FALSE(SplitsCrLf(text, end) || SplitsPair(text, end)) << round << " at " << end;
      if (end - from > want) {
        ASSERT_EQ(end - from, 2u) << round;
      }
      const std::u16string piece = text.substr(from, end - from);
      bool breakWithin = false;
      for (size_t b = from + 1; b <= std::min(from + want, text.size()); ++b)
        breakWithin |= text[b - 1] == u'\n' || (text[b - 1] == u'\r' && !SplitsCrLf(text, b));
      if (breakWithin && from + want < text.size()) {
        const char16_t last = piece.back();
        EXPECT_TRUE(last == u'\n' || last == u'\r') << round << " at " << end;
      }
      joined += piece;
      from = end;
    }
    EXPECT_EQ(joined, text) << round;
  }
}

TEST(TextPieces, NextSizeFollowsTheTimeWithinItsBounds) {
  struct Case {
    size_t last;
    double seconds;
    size_t expected;
  } cases[] = {
      {100'000, 0.5, 50'000},     // twice too slow: half
      {100'000, 0.125, 200'000},  // twice too fast: double
      {100'000, 0.0, 400'000},    // unmeasurably fast: grows, fourfold at most
      {100'000, 10.0, 20'000},    // never below the minimum
      {900'000, 0.01, 1'000'000}, // never above the maximum
  };
  for (const auto& c : cases)
    EXPECT_EQ(NextPieceSize(c.last, c.seconds, 0.25, 20'000, 1'000'000), c.expected) << c.last << " " << c.seconds;
}

TEST(TextPieces, PercentReachesOneHundredOnlyWhenAllIsIn) {
  EXPECT_EQ(LoadedPercent(0, 10), 0);
  EXPECT_EQ(LoadedPercent(999, 1000), 99);
  EXPECT_EQ(LoadedPercent(1000, 1000), 100);
  EXPECT_EQ(LoadedPercent(0, 0), 100);
  EXPECT_EQ(LoadedPercent(3'000'000'000ull, 4'000'000'000ull), 75);
}

}  // namespace
}  // namespace quillo

#include "core/replace_all.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/shown_text.h"
#include "core/text_matcher.h"
#include "core/win1251.h"

namespace quillo {
namespace {

constexpr SearchOptions kPlain{false, false};
constexpr SearchOptions kCase{true, false};
constexpr SearchOptions kWord{false, true};
constexpr SearchOptions kCaseWord{true, true};

TEST(ReplaceAllMatcher, FindsWhatTheControlFinds) {
  struct Case {
    const char* text;
    const char* pattern;
    SearchOptions options;
    std::int64_t start;
    std::int64_t found;
  };
  const Case cases[] = {
      {"Слово слово СЛОВО", "слово", kPlain, 0, 0},
      {"Слово слово СЛОВО", "слово", kCase, 0, 6},
      {"Слово слово СЛОВО", "СЛОВО", kCase, 0, 12},
      {"Слово слово СЛОВО", "слово", kPlain, 1, 6},
      {"Ёлка и ёлка", "ёЛКА", kPlain, 0, 0},
      {"елка", "ёлка", kPlain, 0, -1},
      {"ЇЖАК Ґанок", "їжак ґАНОК", kPlain, 0, 0},
      {"Word word", "word", kPlain, 0, 0},
      {"Word word", "word", kCase, 0, 5},
      {"словарь слово", "слов", kWord, 0, -1},
      {"словарь сл", "сл", kWord, 0, 8},
      {"a_b", "a", kWord, 0, 0},
      {"a_b", "b", kWord, 0, 2},
      {"a1 a", "a", kWord, 0, 3},
      {"1a", "a", kWord, 0, -1},
      {"µa a", "a", kWord, 0, 3},
      {"№a", "a", kWord, 0, 1},
      {"x\ry\rz", "y", kWord, 0, 2},
      {"(word)", "word", kCaseWord, 0, 1},
      {"xa, a", "a,", kWord, 0, -1},
      {"a, a", "a,", kWord, 0, 0},
      {"aaaa", "aa", kPlain, 1, 1},
      {"aaaa", "aa", kPlain, 3, -1},
      {"abc", "c", kPlain, 3, -1},
      {"abc", "c", kPlain, 9, -1},
      {"abc", "a", kPlain, -5, 0},
      {"abc", "", kPlain, 0, -1},
      {"", "a", kPlain, 0, -1},
  };
  for (const Case& c : cases) {
    const TextMatcher matcher(Utf8ToWin1251(c.pattern), c.options);
    EXPECT_EQ(matcher.FindForward(Utf8ToWin1251(c.text), c.start), c.found)
        << '"' << c.pattern << "\" in \"" << c.text << "\" from " << c.start
        << " case " << c.options.match_case << " word " << c.options.whole_word;
  }
}

TEST(ReplaceAllMatcher, TheByteBeforeTheStartCanBeReplaced) {
  const TextMatcher matcher("a", kWord);
  EXPECT_EQ(matcher.FindForward("xa", 1), -1);
  EXPECT_EQ(matcher.FindForward("xa", 1, ' '), 1);
  EXPECT_EQ(matcher.FindForward("xa", 1, TextMatcher::kNoByte), 1);
  EXPECT_EQ(matcher.FindForward(" a", 1, 'x'), -1);
}

ReplaceAllResult Expected(const char* text, std::int64_t count, std::int64_t caret) {
  return ReplaceAllResult{Utf8ToWin1251(text), count, caret};
}

TEST(ReplaceAll, ResultsOfTheLoop) {
  struct Case {
    const char* text;
    const char* find;
    const char* replacement;
    SearchOptions options;
    ReplaceAllResult expected;
  };
  const Case cases[] = {
      {"aaa", "a", "aa", kPlain, Expected("aaaaaa", 3, 6)},
      {"aaaa", "aa", "b", kPlain, Expected("bb", 2, 2)},
      {"aaa", "aa", "", kPlain, Expected("a", 1, 0)},
      {"abc", "x", "y", kPlain, Expected("abc", 0, 0)},
      {"abc", "", "y", kPlain, Expected("abc", 0, 0)},
      {"", "a", "b", kPlain, Expected("", 0, 0)},
      {"кот и кот", "кот", "кошка", kPlain, Expected("кошка и кошка", 2, 13)},
      {"Word word WORD", "word", "x", kPlain, Expected("x x x", 3, 5)},
      {"Word word WORD", "word", "x", kCase, Expected("Word x WORD", 1, 6)},
      {"Ёж ёж еж", "ёж", "", kPlain, Expected("  еж", 2, 1)},
      {"строка\rстрока\r", "\r", "; ", kPlain, Expected("строка; строка; ", 2, 16)},
      {"cat catalog cat", "cat", "dog", kWord, Expected("dog catalog dog", 2, 15)},
      // Whole word after a replacement is judged by what now stands before.
      {";a;a", ";a", "-", kWord, Expected("--", 2, 2)},
      {";a;a", ";a", "x", kWord, Expected("x;a", 1, 1)},
      {"-a--a-", "-a-", "x", kWord, Expected("x-a-", 1, 1)},
      {"-a--a-", "-a-", "", kWord, Expected("", 2, 0)},
      {"ba a", "a", "", kWord, Expected("ba ", 1, 3)},
  };
  for (const Case& c : cases) {
    const std::string text = Utf8ToWin1251(c.text);
    const std::string find = Utf8ToWin1251(c.find);
    const std::string replacement = Utf8ToWin1251(c.replacement);
    const TextMatcher matcher(find, c.options);
    const auto step_by_step = ReplaceAllStepByStep(
        text, find, replacement,
        [&matcher](std::string_view t, std::int64_t start) { return matcher.FindForward(t, start); });
    EXPECT_EQ(step_by_step, c.expected) << c.text << " / " << c.find << " -> " << c.replacement;
    EXPECT_EQ(PlanReplaceAll(text, replacement, matcher), c.expected)
        << c.text << " / " << c.find << " -> " << c.replacement;
  }
}

TEST(ReplaceAll, AFindThatGoesBackwardsEndsTheLoop) {
  auto always_zero = [](std::string_view, std::int64_t) -> std::int64_t { return 0; };
  EXPECT_EQ(ReplaceAllStepByStep("aaa", "a", "b", always_zero), (ReplaceAllResult{"baa", 1, 1}));
  auto past_the_end = [](std::string_view t, std::int64_t) { return static_cast<std::int64_t>(t.size()); };
  EXPECT_EQ(ReplaceAllStepByStep("aaa", "a", "b", past_the_end), (ReplaceAllResult{"aaa", 0, 0}));
}

TEST(ReplaceAll, Report) {
  EXPECT_EQ(ReplaceAllReport(0), "Замена выполнена. Заменено 0 слов(а)");
  EXPECT_EQ(ReplaceAllReport(123), "Замена выполнена. Заменено 123 слов(а)");
}

// Letters in both cases (Latin, Russian, Ё/ё), word and non-word bytes and
// line breaks, so that case folding, whole-word edges and overlaps all occur.
const std::string kAlphabet = Utf8ToWin1251("aAbBаАёЁ _1-\r");

std::string RandomText(std::mt19937& random, std::size_t max_length) {
  std::uniform_int_distribution<std::size_t> length(0, max_length);
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::string text(length(random), ' ');
  for (char& c : text) c = kAlphabet[pick(random)];
  return text;
}

std::string RandomFind(std::mt19937& random, const std::string& text) {
  if (!text.empty() && random() % 2 == 0) {
    const std::size_t at = random() % text.size();
    const std::size_t length = 1 + random() % std::min<std::size_t>(4, text.size() - at);
    return text.substr(at, length);
  }
  std::string find = RandomText(random, 3);
  return find.empty() ? std::string("a") : find;
}

std::string RandomReplacement(std::mt19937& random, const std::string& find) {
  switch (random() % 5) {
    case 0: return "";
    case 1: return find + RandomText(random, 2);
    case 2: return RandomText(random, 2) + find;
    case 3: return find + find;
    default: return RandomText(random, 4);
  }
}

TEST(ReplaceAllDifferential, OnePassEqualsTheLoopOnRandomTexts) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText(random, 14);
    const std::string find = RandomFind(random, text);
    const std::string replacement = RandomReplacement(random, find);
    const SearchOptions options{random() % 2 == 0, random() % 2 == 0};
    const TextMatcher matcher(find, options);
    const auto expected = ReplaceAllStepByStep(
        text, find, replacement,
        [&matcher](std::string_view t, std::int64_t start) { return matcher.FindForward(t, start); });
    const auto planned = PlanReplaceAll(text, replacement, matcher);
    ASSERT_EQ(planned, expected) << "round " << round << ": \"" << Win1251ToUtf8(text) << "\" / \""
                                 << Win1251ToUtf8(find) << "\" -> \"" << Win1251ToUtf8(replacement)
                                 << "\" case " << options.match_case << " word " << options.whole_word;
    // The same replacements on the control's own units.
    ASSERT_TRUE(ReplaceAllUnits(Win1251ToUtf16(text), text, Win1251ToUtf16(replacement), replacement, matcher) ==
                Win1251ToUtf16(planned.text))
        << "round " << round;
  }
}

// Characters the copy holds as '?' stay in the text between occurrences and
// come in with the replacement.
TEST(ReplaceAll, UnitsTheCopyCannotHold) {
  const std::u16string units = u"α b 😀 b";
  const std::string text = Win1251FromShown(units, cpWIN);
  TextMatcher matcher("b", {false, true});
  EXPECT_TRUE(ReplaceAllUnits(units, text, u"β😀", "???", matcher) == u"α β😀 😀 β😀");
  EXPECT_TRUE(ReplaceAllUnits(units, text, u"", "", matcher) == u"α  😀 ");
}

}  // namespace
}  // namespace quillo

#include "core/goto_input.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillo {
namespace {

// The caret stands on line 10, column 5 (as the user counts).
constexpr CaretTarget kCurrent{4, 9};

GoToInput At(std::int64_t line, std::int64_t column) {
  return GoToInput{GoToInputKind::Position, CaretTarget{column - 1, line - 1}, 0};
}
GoToInput Percent(std::int64_t n) { return GoToInput{GoToInputKind::Percent, {}, n}; }
const GoToInput kNothing{GoToInputKind::Nothing, {}, 0};

TEST(GoToInput, EveryForm) {
  struct Case {
    const char* typed;
    GoToInput expected;
  };
  const Case cases[] = {
      {"15:3", At(15, 3)},
      {"15", At(15, 1)},
      {"52%", Percent(52)},
      {":7", At(10, 7)},
      {"20:", At(20, 5)},
      {"abc", At(10, 1)},
      {"50%x", Percent(50)},
      {"%", kNothing},
      {"x%", kNothing},
      {"%50", kNothing},
      {"15%:3", Percent(15)},
      {"  15:3\t", At(15, 3)},
      {" 7 : 2 ", At(7, 2)},
      {"52 %", Percent(52)},
      {"-5%", Percent(-5)},
      {"abc:def", At(10, 5)},
      {"15:3:4", At(15, 5)},
      {"", At(10, 1)},
      {"0", At(0, 1)},
      {"-3:0", At(-3, 0)},
      {"+8", At(8, 1)},
      {"1 5", At(10, 1)},
      {"2147483647", At(2147483647, 1)},
      {"2147483648", At(10, 1)},
      {"99999999999999999999%", kNothing},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseGoToInput(c.typed, kCurrent), c.expected) << '"' << c.typed << '"';
}

TEST(GoToInput, PromptStartsWithTheCurrentLineCountedFromOne) {
  EXPECT_EQ(GoToPromptText(kCurrent), "10");
  EXPECT_EQ(GoToPromptText(CaretTarget{0, 0}), "1");
}

TEST(GoToInputPercent, RoundsHalvesToEven) {
  struct Case {
    std::int64_t lines, percent, line;
  };
  const Case cases[] = {
      {100, 52, 52}, {5, 50, 2},  {7, 50, 4},  {10, 0, 0},  {10, 100, 10}, {3, 50, 2},
      {1, 50, 0},    {3, 10, 0},  {7, 10, 1},  {9, 50, 4},  {11, 50, 6},   {0, 50, 0},
      {5, -50, -2},  {7, -50, -4}, {3, -10, 0}, {10, 2147483647, 214748365}, {4, 250, 10},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GoToPercentLine(c.lines, c.percent), c.line) << c.percent << "% of " << c.lines;
}

TEST(GoToInput, TargetOfTypedText) {
  EXPECT_EQ(GoToInputTarget("52%", kCurrent, 100), (CaretTarget{0, 52}));
  EXPECT_EQ(GoToInputTarget("50%", kCurrent, 7), (CaretTarget{0, 4}));
  EXPECT_EQ(GoToInputTarget("15:3", kCurrent, 7), (CaretTarget{2, 14}));
  EXPECT_EQ(GoToInputTarget("x%", kCurrent, 7), std::nullopt);
}

TEST(GoToInputClamp, TargetsOutsideTheTextLandInIt) {
  const std::vector<std::int64_t> lengths = {5, 0, 3};
  std::vector<std::int64_t> asked;
  auto length_of = [&](std::int64_t line) {
    asked.push_back(line);
    return lengths.at(static_cast<std::size_t>(line));
  };
  struct Case {
    CaretTarget target, expected;
  };
  const Case cases[] = {
      {{2, 0}, {2, 0}},    {{5, 0}, {5, 0}},   {{10, 0}, {5, 0}}, {{4, 1}, {0, 1}},
      {{2, 14}, {2, 2}},   {{0, 3}, {0, 2}},   {{-1, -4}, {0, 0}}, {{-7, 2}, {0, 2}},
  };
  for (const Case& c : cases) {
    asked.clear();
    EXPECT_EQ(ClampCaretTarget(c.target, 3, length_of), c.expected)
        << c.target.column << "," << c.target.line;
    EXPECT_EQ(asked, std::vector<std::int64_t>{c.expected.line});
  }
  EXPECT_EQ(ClampCaretTarget({3, 3}, 0, length_of), (CaretTarget{0, 0}));
}

}  // namespace
}  // namespace quillo

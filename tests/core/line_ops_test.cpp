#include "core/line_ops.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/win1251.h"

namespace quillo {
namespace {

using Transform = std::string (*)(std::string_view);

std::string TabsToSpaces(std::string_view text) { return ExpandTabs(text, 8); }
std::string DeleteExtraSpaces(std::string_view text) { return CollapseSpaces(text, ' '); }

struct LineCase {
  Transform transform;
  const char* name;
  std::string input;
  std::string expected;
};

const std::string kPlaceholder(kLineBreakPlaceholder);

const LineCase kLineCases[] = {
    {TabsToSpaces, "ExpandTabs", "\tx", "        x"},
    {TabsToSpaces, "ExpandTabs", "abc\td", "abc     d"},
    {TabsToSpaces, "ExpandTabs", "abcdefgh\ti", "abcdefgh        i"},
    {TabsToSpaces, "ExpandTabs", "abcdefg\t\ti", "abcdefg         i"},
    {TabsToSpaces, "ExpandTabs", "abc\r\tx\r\n12\ty", "abc\r        x\r\n12      y"},
    {DeleteExtraSpaces, "CollapseSpaces", "a   b  ", "a b "},
    {DeleteExtraSpaces, "CollapseSpaces", " a\t\t b \r  c", " a\t\t b \r c"},
    {RemoveLineBreaks, "RemoveLineBreaks",
     "Первая строка\rвторая строка\r\rНовый абзац", "Первая строка вторая строка\rНовый абзац"},
    {RemoveLineBreaks, "RemoveLineBreaks", "a\r b", "a\rb"},
    {RemoveLineBreaks, "RemoveLineBreaks", "one \rtwo\r\nthree \r\nfour", "one two three four"},
    {RemoveLineBreaks, "RemoveLineBreaks", "a" + kPlaceholder + "b", "a\rb"},
    {RemoveLineBreaks, "RemoveLineBreaks", "a\r\r\r\rb", "a\r\rb"},
    {AddLineIndent, "AddLineIndent", "a\rb\r  c\r", "a\r b\r   c\r "},
    {AddLineIndent, "AddLineIndent", "a\r\nb", "a\r\n b"},
    {RemoveLineIndent, "RemoveLineIndent", " a\r   b\rc\r\n d", " a\r  b\rc\r\nd"},
};

TEST(LineOps, TransformsTheText) {
  for (const LineCase& c : kLineCases) {
    std::string input = Utf8ToWin1251(c.input);
    EXPECT_EQ(Win1251ToUtf8(c.transform(input)), c.expected) << c.name << "(" << c.input << ")";
  }
}

TEST(LineOps, ExpandTabsHonoursTheWidth) {
  EXPECT_EQ(ExpandTabs("ab\tc", 4), "ab  c");
  EXPECT_EQ(ExpandTabs("ab\tc", 1), "ab c");
  EXPECT_EQ(ExpandTabs("ab\tc", 0), "ab\tc");
}

// "ab⇥c" with "⇥c" selected: the tab stands at column 2, so 6 spaces.
TEST(LineOps, TabsInASelectionCountFromTheLinesStart) {
  const std::string text = "ab\tc";
  EXPECT_EQ(ExpandTabs(text.substr(2), 8, ColumnAt(text, 2, 8)), "      c");
  EXPECT_EQ(ColumnAt("x\r\n\tab\tc", 6, 8), 10u) << "a tab before the selection counts to its stop";
}

// Expanding any tail of a text from the column where it starts gives the
// same as expanding the whole text at once.
TEST(LineOps, ExpandingASelectionAgreesWithTheWholeText) {
  const std::string texts[] = {"ab\tc\td", "\t\tx\r\n12\t3\r\t\t", "abcdefgh\t\r\rx\ty\nz\t"};
  for (const std::string& text : texts) {
    for (int width : {1, 4, 8}) {
      const std::string whole = ExpandTabs(text, width);
      for (std::size_t pos = 0; pos <= text.size(); ++pos) {
        std::string parts = ExpandTabs(text.substr(0, pos), width) +
                            ExpandTabs(text.substr(pos), width, ColumnAt(text, pos, width));
        EXPECT_EQ(parts, whole) << "width " << width << ", split at " << pos;
      }
    }
  }
}

TEST(LineOps, LineBreaksBecomeTheControlsSingleCr) {
  const std::pair<const char*, const char*> cases[] = {
      {"a\r\nb", "a\rb"}, {"a\nb\n", "a\rb\r"}, {"a\rb", "a\rb"}, {"\r\n\r\n", "\r\r"},
      {"\n\r", "\r\r"}, {"", ""}};
  for (auto [text, expected] : cases) EXPECT_EQ(WithCrBreaks(text), expected);
}

TEST(LineOps, ReplaceAllGoesLeftToRightWithoutOverlaps) {
  struct Case {
    const char* text;
    const char* find;
    const char* replacement;
    const char* expected;
  } cases[] = {
      {"aaaa", "aa", "b", "bb"},
      {"aaa", "aa", "b", "ba"},
      {"abc", "", "x", "abc"},
      {"abc", "c", "cc", "abcc"},
      {"a.b.c", ".", "", "abc"},
      {"", "a", "b", ""},
      {"Abc abc", "abc", "x", "Abc x"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReplaceAll(c.text, c.find, c.replacement), c.expected) << c.text << " / " << c.find;
}

TEST(LineOps, IndentThenUnindentRestoresTheText) {
  for (std::string text : {"", "a", "a\rb\r\rc", "  a\r   b\r\n\tc\r", "\r\r\r"}) {
    EXPECT_EQ(RemoveLineIndent(AddLineIndent(text)), text);
    EXPECT_EQ(RemoveLineIndent(AddLineIndent(AddLineIndent(text))), AddLineIndent(text));
  }
}

TEST(LineOps, DeletesTheCaretsWholeLine) {
  std::string longLine(5000, 'x');
  struct Case {
    std::string text;
    std::size_t caret;
    TextSpan expected;
  } cases[] = {
      {"one\rtwo\rthree", 5, {4, 4}},
      {"one\rtwo\rthree", 4, {4, 4}},
      {"one\rtwo\rthree", 0, {0, 4}},
      {"one\rtwo\rthree", 10, {8, 5}},   // the last line has no break
      {"one\rtwo\rthree", 13, {8, 5}},   // caret at the very end
      {"one\r\ntwo", 1, {0, 5}},
      {"one\r", 4, {4, 0}},              // the empty last line
      {"", 0, {0, 0}},
      {"a\r" + longLine + "\rb", 3000, {2, 5001}},
      {longLine, 4500, {0, 5000}},
  };
  for (const Case& c : cases) {
    TextSpan span = LineDeletionSpan(c.text, c.caret);
    EXPECT_EQ(span.start, c.expected.start) << "caret " << c.caret;
    EXPECT_EQ(span.length, c.expected.length) << "caret " << c.caret;
  }
}

}  // namespace
}  // namespace quillo

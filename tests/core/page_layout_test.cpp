#include "core/page_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/unicode_text.h"

namespace quillo {
namespace {

// A font whose characters are all `each` units wide.
FitFunction FixedWidth(int each) {
  return [each](std::u16string_view text, int maxWidth) {
    return std::min(text.size(), static_cast<size_t>(std::max(0, maxWidth / each)));
  };
}

// A font of uneven widths that counts how many units it was asked about.
struct UnevenFont {
  size_t measured = 0;
  static int WidthOf(char16_t c) { return 5 + c % 7; }
  FitFunction Fit() {
    return [this](std::u16string_view text, int maxWidth) {
      measured += text.size();
      int used = 0;
      size_t n = 0;
      while (n < text.size() && used + WidthOf(text[n]) <= maxWidth) used += WidthOf(text[n++]);
      return n;
    };
  }
};

std::vector<std::string> RowTexts(std::u16string_view text, const std::vector<TextRow>& rows) {
  std::vector<std::string> out;
  for (const TextRow& r : rows) out.push_back(EncodeUtf8(text.substr(r.start, r.length)));
  return out;
}

TEST(PageLayout, BreaksLinesIntoRowsThatFit) {
  struct Case {
    const char* text;
    int chars;  // how many characters fit in a row
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"", 10, {""}},
      {"коротко", 10, {"коротко"}},
      {"а\r\nб", 10, {"а", "б"}},
      {"а\rб\nв", 10, {"а", "б", "в"}},
      {"а\r\n\r\nб", 10, {"а", "", "б"}},
      {"строка\r\n", 10, {"строка", ""}},
      {"раз два три", 7, {"раз два", "три"}},
      // The space right after what fits is a break too.
      {"ааааааа бб", 7, {"ааааааа", "бб"}},
      // The spaces at a break are not printed.
      {"раз    два", 5, {"раз", "два"}},
      {"раз два   ", 7, {"раз два"}},
      // A word longer than a row is cut where the row ends.
      {"абвгдеёжзийклм", 5, {"абвгд", "еёжзи", "йклм"}},
      {"аб абвгдеёжзи", 5, {"аб", "абвгд", "еёжзи"}},
      // The line's indentation stays; it is no place to break.
      {"  аа бб вв", 6, {"  аа", "бб вв"}},
      {"        слово", 4, {"    ", "    ", "слов", "о"}},
      // Not even one character fits: one per row all the same.
      {"абв", 0, {"а", "б", "в"}},
  };
  for (const Case& c : cases) {
    std::u16string text = *DecodeUtf8(c.text);
    auto rows = WrapLines(text, c.chars * 10, FixedWidth(10));
    EXPECT_EQ(RowTexts(text, rows), c.rows) << c.text << " in " << c.chars;
  }
}

TEST(PageLayout, KeepsSurrogatePairsTogether) {
  std::u16string text = u"a\U0001F600b";
  auto rows = WrapLines(text, 20, FixedWidth(10));
  EXPECT_EQ(rows, (std::vector<TextRow>{{0, 1}, {1, 2}, {3, 1}}));
  rows = WrapLines(text, 5, FixedWidth(10));
  EXPECT_EQ(rows, (std::vector<TextRow>{{0, 1}, {1, 2}, {3, 1}}));
}

// Words of uneven widths on rows of several widths: every row fits unless it
// is one character, and the rows hold every printable character of the
// text, in order, once.
TEST(PageLayout, RowsFitAndLoseNothing) {
  std::u16string text;
  unsigned seed = 7;
  for (int i = 0; i < 3000; ++i) {
    seed = seed * 1103515245u + 12345u;
    unsigned r = (seed >> 16) % 100;
    if (r < 12) text += u' ';
    else if (r < 14) text += u"\r\n";
    else if (r < 15) text += u'\n';
    else text += static_cast<char16_t>(u'а' + r % 32);
  }
  for (int width : {1, 40, 97, 300, 5000}) {
    UnevenFont font;
    auto rows = WrapLines(text, width, font.Fit());
    std::u16string printed, expected;
    size_t lastEnd = 0;
    for (const TextRow& row : rows) {
      ASSERT_GE(row.start, lastEnd);
      lastEnd = row.start + row.length;
      std::u16string_view piece = std::u16string_view(text).substr(row.start, row.length);
      EXPECT_EQ(piece.find_first_of(u"\r\n"), std::u16string_view::npos);
      int used = 0;
      for (char16_t c : piece) used += UnevenFont::WidthOf(c);
      if (row.length > 1) {
        EXPECT_LE(used, width) << "row at " << row.start;
      }
      for (char16_t c : piece) {
        if (c != u' ') printed += c;
      }
    }
    for (char16_t c : text) {
      if (c != u' ' && c != u'\r' && c != u'\n') expected += c;
    }
    EXPECT_EQ(printed, expected) << "width " << width;
  }
}

TEST(PageLayout, LongLineCostsInProportionToItsLength) {
  std::u16string line;
  for (int i = 0; i < 20000; ++i) line += u"слово ";
  UnevenFont font;
  auto rows = WrapLines(line, 700, font.Fit());
  EXPECT_GT(rows.size(), 1000u);
  EXPECT_LT(font.measured, 8 * line.size());
}

TEST(PageLayout, GathersRowsIntoPages) {
  using Pages = std::vector<PageSpan>;
  std::vector<int> sevenRows(7, 10);
  EXPECT_EQ(Paginate(sevenRows, 30), (Pages{{0, 3}, {3, 3}, {6, 1}}));
  EXPECT_EQ(Paginate(sevenRows, 35), (Pages{{0, 3}, {3, 3}, {6, 1}}));
  EXPECT_EQ(Paginate(sevenRows, 70), (Pages{{0, 7}}));
  EXPECT_EQ(Paginate(std::vector<int>{}, 30), (Pages{{0, 0}}));
  std::vector<int> mixed{10, 20, 5, 30, 1};
  EXPECT_EQ(Paginate(mixed, 30), (Pages{{0, 2}, {2, 1}, {3, 1}, {4, 1}}));
  // A row no page can take: printing stops instead of turning pages forever.
  EXPECT_EQ(Paginate(std::vector<int>{10, 31, 10}, 30), std::nullopt);
}

TEST(PageLayout, MarginsInMillimetresAsPrintingUsesThem) {
  struct Case {
    double millimetres;
    int hundredths;
    int wholeInHundredths;
  };
  const Case cases[] = {
      {20, 2000, 2000},
      {12.6, 1260, 1300},
      {12.4, 1240, 1200},
      {12.3456, 1235, 1200},
      {0, 0, 0},
      {-5, 0, 0},
      {std::numeric_limits<double>::quiet_NaN(), 0, 0},
      {1e300, 1000000, 1000000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MillimetresToHundredths(c.millimetres), c.hundredths) << c.millimetres;
    EXPECT_EQ(WholeMillimetresInHundredths(c.millimetres), c.wholeInHundredths) << c.millimetres;
  }
}

TEST(PageLayout, TextRectangleMeasuresMarginsFromThePaperEdges) {
  // A4 at 300 dpi, 20 mm = 236 pixels.
  const PrinterMetrics wholePage{300, 300, 2480, 3508, 0, 0, 2480, 3508};
  const PrinterMetrics withHardwareMargins{300, 300, 2480, 3508, 50, 60, 2380, 3388};
  const PageMargins twenty{2000, 2000, 2000, 2000};
  struct Case {
    PrinterMetrics metrics;
    PageMargins margins;
    DeviceRect rect;
  };
  const Case cases[] = {
      {wholePage, twenty, {236, 236, 2244, 3272}},
      {wholePage, {1000, 2500, 3000, 500}, {118, 295, 2126, 3449}},
      // The device draws from the printable area's corner.
      {withHardwareMargins, twenty, {186, 176, 2194, 3212}},
      // Margins inside the hardware margins give the printable edges.
      {withHardwareMargins, {0, 0, 0, 0}, {0, 0, 2380, 3388}},
      // Landscape with different resolutions across and down.
      {{600, 300, 7016, 2480, 0, 0, 7016, 2480}, twenty, {472, 236, 6544, 2244}},
      // A driver that reports no paper size.
      {{300, 300, 0, 0, 0, 0, 2400, 3300}, twenty, {236, 236, 2164, 3064}},
  };
  for (const Case& c : cases) EXPECT_EQ(TextRectangle(c.metrics, c.margins), c.rect);
  DeviceRect none = TextRectangle(wholePage, {15000, 2000, 15000, 2000});
  EXPECT_LE(none.Width(), 0);
}

TEST(PageLayout, LaysOutTabsRowsAndPages) {
  // Five text rows of at most 9 characters, three to a page.
  auto layout = LayOutText(u"a\tb\r\nодин два три\r\n\r\nконец", {0, 0, 90, 35}, 10, FixedWidth(10));
  ASSERT_TRUE(layout);
  EXPECT_EQ(RowTexts(layout->text, layout->rows),
            (std::vector<std::string>{"a       b", "один два", "три", "", "конец"}));
  EXPECT_EQ(layout->pages, (std::vector<PageSpan>{{0, 3}, {3, 2}}));
  EXPECT_EQ(ExpandTabs(u"\tab\tc\r\nxyz\t."), u"        ab      c\r\nxyz     .");
}

TEST(PageLayout, NoLayoutWhenTheMarginsLeaveNoRoomForARow) {
  EXPECT_FALSE(LayOutText(u"текст", {0, 0, 0, 100}, 10, FixedWidth(10)));
  EXPECT_FALSE(LayOutText(u"текст", {0, 0, 100, 9}, 10, FixedWidth(10)));
  EXPECT_FALSE(LayOutText(u"текст", {50, 50, 40, 100}, 10, FixedWidth(10)));
  EXPECT_TRUE(LayOutText(u"", {0, 0, 100, 10}, 10, FixedWidth(10)));
}

}  // namespace
}  // namespace quillo

#include "core/bar_rows.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quillo {
namespace {

// "b" a button of 20 pixels, "W" one of 50, "|" a separator of 8; a row
// break written as " / ".
std::vector<BarItem> Items(const std::string& picture) {
  std::vector<BarItem> items;
  for (char c : picture) {
    if (c == 'b') items.push_back({20, false});
    if (c == 'W') items.push_back({50, false});
    if (c == '|') items.push_back({8, true});
  }
  return items;
}

std::string Rows(const std::string& picture, int width) {
  std::string out;
  std::vector<BarItem> items = Items(picture);
  std::vector<bool> ends = RowEnds(items, width);
  std::size_t k = 0;
  for (char c : picture) {
    if (c != 'b' && c != 'W' && c != '|') continue;
    out += c;
    if (ends[k++]) out += " / ";
  }
  return out;
}

TEST(BarRows, BreaksAtTheGroupsThatNoLongerFit) {
  struct Case {
    const char* picture;
    int width;
    const char* rows;
  };
  const Case cases[] = {
      {"bbb|bb", 200, "bbb|bb"},
      {"bbb|bb", 90, "bbb| / bb"},        // the second group moves as a whole
      {"bbb|bb|b", 100, "bbb| / bb|b"},
      {"bbbb|b", 85, "bbbb| / b"},        // a separator past the edge ends the row
      {"bbbbbb", 50, "bb / bb / bb"},     // no separator: before the button that does not fit
      {"W|b", 40, "W| / b"},              // wider than the bar: a row of its own
      {"bb|W", 40, "bb| / W"},
      {"", 10, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Rows(c.picture, c.width), c.rows) << c.picture << " in " << c.width;
}

// Every row fits unless it is a single button, and a row breaks only when
// the group of buttons that follows it would not fit behind it.
TEST(BarRows, RowsFitAndAreNoShorterThanNeeded) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> widthOf(8, 60);
  for (int round = 0; round < 2000; ++round) {
    std::vector<BarItem> items;
    int count = 1 + round % 30;
    for (int i = 0; i < count; ++i) items.push_back({widthOf(rng), i > 0 && rng() % 4 == 0});
    const int width = 40 + static_cast<int>(rng() % 400);
    std::vector<bool> ends = RowEnds(items, width);
    ASSERT_EQ(ends.size(), items.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!ends[i] && i + 1 < items.size()) continue;
      long long used = 0;
      int buttons = 0;
      for (std::size_t k = start; k <= i; ++k) {
        if (k == i && items[k].separator) break;  // a row may end in a separator past the edge
        used += items[k].width;
        buttons += items[k].separator ? 0 : 1;
      }
      EXPECT_TRUE(used <= width || buttons == 1) << "round " << round << " row from " << start;
      if (ends[i] && i + 1 < items.size()) {
        long long withNextGroup = 0;
        for (std::size_t k = start; k < items.size() && (k <= i + 1 || !items[k].separator); ++k)
          withNextGroup += items[k].width;
        EXPECT_GT(withNextGroup, width) << "round " << round << ": needless break after " << i;
      }
      start = i + 1;
    }
  }
}

}  // namespace
}  // namespace quillo

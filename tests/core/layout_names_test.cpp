#include "core/layout_names.h"

#include <gtest/gtest.h>

#include <set>

namespace quillo {
namespace {

TEST(LayoutNames, LookupIsExactIncludingLetterCase) {
  struct Case {
    const char* id;
    const char* name;
  };
  const Case cases[] = {
      {"00000409", "Американская"},
      {"00000419", "Русская"},
      {"00000422", "Украинская"},
      {"0000043f", "Казахская"},
      {"0000043F", ""},
      {"0000041A", "Хорватская"},
      {"0000041a", ""},
      {"00000c1a", "Сербская (кириллица)"},
      {"00010419", "Русская (машинопись)"},
      {"00010409", "США - по Двораку"},
      {"00060408", "Греческая политоническая"},
      {"00000419 ", ""},
      {"419", ""},
      {"", ""},
      {"12345678", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LayoutNameFor(c.id), c.name) << c.id;
}

TEST(LayoutNames, TableHas77RowsOfEightHexDigits) {
  const auto rows = LayoutNames();
  ASSERT_EQ(rows.size(), 77u);
  EXPECT_EQ(rows.front().id, "00000409");
  EXPECT_EQ(rows.back().id, "00060408");
  std::set<std::string_view> ids;
  for (const LayoutName& row : rows) {
    EXPECT_EQ(row.id.size(), 8u);
    EXPECT_EQ(row.id.find_first_not_of("0123456789abcdefABCDEF"), std::string_view::npos);
    EXPECT_FALSE(row.name.empty()) << row.id;
    ids.insert(row.id);
  }
  EXPECT_EQ(ids.size(), rows.size());
}

}  // namespace
}  // namespace quillo

#include "core/window_match.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(BroadcastSelects, EachModeLooksAtItsNameItsWay) {
  struct Case {
    std::uint8_t mode;
    const char16_t* caption;
    const char16_t* className;
    bool selected;
  };
  const Case cases[] = {
      {kCaptionContains, u"doc.txt - Quillo", u"TQuilloMainForm", true},
      {kCaptionContains, u"Quillo", u"X", true},
      {kCaptionContains, u"doc.txt - quillo", u"TQuilloMainForm", false},  // case counts
      {kCaptionContains, u"Notepad", u"Quillo", false},                     // not the class
      {kCaptionEquals, u"Quillo", u"X", true},
      {kCaptionEquals, u"Quillo ", u"X", false},
      {kClassContains, u"", u"TQuilloMainForm", true},
      {kClassContains, u"Quillo", u"Edit", false},
      {kClassEquals, u"", u"Quillo", true},
      {kClassEquals, u"", u"TQuilloMainForm", false},
      {0, u"", u"", true},  // other modes: every window
      {9, u"x", u"y", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BroadcastSelects(c.mode, u"Quillo", c.caption, c.className), c.selected)
        << int(c.mode) << " " << std::u16string_view(c.caption).size();
}

}  // namespace
}  // namespace quillo

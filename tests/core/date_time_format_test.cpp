#include "core/date_time_format.h"

#include <gtest/gtest.h>

#include "core/format_captions.h"
#include "core/win1251.h"

namespace quillo {
namespace {

constexpr DateTimeParts kSaintNicholasDay{2026, 12, 6, 21, 5, 9};

struct FormatCase {
  DateTimeParts moment;
  int format;
  const char* expected;  // UTF-8
};

const FormatCase kDateCases[] = {
    {kSaintNicholasDay, 1, "06.12.2026"},
    {kSaintNicholasDay, 2, "06.12.26"},
    {kSaintNicholasDay, 3, "6 декабря 2026 г."},
    {kSaintNicholasDay, 4, "Декабрь 2026 г."},
    {kSaintNicholasDay, 0, ""},
    {kSaintNicholasDay, 5, ""},
    {{2005, 1, 1}, 2, "01.01.05"},
    {{2000, 5, 31}, 3, "31 мая 2000 г."},
    {{2031, 3, 9}, 4, "Март 2031 г."},
    {{987, 8, 1}, 1, "01.08.0987"},
};

const FormatCase kTimeCases[] = {
    {kSaintNicholasDay, 1, "21:05"},
    {kSaintNicholasDay, 2, "21:05:09"},
    {kSaintNicholasDay, 3, "09:05 PM"},
    {kSaintNicholasDay, 4, ""},
    {{2026, 1, 1, 0, 30, 0}, 3, "12:30 AM"},
    {{2026, 1, 1, 12, 30, 0}, 3, "12:30 PM"},
    {{2026, 1, 1, 11, 59, 59}, 3, "11:59 AM"},
    {{2026, 1, 1, 0, 0, 0}, 2, "00:00:00"},
};

TEST(DateTimeFormat, FormatsTheDate) {
  for (const FormatCase& c : kDateCases)
    EXPECT_EQ(Win1251ToUtf8(FormatDateText(c.format, c.moment)), c.expected)
        << "format " << c.format;
}

TEST(DateTimeFormat, FormatsTheTime) {
  for (const FormatCase& c : kTimeCases)
    EXPECT_EQ(FormatTimeText(c.format, c.moment), c.expected) << "format " << c.format;
}

TEST(DateTimeFormat, DateAndTimeTogether) {
  EXPECT_EQ(Win1251ToUtf8(FormatDateTimeText(3, 3, kSaintNicholasDay)),
            "6 декабря 2026 г. 09:05 PM");
}

TEST(DateTimeFormat, CaptionsShowTheSampleInUtf8) {
  EXPECT_EQ(DateFormatCaption(4, kSaintNicholasDay), "Декабрь 2026 г.");
  EXPECT_EQ(TimeFormatCaption(2, kSaintNicholasDay), "21:05:09");
  EXPECT_EQ(NumberFormatCaption(1, 3, 7), "три целых семьдесят сотых");
  EXPECT_EQ(NumberFormatCaption(2, 3, 7), "три рубля семьдесят копеек");
  EXPECT_EQ(NumberFormatCaption(3, 3, 7), "три руб. семьдесят коп.");
  EXPECT_EQ(NumberFormatCaption(3, 1, 1), "один руб. десять коп.");
  EXPECT_EQ(NumberFormatCaption(9, 3, 7), "");
}

}  // namespace
}  // namespace quillo

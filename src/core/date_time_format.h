#pragma once
// The date and time texts the editor inserts, in the formats the user picks.
// Results are Windows-1251 text.
#include <string>

namespace quillo {

// A calendar moment as the clock gives it: month 1-12, hour 0-23.
struct DateTimeParts {
  int year = 0;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// 1 "06.12.2026", 2 "06.12.26", 3 "6 декабря 2026 г.", 4 "Декабрь 2026 г.";
// empty for any other format.
std::string FormatDateText(int format, const DateTimeParts& date);

// 1 "21:05", 2 "21:05:09", 3 "09:05 PM"; empty for any other format.
std::string FormatTimeText(int format, const DateTimeParts& time);

// The date, a space and the time, as Ctrl+Shift+D inserts them.
std::string FormatDateTimeText(int dateFormat, int timeFormat, const DateTimeParts& moment);

}  // namespace quillo

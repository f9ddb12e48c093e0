#include "core/date_time_format.h"

#include <array>
#include <string_view>

#include "core/win1251.h"

namespace quillo {
namespace {

constexpr std::array<std::string_view, 12> kMonthsNominative = {
    "Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
    "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
constexpr std::array<std::string_view, 12> kMonthsGenitive = {
    "января", "февраля", "марта",    "апреля",  "мая",    "июня",
    "июля",   "августа", "сентября", "октября", "ноября", "декабря"};

// Out-of-range months give no name rather than reading past the table.
std::string MonthName(const std::array<std::string_view, 12>& names, int month) {
  if (month < 1 || month > 12) return {};
  return Utf8ToWin1251(names[static_cast<std::size_t>(month - 1)]);
}

// Zero-padded to `width` digits.
std::string Digits(int value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

std::string YearSuffix() { return Utf8ToWin1251(" г."); }

}  // namespace

std::string FormatDateText(int format, const DateTimeParts& date) {
  switch (format) {
    case 1:
      return Digits(date.day, 2) + "." + Digits(date.month, 2) + "." + Digits(date.year, 4);
    case 2:
      return Digits(date.day, 2) + "." + Digits(date.month, 2) + "." + Digits(date.year % 100, 2);
    case 3:
      return std::to_string(date.day) + " " + MonthName(kMonthsGenitive, date.month) + " " +
             Digits(date.year, 4) + YearSuffix();
    case 4:
      return MonthName(kMonthsNominative, date.month) + " " + Digits(date.year, 4) + YearSuffix();
    default:
      return {};
  }
}

std::string FormatTimeText(int format, const DateTimeParts& time) {
  switch (format) {
    case 1:
      return Digits(time.hour, 2) + ":" + Digits(time.minute, 2);
    case 2:
      return Digits(time.hour, 2) + ":" + Digits(time.minute, 2) + ":" + Digits(time.second, 2);
    case 3: {
      int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
      return Digits(hour12, 2) + ":" + Digits(time.minute, 2) + (time.hour < 12 ? " AM" : " PM");
    }
    default:
      return {};
  }
}

std::string FormatDateTimeText(int dateFormat, int timeFormat, const DateTimeParts& moment) {
  return FormatDateText(dateFormat, moment) + " " + FormatTimeText(timeFormat, moment);
}

}  // namespace quillo

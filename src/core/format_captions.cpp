#include "core/format_captions.h"

#include <string>

#include "core/number_words.h"
#include "core/win1251.h"

namespace quillo {

std::string DateFormatCaption(int format, const DateTimeParts& now) {
  return Win1251ToUtf8(FormatDateText(format, now));
}

std::string TimeFormatCaption(int format, const DateTimeParts& now) {
  return Win1251ToUtf8(FormatTimeText(format, now));
}

std::string NumberFormatCaption(int format, int wholeDigit, int tenthDigit) {
  DecimalNumber sample{false, std::to_string(wholeDigit), std::to_string(tenthDigit)};
  return Win1251ToUtf8(NumberToWords(format, sample).value_or(std::string()));
}

}  // namespace quillo

#pragma once
// Captions of the format commands that show a live sample of their format
// instead of a fixed name. UTF-8, like every caption.
#include <string>

#include "core/date_time_format.h"

namespace quillo {

// The date (time) of `now` in `format`, empty for an unknown format.
std::string DateFormatCaption(int format, const DateTimeParts& now);
std::string TimeFormatCaption(int format, const DateTimeParts& now);

// The number "whole,tenth" in words in `format` (1-3); the caller draws both
// digits at random from 1 to 9. Empty for an unknown format.
std::string NumberFormatCaption(int format, int wholeDigit, int tenthDigit);

}  // namespace quillo

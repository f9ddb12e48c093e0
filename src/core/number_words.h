#pragma once
// Numbers and sums of money written out in Russian words, as contracts and
// bank forms want them. Results are lower-case Windows-1251 text.
#include <cstdint>
#include <optional>
#include <string>

#include "core/number_reader.h"

namespace quillo {

enum class Gender { Masculine, Feminine };

// The form a counted noun takes after n: 1 "рубль", 2 "рубля", 3 "рублей".
int PluralClass(std::uint64_t n);

struct SpelledNumber {
  std::string words;
  int pluralClass;  // of the lowest three-digit group
};

// `gender` applies to the units of the lowest group; thousands are always
// feminine, the higher groups masculine. 0 is "ноль".
SpelledNumber IntToWords(std::uint64_t n, Gender gender);

// "двадцать одна целая пять сотых". The number is rounded once to
// hundredths, halves to even, carrying into the whole part; negative numbers
// are enclosed in parentheses. Empty when the whole part is 10^15 or more.
std::optional<std::string> RealToWords(const DecimalNumber& x);

// "один рубль пять копеек" or, abbreviated, "один руб. пять коп.". Rounded
// once to whole kopecks, halves to even, carrying into the roubles; a
// negative sum is enclosed in parentheses. Empty when the sum in
// ten-thousandths does not fit the signed 64-bit range (from
// 922 337 203 685 477,5808 up).
std::optional<std::string> MoneyToWords(const DecimalNumber& x, bool abbreviated);

// Format 1 is RealToWords, 2 MoneyToWords in full words, 3 abbreviated;
// empty for any other format or a number out of range, and the caller then
// leaves the text as it was.
std::optional<std::string> NumberToWords(int format, const DecimalNumber& x);

}  // namespace quillo

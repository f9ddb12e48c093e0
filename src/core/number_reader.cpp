#include "core/number_reader.h"

#include <string>

namespace quillo {
namespace {

constexpr std::size_t kMaxExponentDigits = 4;

bool IsBlank(char ch) { return static_cast<unsigned char>(ch) <= 0x20; }

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

std::string_view TakeDigits(std::string_view text, std::size_t& pos) {
  std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

// The digits with the decimal point `point` places from their start (it may
// lie before the first digit or after the last), as a whole part and a
// fraction without the zeros that say nothing.
DecimalNumber PlacePoint(bool negative, const std::string& digits, long point) {
  std::string padded = digits;
  if (point < 0) {
    padded.insert(0, static_cast<std::size_t>(-point), '0');
    point = 0;
  } else if (static_cast<std::size_t>(point) > padded.size()) {
    padded.append(static_cast<std::size_t>(point) - padded.size(), '0');
  }
  DecimalNumber number;
  number.negative = negative;
  number.whole = padded.substr(0, static_cast<std::size_t>(point));
  number.fraction = padded.substr(static_cast<std::size_t>(point));
  number.whole.erase(0, number.whole.find_first_not_of('0'));
  if (number.whole.find_first_not_of('0') == std::string::npos) number.whole.clear();
  std::size_t last = number.fraction.find_last_not_of('0');
  number.fraction.erase(last == std::string::npos ? 0 : last + 1);
  return number;
}

std::optional<DecimalNumber> ParseNumber(std::string_view text, char decimalSeparator) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  std::string_view whole = TakeDigits(text, pos);
  std::string_view fraction;
  if (pos < text.size() && text[pos] == decimalSeparator) {
    ++pos;
    fraction = TakeDigits(text, pos);
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;
  long exponent = 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    bool negativeExponent = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negativeExponent = text[pos++] == '-';
    std::string_view digits = TakeDigits(text, pos);
    if (digits.empty() || digits.size() > kMaxExponentDigits) return std::nullopt;
    for (char d : digits) exponent = exponent * 10 + (d - '0');
    if (negativeExponent) exponent = -exponent;
  }
  if (pos != text.size()) return std::nullopt;
  std::string digits(whole);
  digits += fraction;
  return PlacePoint(negative, digits, static_cast<long>(whole.size()) + exponent);
}

}  // namespace

std::optional<NumberInText> ReadNumber(std::string_view text, char decimalSeparator) {
  if (IsDigit(decimalSeparator) || decimalSeparator == '+' || decimalSeparator == '-' ||
      decimalSeparator == 'e' || decimalSeparator == 'E')
    return std::nullopt;
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::optional<DecimalNumber> number = ParseNumber(text.substr(begin, end - begin), decimalSeparator);
  if (!number) return std::nullopt;
  return NumberInText{std::move(*number), begin, end};
}

}  // namespace quillo

#include "core/number_reader.h"

#include <charconv>
#include <cmath>
#include <string>

namespace quillo {
namespace {

bool IsBlank(char ch) { return static_cast<unsigned char>(ch) <= 0x20; }

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TakeDigits(std::string_view text, std::size_t& pos) {
  std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

// Rewrites the locale's number into the form std::from_chars reads, or
// returns an empty string when it is not a number.
std::string Normalised(std::string_view text, char decimalSeparator) {
  std::string out;
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    if (text[pos] == '-') out += '-';
    ++pos;
  }
  std::string_view whole = TakeDigits(text, pos);
  std::string_view fraction;
  if (pos < text.size() && text[pos] == decimalSeparator) {
    ++pos;
    fraction = TakeDigits(text, pos);
  }
  if (whole.empty() && fraction.empty()) return {};
  out += whole.empty() ? std::string_view("0") : whole;
  if (!fraction.empty()) (out += '.') += fraction;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    out += 'e';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) out += text[pos++];
    std::string_view exponent = TakeDigits(text, pos);
    if (exponent.empty()) return {};
    out += exponent;
  }
  return pos == text.size() ? out : std::string{};
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text, char decimalSeparator) {
  if (IsDigit(decimalSeparator) || decimalSeparator == '+' || decimalSeparator == '-' ||
      decimalSeparator == 'e' || decimalSeparator == 'E')
    return std::nullopt;
  std::string number = Normalised(Trimmed(text), decimalSeparator);
  if (number.empty()) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

}  // namespace quillo

#pragma once
// Reads a selected text as a number the way the user's locale writes it,
// keeping its decimal digits exactly: the words for it are rounded once,
// from the digits the user sees, never from a binary approximation.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillo {

struct DecimalNumber {
  bool negative = false;
  std::string whole;     // digits before the point, no leading zeros; "" for 0
  std::string fraction;  // digits after the point, no trailing zeros
  friend bool operator==(const DecimalNumber&, const DecimalNumber&) = default;
};

// Where the number stands in the text it was read from: blanks around it
// are not part of it.
struct NumberInText {
  DecimalNumber number;
  std::size_t begin = 0;
  std::size_t end = 0;  // one past the number's last character
};

// The whole text must be one decimal number: optional sign, digits, the
// given decimal separator, optional exponent (e or E, optional sign, at
// most four digits). Blanks and control characters around it are allowed;
// digit grouping is not. Empty when the text is anything else.
std::optional<NumberInText> ReadNumber(std::string_view text, char decimalSeparator);

}  // namespace quillo

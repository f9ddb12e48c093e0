#pragma once
// Reads a selected text as a number the way the user's locale writes it.
#include <optional>
#include <string_view>

namespace quillo {

// The whole text must be one decimal number: optional sign, digits, the
// given decimal separator, optional exponent (e or E, optional sign,
// digits). Blanks and control characters around it are allowed; digit
// grouping is not. Empty when the text is anything else or the number does
// not fit a double.
std::optional<double> ReadNumber(std::string_view text, char decimalSeparator);

}  // namespace quillo

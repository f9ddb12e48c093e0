#pragma once
// Russian names of keyboard layouts for the status bar, by the eight-digit
// layout identifier the system reports. Names are UTF-8.
#include <span>
#include <string_view>

namespace quillo {

struct LayoutName {
  std::string_view id;  // eight hexadecimal digits, letter case as stored
  std::string_view name;
};

std::span<const LayoutName> LayoutNames();

// The identifier is compared exactly, letter case included; the first equal
// row wins. Empty for an identifier that is not in the table.
std::string_view LayoutNameFor(std::string_view layoutId);

}  // namespace quillo

#include "core/search_chars.h"

#include <array>

#include "core/letter_case.h"

namespace quillo {
namespace {

constexpr unsigned char kMicroSign = 0xB5;

std::array<bool, 256> BuildWordChars() {
  std::array<bool, 256> word{};
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    word[b] = LowerOf(byte) != byte || UpperOf(byte) != byte;
  }
  for (int b = '0'; b <= '9'; ++b) word[b] = true;
  word[kMicroSign] = true;
  return word;
}

}  // namespace

bool IsSearchWordChar(unsigned char byte) {
  static const std::array<bool, 256> kWordChars = BuildWordChars();
  return kWordChars[byte];
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerOf(static_cast<unsigned char>(a[i])) != LowerOf(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace quillo

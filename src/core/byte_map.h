#pragma once
// One byte in, one byte out, over a whole 8-bit text.
#include <string>
#include <string_view>

namespace quillo {

template <typename Map>
std::string MapBytes(std::string_view text, Map map) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(map(static_cast<unsigned char>(c)));
  return result;
}

}  // namespace quillo

#include "core/word_delimiters.h"

#include <string_view>

namespace quillo {
namespace {

ByteSet BuildWordDelimiters() {
  ByteSet set;
  for (unsigned b = 0; b <= 0x20; ++b) set.set(b);
  for (unsigned char ch : std::string_view("\"!()*+,-./:;<=>?[\\]^{|}")) set.set(ch);
  return set;
}

}  // namespace

const ByteSet& WordDelimiters() {
  static const ByteSet set = BuildWordDelimiters();
  return set;
}

}  // namespace quillo

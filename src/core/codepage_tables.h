#pragma once
// Byte tables behind the code-page conversions; internal to the core.
#include <array>

#include "core/codepage.h"

namespace quillo {

using ByteMap = std::array<unsigned char, 256>;

// The byte map of a conversion kind 0-20 (kind 0 is the identity).
const ByteMap& ConversionMap(int kind);

// The characters of the bytes 0x80-0xFF of a code page, as glibc's iconv
// reads them (cpNone gives Windows-1251). Windows-1251 has no character for
// 0x98; it is carried as U+0098 so that the byte survives a UTF-16 control.
// The bytes 0x00-0x7F are ASCII in all three.
using UpperHalf = std::array<char16_t, 128>;
const UpperHalf& UpperHalfOf(TCodePage page);

}  // namespace quillo

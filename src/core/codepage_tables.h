#pragma once
// Byte tables behind the code-page conversions; internal to the core.
#include <array>

#include "core/codepage.h"

namespace quillo {

using ByteMap = std::array<unsigned char, 256>;

// The byte map of a conversion kind 0-20 (kind 0 is the identity).
const ByteMap& ConversionMap(int kind);

}  // namespace quillo

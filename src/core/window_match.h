#pragma once
// Which top-level windows a broadcast reaches: by caption or class name,
// containing or equal to a text, case-sensitive.
#include <cstdint>
#include <string_view>

namespace quillo {

enum BroadcastMode : std::uint8_t {
  kCaptionContains = 1,
  kCaptionEquals = 2,
  kClassContains = 3,
  kClassEquals = 4,
  // Any other value: every window.
};

// Captions and class names are read into buffers of this many characters
// (the terminating NUL included), so longer ones are compared cut.
inline constexpr int kBroadcastNameBuffer = 262;

bool BroadcastSelects(std::uint8_t mode, std::u16string_view text, std::u16string_view caption,
                      std::u16string_view className);

}  // namespace quillo

#include "core/window_match.h"

namespace quillo {

bool BroadcastSelects(std::uint8_t mode, std::u16string_view text, std::u16string_view caption,
                      std::u16string_view className) {
  switch (mode) {
    case kCaptionContains: return caption.find(text) != std::u16string_view::npos;
    case kCaptionEquals: return caption == text;
    case kClassContains: return className.find(text) != std::u16string_view::npos;
    case kClassEquals: return className == text;
    default: return true;
  }
}

}  // namespace quillo

#pragma once
// "Найти далее" over the text in memory, in either direction, with the same
// matcher "Заменить все" uses, so both commands always agree on what an
// occurrence is. Indexes are the editor control's (a line break is '\r').
#include <cstdint>
#include <string_view>

#include "core/text_matcher.h"

namespace quillo {

// Forward: the first occurrence that begins at or after `start`.
// Backward: the last occurrence that begins at or before `start`; a
// negative start finds nothing. -1 when there is none.
std::int64_t FindInText(std::string_view text, std::int64_t start, const TextMatcher& matcher,
                        bool backward);

}  // namespace quillo

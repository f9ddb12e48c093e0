#include "core/text_search.h"

#include <algorithm>

namespace quillo {

std::int64_t FindInText(std::string_view text, std::int64_t start, const TextMatcher& matcher,
                        bool backward) {
  if (!backward) return matcher.FindForward(text, start);
  const auto size = static_cast<std::int64_t>(text.size());
  const auto length = static_cast<std::int64_t>(matcher.Pattern().size());
  if (start < 0 || length == 0) return -1;
  start = std::min(start, size - 1);
  // The text up to the byte after the longest occurrence that may begin at
  // `start`, so the whole-word test still sees that byte.
  std::string_view view = text.substr(0, static_cast<size_t>(std::min(size, start + length + 1)));
  // Windows of growing size are searched forward, nearest window first.
  for (std::int64_t span = 4096;; span *= 2) {
    std::int64_t from = std::max<std::int64_t>(0, start - span);
    std::int64_t last = -1;
    for (std::int64_t at = matcher.FindForward(view, from); at >= 0 && at <= start;
         at = matcher.FindForward(view, at + 1))
      last = at;
    if (last >= 0 || from == 0) return last;
  }
}

}  // namespace quillo

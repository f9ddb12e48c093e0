#include "core/bar_rows.h"

#include <cstddef>

namespace quillo {

std::vector<bool> RowEnds(std::span<const BarItem> items, int width) {
  std::vector<bool> ends(items.size(), false);
  std::size_t rowStart = 0;
  while (rowStart < items.size()) {
    long long x = 0;
    std::size_t lastSeparator = rowStart;  // none past the row's start yet
    std::size_t i = rowStart;
    for (; i < items.size(); ++i) {
      if (x > 0 && x + items[i].width > width) break;
      if (items[i].separator) lastSeparator = i;
      x += items[i].width;
    }
    if (i == items.size()) break;
    // A separator that does not fit ends the row where it stands.
    const std::size_t end = items[i].separator ? i : lastSeparator > rowStart ? lastSeparator : i - 1;
    ends[end] = true;
    rowStart = end + 1;
  }
  return ends;
}

}  // namespace quillo

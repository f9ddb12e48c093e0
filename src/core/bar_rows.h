#pragma once
// Rows of a bar of buttons that must all stay reachable in a narrow window:
// where the rows break so that each fits the width.
#include <span>
#include <vector>

namespace quillo {

struct BarItem {
  int width = 0;  // pixels
  bool separator = false;
};

// Which items end a row (the next item starts a new one). Items go left to
// right; a row breaks at its last separator when it has one, so that groups
// of buttons stay together, else before the item that does not fit. An
// item wider than the whole width gets a row of its own; separators at the
// end of a row may reach past the width.
std::vector<bool> RowEnds(std::span<const BarItem> items, int width);

}  // namespace quillo

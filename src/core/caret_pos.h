#pragma once
// A caret position as the recent-files list, the bookmarks and the position
// marks store it: (column, line), both counted from 0, 32-bit like the
// numbers in their files. Users see them counted from 1, line first.
namespace quillo {

struct CaretPos {
  int column = 0;
  int line = 0;
  friend bool operator==(const CaretPos&, const CaretPos&) = default;
};

}  // namespace quillo

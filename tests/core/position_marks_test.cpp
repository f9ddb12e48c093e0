#include "core/position_marks.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(PositionMarks, StoreRecallAndForgetWithTheNextDocument) {
  PositionMarks marks;
  for (int slot = 0; slot < PositionMarks::kCount; ++slot) {
    EXPECT_EQ(marks.Caption(slot), "№ " + std::to_string(slot) + ": <пусто>");
  }
  // Ctrl+Shift+3 at line 12, column 1.
  marks.Set(3, {0, 11});
  EXPECT_EQ(marks.Caption(3), "№ 3: 12:1");
  EXPECT_EQ(marks.Get(3), (CaretPos{0, 11}));

  // The menu action: a set slot moves the caret, Shift stores anew, an empty
  // slot stores.
  EXPECT_EQ(marks.Use(3, {5, 40}, false), (CaretPos{0, 11}));
  EXPECT_EQ(marks.Use(3, {5, 40}, true), std::nullopt);
  EXPECT_EQ(marks.Caption(3), "№ 3: 41:6");
  EXPECT_EQ(marks.Use(0, {2, 1}, false), std::nullopt);
  EXPECT_EQ(marks.Caption(0), "№ 0: 2:3");

  marks.Clear();  // another file opened
  for (int slot = 0; slot < PositionMarks::kCount; ++slot) EXPECT_EQ(marks.Get(slot), std::nullopt);
}

TEST(PositionMarks, ASlotWithANegativeNumberOrOutOfRangeIsEmpty) {
  PositionMarks marks;
  marks.Set(1, {-1, 4});
  marks.Set(2, {4, -1});
  marks.Set(10, {1, 1});
  marks.Set(-1, {1, 1});
  EXPECT_EQ(marks.Get(1), std::nullopt);
  EXPECT_EQ(marks.Get(2), std::nullopt);
  EXPECT_EQ(marks.Get(10), std::nullopt);
  EXPECT_EQ(marks.Use(10, {1, 1}, false), std::nullopt);
  EXPECT_EQ(marks.Caption(2), "№ 2: <пусто>");
  EXPECT_EQ(marks.Use(1, {7, 7}, false), std::nullopt);
  EXPECT_EQ(marks.Get(1), (CaretPos{7, 7}));
}

}  // namespace
}  // namespace quillo

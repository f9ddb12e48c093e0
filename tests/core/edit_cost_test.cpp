#include "core/edit_cost.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

// A document of `kb` kilobytes of 58-character lines, edited at `at`
// (0..1 of the way down).
EditShape Edit(size_t kb, double at, size_t insertedKb, size_t removedKb) {
  const size_t line = 58;
  EditShape e;
  e.length = kb * 1024;
  e.rows = e.length / line;
  e.rowsAfter = static_cast<size_t>(static_cast<double>(e.rows) * (1 - at));
  e.inserted = insertedKb * 1024;
  e.insertedBreaks = e.inserted / line;
  e.removed = removedKb * 1024;
  e.removedBreaks = e.removed / line;
  return e;
}

TEST(EditCost, EachEditGoesTheWayItsSizeAndPlaceCallFor) {
  struct Case {
    const char* story;
    EditShape edit;
    EditWay way;
  } cases[] = {
      {"a line typed into 1 MB", Edit(1024, 0.5, 0, 0), EditWay::ControlUndo},
      {"a paragraph pasted into 1 MB", Edit(1024, 0.5, 2, 0), EditWay::ControlUndo},
      {"64 KB pasted into the middle of 1 MB", Edit(1024, 0.5, 64, 0), EditWay::ControlUndo},
      {"64 KB pasted at the top of 1 MB", Edit(1024, 0.0, 64, 0), EditWay::ControlUndo},
      // Taking 256 KB out again would cost more than the old text streamed back.
      {"256 KB pasted into the middle of 1 MB", Edit(1024, 0.5, 256, 0), EditWay::InPlace},
      {"256 KB pasted at the top of 1 MB", Edit(1024, 0.0, 256, 0), EditWay::InPlace},
      {"64 KB pasted into the middle of 20 MB", Edit(20 * 1024, 0.5, 64, 0), EditWay::ControlUndo},
      {"a whole-text command on 1 MB", Edit(1024, 0.0, 1024, 1024), EditWay::Restream},
      {"half of 1 MB deleted", Edit(1024, 0.25, 0, 512), EditWay::Restream},
      {"a whole-text command on 10 KB", Edit(10, 0.0, 10, 10), EditWay::ControlUndo},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseEditWay(c.edit), c.way) << c.story;
  }
}

TEST(EditCost, AnEditUndoneIsTheEditItself) {
  const EditShape e = Edit(1024, 0.3, 64, 3);
  const EditShape back = e.Inverse().Inverse();
  EXPECT_EQ(back.inserted, e.inserted);
  EXPECT_EQ(back.removedBreaks, e.removedBreaks);
  EXPECT_EQ(back.rows, e.rows);
  EXPECT_EQ(back.length, e.length);
  // Undoing streams the text as it was before the edit.
  EXPECT_DOUBLE_EQ(RestreamCost(e.Inverse()), RestreamCost(Edit(1024, 0.3, 0, 0)));
}

}  // namespace
}  // namespace quillo

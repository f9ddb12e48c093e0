#include "core/settings_merge.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

SettingValues Stored(const char* text) { return ReadStoredSettings(IniFile(text)); }

// One window changed the date format since start (not written yet); another
// window's dialog wrote word wrap and a font: the reload takes the file's
// changes and keeps the window's own.
TEST(SettingsMerge, TakesTheFilesChangesAndKeepsTheWindowsOwn) {
  SettingValues base = Stored("[Options]\nWordWrap=1\nDateFormat=1\n[Font]\nName=Courier New\nSize=12\n");
  SettingValues disk = Stored(
      "[Options]\nWordWrap=0\nDateFormat=1\nTitleType=2\n[Font]\nName=Arial\nSize=20\n");
  SettingValues current = base;
  current.date_format = 4;
  current.fs_menu = true;

  EXPECT_EQ(MergeChangedSettings(base, disk, current), 3);
  EXPECT_FALSE(current.word_wrap);
  EXPECT_EQ(current.title_type, 2);
  EXPECT_EQ(current.font.name, "Arial");
  EXPECT_EQ(current.font.size, 20);
  EXPECT_EQ(current.date_format, 4);
  EXPECT_TRUE(current.fs_menu);
}

TEST(SettingsMerge, NeverTakesTheStartupBackgroundOrThePlacement) {
  SettingValues base = Stored("");
  SettingValues disk = Stored("[Options]\nBackground=$000080\n[View]\nWindowState=2\nLeft=5\n");
  SettingValues current = base;
  EXPECT_EQ(MergeChangedSettings(base, disk, current), 0);
  EXPECT_EQ(current, base);
}

// The merged values, read again as the file's base, change nothing more:
// a second reload of the same file is a no-op.
TEST(SettingsMerge, IsIdempotent) {
  SettingValues base = Stored("[Options]\nMRU=19\n");
  SettingValues disk = Stored("[Options]\nMRU=5\nIns=1\n[Font1]\nName=Tahoma\n");
  SettingValues current = base;
  current.ins = false;
  MergeChangedSettings(base, disk, current);
  SettingValues again = current;
  EXPECT_EQ(MergeChangedSettings(disk, disk, again), 0);
  EXPECT_EQ(again, current);
  EXPECT_EQ(current.mru, 5);
  EXPECT_TRUE(current.ins);
}

}  // namespace
}  // namespace quillo

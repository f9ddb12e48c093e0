#include "core/saved_caret.h"

#include <gtest/gtest.h>

#include "core/ini_file.h"
#include "core/win1251.h"

namespace quillo {
namespace {

TEST(SavedCaret, TheLastBookmarkWinsOverTheRecentFilesEntry) {
  MruManager recent(20);
  recent.Insert("C:\\other.txt", {9, 9});
  recent.Insert(Utf8ToWin1251("C:\\Письма\\ЁЛКА.TXT"), {1, 10});
  recent.Insert("C:\\only recent.txt", {2, 20});
  BmList bookmarks;
  bookmarks.Add("first", Utf8ToWin1251("c:\\письма\\ёлка.txt"), {3, 30});
  bookmarks.Add("other", "C:\\other.txt", {8, 8});
  bookmarks.Add("last", Utf8ToWin1251("C:\\ПИСЬМА\\Ёлка.txt"), {4, 40});

  struct Case {
    const char* opened;
    std::optional<CaretPos> caret;
  };
  const Case cases[] = {
      {"C:\\Письма\\ёлка.txt", CaretPos{4, 40}},
      {"c:\\ONLY RECENT.TXT", CaretPos{2, 20}},
      {"C:\\other.txt", CaretPos{8, 8}},
      {"C:\\unknown.txt", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SavedCaretFor(Utf8ToWin1251(c.opened), recent, bookmarks), c.caret) << c.opened;
  }
}

TEST(SavedCaret, TheNewestOfTwoRecentEntriesOfOneFileWins) {
  // Only a file written by hand or by an older program lists a file twice.
  MruManager recent(20);
  recent.Load(IniFile(
      "[MRU]\r\nFileName0=C:\\new.txt\r\nCaretPosY0=1\r\nFileName1=C:\\a.txt\r\nCaretPosY1=2\r\n"
      "FileName2=C:\\A.TXT\r\nCaretPosY2=3\r\n"));
  EXPECT_EQ(SavedCaretFor("C:\\a.txt", recent, BmList()), (CaretPos{0, 2}));
}

}  // namespace
}  // namespace quillo

#include "core/mru_manager.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/win1251.h"

namespace quillo {
namespace {

std::string W(const std::string& utf8) { return Utf8ToWin1251(utf8); }

std::string File(int n) { return "C:\\docs\\file" + std::to_string(n) + ".txt"; }

std::vector<std::string> Names(const MruManager& list) {
  std::vector<std::string> names;
  for (const RecentFile& item : list.Items()) names.push_back(item.file_name);
  return names;
}

// Files closed one after another, the first given closed first.
MruManager Closed(int max_count, const std::vector<std::string>& files) {
  MruManager list(max_count);
  for (const std::string& file : files) list.Insert(file, {0, 0});
  return list;
}

// What a window finds in the settings file after `list` was stored.
IniFile Stored(const MruManager& list, IniFile disk = IniFile()) {
  list.Save(disk);
  return IniFile(disk.ToText());
}

// Every file listed once at most, and never more entries than the capacity.
void ExpectSound(const MruManager& list) {
  EXPECT_LE(list.Count(), static_cast<std::size_t>(list.MaxCount()));
  for (std::size_t i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(list.Find(list.Items()[i].file_name), &list.Items()[i]) << "twice: " << i;
  }
}

TEST(RecentFilesCapacity, TheSettingPlusOneWithinTheMenuBlock) {
  struct Case {
    int setting;
    int capacity;
  };
  const Case cases[] = {{19, 20}, {0, 1}, {-1, 0}, {-7, 0}, {INT_MIN, 0}, {998, 999},
                        {999, 1000}, {5000, 1000}, {INT_MAX, 1000}};
  for (const Case& c : cases) {
    EXPECT_EQ(RecentFilesCapacity(c.setting), c.capacity) << c.setting;
    if (c.setting >= -1 && c.setting < 1000) {
      EXPECT_EQ(MruSettingFor(c.capacity), c.setting);
    }
  }
}

TEST(MruManager, TheTwentyFirstClosedFilePushesOutTheOldest) {
  std::vector<std::string> files;
  for (int n = 1; n <= 21; ++n) files.push_back(File(n));
  const MruManager list = Closed(RecentFilesCapacity(19), files);
  ASSERT_EQ(list.Count(), 20u);
  EXPECT_EQ(list.Items().front().file_name, File(21));
  EXPECT_EQ(list.Items().back().file_name, File(2));
  ExpectSound(list);
}

TEST(MruManager, CapacityZeroKeepsNothing) {
  MruManager list = Closed(RecentFilesCapacity(-1), {File(1), File(2)});
  EXPECT_EQ(list.Count(), 0u);
  list.Load(IniFile("[MRU]\r\nFileName0=C:\\a.txt\r\n"));
  EXPECT_EQ(list.Count(), 0u);
}

TEST(MruManager, LoweringTheCapacityDropsTheOldestAtOnce) {
  MruManager list = Closed(20, {File(1), File(2), File(3), File(4)});
  list.SetMaxCount(2);
  EXPECT_EQ(Names(list), (std::vector<std::string>{File(4), File(3)}));
  list.SetMaxCount(-3);
  EXPECT_EQ(list.Count(), 0u);
}

TEST(MruManager, AListedFileClosedAgainMovesToTheTopWithItsNewCaret) {
  // A full list: the file comes back without pushing another entry out.
  MruManager list = Closed(3, {File(1), File(2), File(3)});
  list.Insert(File(1), {4, 9});
  EXPECT_EQ(Names(list), (std::vector<std::string>{File(1), File(3), File(2)}));
  EXPECT_EQ(list.Items().front().caret, (CaretPos{4, 9}));
}

TEST(MruManager, ASpellingInAnotherLetterCaseIsTheSameFile) {
  MruManager list = Closed(20, {"C:\\A.TXT", File(1), W("C:\\ПИСЬМО.TXT")});
  list.Insert("c:\\a.txt", {1, 2});
  list.Insert(W("c:\\Письмо.txt"), {3, 4});
  EXPECT_EQ(Names(list), (std::vector<std::string>{W("c:\\Письмо.txt"), "c:\\a.txt", File(1)}));
  ASSERT_NE(list.Find("C:\\a.TXT"), nullptr);
  EXPECT_EQ(list.Find("C:\\a.TXT")->caret, (CaretPos{1, 2}));
  EXPECT_EQ(list.Find("C:\\b.txt"), nullptr);
}

TEST(MruManager, UntitledDocumentsAreNotListed) {
  MruManager list = Closed(20, {File(1), ""});
  EXPECT_EQ(Names(list), (std::vector<std::string>{File(1)}));
}

TEST(MruManager, ChoosingTheEntryOfTheOpenFileLeavesItOnceAtTheTop) {
  // file2 is open and listed from an earlier session; the user chooses that
  // entry: it is taken out, closing file2 lists it again with its present
  // caret, and the reopened file gets the chosen entry's caret.
  MruManager list(20);
  list.Insert(File(1), {0, 0});
  list.Insert(File(2), {3, 30});
  list.Insert(File(3), {0, 0});
  const RecentFile chosen = list.Items()[1];
  list.Delete(1);
  list.Insert(File(2), {7, 70});
  EXPECT_EQ(Names(list), (std::vector<std::string>{File(2), File(3), File(1)}));
  EXPECT_EQ(list.Items().front().caret, (CaretPos{7, 70}));
  EXPECT_EQ(chosen.caret, (CaretPos{3, 30}));
}

TEST(MruManager, CaptionShowsLineThenColumnFromOne) {
  struct Case {
    RecentFile entry;
    const char* caption;
  };
  const Case cases[] = {
      {{W("C:\\Мои документы\\Письма в банк и в налоговую инспекцию\\2006\\письмо.txt"), {0, 11}},
       "C:\\Мои документы\\...\\2006\\письмо.txt [12, 1]"},
      {{"C:\\a.txt", {4, 0}}, "C:\\a.txt [1, 5]"},
      {{"C:\\a.txt", {INT_MAX, INT_MAX}}, "C:\\a.txt [2147483648, 2147483648]"},
  };
  for (const Case& c : cases) EXPECT_EQ(RecentFileCaption(c.entry), c.caption);
}

TEST(MruStorage, ThreeNumberedKeysPerEntryInASectionOfItsOwn) {
  IniFile settings("[Options]\r\nMRU=19\r\n[MRU]\r\nFileName7=C:\\stale.txt\r\n");
  MruManager list = Closed(20, {"C:\\old.txt", W("C:\\Документы\\новый.txt")});
  list.Save(settings);
  EXPECT_EQ(settings.ToText(),
            "[Options]\r\nMRU=19\r\n\r\n"
            "[MRU]\r\nFileName0=" + W("C:\\Документы\\новый.txt") +
                "\r\nCaretPosX0=0\r\nCaretPosY0=0\r\n"
                "FileName1=C:\\old.txt\r\nCaretPosX1=0\r\nCaretPosY1=0\r\n\r\n");
}

TEST(MruStorage, ARestartGivesTheSameList) {
  MruManager list(20);
  list.Insert(W("C:\\Мои документы\\ёлка.txt"), {3, 120});
  list.Insert("\\\\server\\share\\a.txt", {0, 2147483647});
  MruManager restarted(20);
  restarted.Load(Stored(list));
  EXPECT_EQ(restarted.Items(), list.Items());
  EXPECT_FALSE(restarted.HasChanges());
}

TEST(MruStorage, LoadingStopsAtAGapAndReadsBadNumbersAsZero) {
  MruManager list(20);
  list.Load(IniFile(
      "[MRU]\r\nFileName0=C:\\a.txt\r\nCaretPosX0=x\r\nCaretPosY0=5\r\n"
      "FileName1=C:\\b.txt\r\nFileName3=C:\\after gap.txt\r\n"));
  EXPECT_EQ(list.Items(), (std::vector<RecentFile>{{"C:\\a.txt", {0, 5}}, {"C:\\b.txt", {0, 0}}}));
}

TEST(MruStorage, LoadingDropsOnlyCopiesOfTheNewestEntry) {
  MruManager list(20);
  list.Load(IniFile(
      "[MRU]\r\nFileName0=C:\\a.txt\r\nFileName1=C:\\b.txt\r\nFileName2=c:\\A.TXT\r\n"
      "FileName3=C:\\b.txt\r\nFileName4=C:\\c.txt\r\n"));
  EXPECT_EQ(Names(list),
            (std::vector<std::string>{"C:\\a.txt", "C:\\b.txt", "C:\\b.txt", "C:\\c.txt"}));
  list.SetMaxCount(2);
  list.Load(IniFile("[MRU]\r\nFileName0=C:\\a.txt\r\nFileName1=C:\\A.txt\r\nFileName2=C:\\c.txt\r\n"
                    "FileName3=C:\\d.txt\r\n"));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"C:\\a.txt", "C:\\c.txt"}));
}

TEST(MruSharing, TwoWindowsSavingInTurnKeepBothWindowsChanges) {
  IniFile disk = Stored(Closed(20, {File(1), File(2), File(3)}));
  MruManager first(20), second(20);
  first.Load(disk);
  second.Load(disk);

  first.Insert(File(10), {1, 1});
  second.Insert(File(20), {2, 2});
  second.Delete(second.Count() - 1);  // file1, chosen and found missing

  first.Rebase(disk);
  disk = Stored(first, disk);
  first.ChangesStored();

  second.Rebase(disk);
  disk = Stored(second, disk);
  second.ChangesStored();

  MruManager restarted(20);
  restarted.Load(disk);
  EXPECT_EQ(Names(restarted), (std::vector<std::string>{File(20), File(10), File(3), File(2)}));
  EXPECT_EQ(restarted.Items(), second.Items());
  ExpectSound(restarted);
}

TEST(MruSharing, ChangesNotYetWrittenAreAppliedAgainAndOnlyOnce) {
  const IniFile disk = Stored(Closed(20, {File(1), File(2)}));
  MruManager list(20);
  list.Load(disk);
  list.Insert(File(1), {5, 5});
  list.Clear();
  list.Insert(File(3), {6, 6});

  list.Rebase(disk);  // the write failed: the same changes again
  list.Rebase(disk);
  EXPECT_EQ(list.Items(), (std::vector<RecentFile>{{File(3), {6, 6}}}));
  EXPECT_TRUE(list.HasChanges());

  const IniFile written = Stored(list, disk);
  list.ChangesStored();
  list.Rebase(written);
  EXPECT_EQ(list.Items(), (std::vector<RecentFile>{{File(3), {6, 6}}}));
  EXPECT_FALSE(list.HasChanges());
}

TEST(MruSharing, ASmallerCapacityInAnotherWindowIsNotForcedOnThisOne) {
  const IniFile disk = Stored(Closed(20, {File(1), File(2), File(3), File(4)}));
  MruManager narrow(2);
  narrow.Insert(File(5), {0, 0});
  narrow.Rebase(disk);
  EXPECT_EQ(Names(narrow), (std::vector<std::string>{File(5), File(4)}));
}

}  // namespace
}  // namespace quillo

#include "core/bookmark_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/win1251.h"

namespace quillo {
namespace {

std::string W(const std::string& utf8) { return Utf8ToWin1251(utf8); }

std::vector<std::string> Names(const BmList& list) {
  std::vector<std::string> names;
  for (const Bookmark& item : list.Items()) names.push_back(item.name);
  return names;
}

// The list another window reads from the file `list` wrote.
BmList Reread(const BmList& list) {
  BmList reread;
  reread.Load(IniFile(list.ToText()));
  return reread;
}

TEST(BmStorage, CyrillicNamesAndPathsSurviveTheFile) {
  BmList list;
  list.Add(W("письмо в банк.txt (12, 1)"), W("C:\\Мои документы\\письмо в банк.txt"), {0, 11});
  list.Add(W("Ёлка [черновик]"), W("\\\\сервер\\общая\\ёлка.txt"), {5, 2147483647});
  list.Add("plain", "C:\\a.txt", {-1, 3});
  EXPECT_EQ(Reread(list).Items(), list.Items());
  const std::string head = W(
      "[письмо в банк.txt (12, 1)]\r\nFileName=C:\\Мои документы\\письмо в банк.txt\r\n"
      "CaretPosX=0\r\nCaretPosY=11\r\n\r\n[Ёлка [черновик]]\r\n");
  EXPECT_EQ(list.ToText().substr(0, head.size()), head);
}

TEST(BmStorage, AnyTypedNameReadsBackAsTheNameStored) {
  const char* typed[] = {"", "  ", " отступ ", "строка\r\nдве", "a]b", "[x]", "[", "]",
                         "k=v", "; не комментарий", "\tтаб\t", "[Раздел]\r\nFileName=C:\\x"};
  for (const char* name : typed) {
    BmList list;
    list.Add("before", "C:\\1.txt", {1, 1});
    list.Add(W(name), "C:\\2.txt", {2, 2});
    list.Add("after", "C:\\3.txt", {3, 3});
    const BmList reread = Reread(list);
    EXPECT_EQ(reread.Items(), list.Items()) << name;
    EXPECT_EQ(reread.Items()[1].name, StorableBookmarkName(W(name))) << name;
  }
  EXPECT_EQ(StorableBookmarkName(W(" строка\r\nдве\n")), W("строка  две"));
}

TEST(BmStorage, ReadingTakesSectionsInFileOrderWithZeroForBadNumbers) {
  BmList list;
  list.Load(IniFile(W("; comment\r\n[Второй]\r\nCaretPosY=7\r\nCaretPosX=abc\r\n"
                      "[первый]\r\nFileName=C:\\1.txt\r\n[ВТОРОЙ]\r\nFileName=C:\\2.txt\r\n")));
  EXPECT_EQ(list.Items(), (std::vector<Bookmark>{{W("Второй"), "C:\\2.txt", {0, 7}},
                                                 {W("первый"), "C:\\1.txt", {0, 0}}}));
}

TEST(BmList, ANameInUseTakesTheNewPlaceWhereItStands) {
  BmList list;
  list.Add(W("Работа"), "C:\\old.txt", {1, 1});
  list.Add("other", "C:\\other.txt", {2, 2});
  EXPECT_EQ(list.Add(W("РАБОТА"), "C:\\new.txt", {3, 3}), 0u);
  EXPECT_EQ(list.Items(), (std::vector<Bookmark>{{W("РАБОТА"), "C:\\new.txt", {3, 3}},
                                                 {"other", "C:\\other.txt", {2, 2}}}));
  EXPECT_EQ(Reread(list).Items(), list.Items());
}

TEST(BmList, DeletingTheLastBookmarkLeavesNoFile) {
  BmList list;
  list.Add("a", "C:\\a.txt", {0, 0});
  list.Delete(0);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.ToText(), "");
}

TEST(BmList, ProposedNameIsTheFileNameWithLineAndColumnFromOne) {
  EXPECT_EQ(ProposedBookmarkName(W("C:\\Мои документы\\письмо.txt"), {0, 11}),
            W("письмо.txt (12, 1)"));
  EXPECT_EQ(ProposedBookmarkName("\\\\srv\\share\\a.txt", {2147483647, 0}),
            "a.txt (1, 2147483648)");
}

TEST(BmSharing, TwoWindowsChangingInTurnKeepBothWindowsChanges) {
  BmList seed;
  seed.Add("a", "C:\\a.txt", {0, 0});
  seed.Add("b", "C:\\b.txt", {0, 0});
  seed.Add("c", "C:\\c.txt", {0, 0});
  IniFile disk(seed.ToText());
  BmList first, second;
  first.Load(disk);
  second.Load(disk);

  first.Add(W("из первого"), "C:\\1.txt", {1, 1});
  second.Add(W("из второго"), "C:\\2.txt", {2, 2});
  second.Delete(1);  // "b"
  second.Add("a", "C:\\moved.txt", {9, 9});

  for (BmList* window : {&first, &second}) {
    window->Rebase(disk);
    disk = IniFile(window->ToText());
    window->ChangesStored();
  }
  first.Rebase(disk);  // the reload the second window's message asks for
  EXPECT_EQ(Names(first), (std::vector<std::string>{"a", "c", W("из первого"), W("из второго")}));
  EXPECT_EQ(first.Items()[0].file_name, "C:\\moved.txt");
  EXPECT_EQ(first.Items(), second.Items());
}

TEST(BmSharing, AReloadKeepsAChangeThatCouldNotBeWritten) {
  BmList list;
  list.Add("unsaved", "C:\\u.txt", {4, 4});
  list.Rebase(IniFile("[other]\r\nFileName=C:\\o.txt\r\n"));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"other", "unsaved"}));
  list.ChangesStored();
  list.Rebase(IniFile("[other]\r\nFileName=C:\\o.txt\r\n"));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"other"}));
}

}  // namespace
}  // namespace quillo

// Recent files and bookmarks of real windows: what they reopen, what reaches
// the settings file and "Bookmarks.ini", and how windows share them.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/action_table.h"
#include "core/ini_file.h"
#include "core/menu_layout.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

void Do(Quillo& q, ActionId id) { q.Send(WM_COMMAND, static_cast<WPARAM>(id)); }
WPARAM RecentFileItem(int index) {
  return static_cast<WPARAM>(GetRuntimeList(RuntimeList::RecentFiles).firstCommandId + index);
}
WPARAM BookmarkItem(int index) {
  return static_cast<WPARAM>(GetRuntimeList(RuntimeList::Bookmarks).firstCommandId + index);
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[1024] = {};
  SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

// Ends the program, answering "No" to a save question.
void Exit(Quillo& q) {
  q.Post(WM_CLOSE);
  WaitUntil([&] {
    if (HWND box = q.WaitForMessageBox("Внимание", 0ms)) Quillo::Press(box, IDNO);
    return !q.Running();
  });
}

// "Добавить…" answered with `name`; gives the name the box proposed.
std::wstring AddBookmark(Quillo& q, std::string_view name) {
  q.Command(static_cast<UINT>(ActionId::BMAdd));
  HWND box = q.WaitForMessageBox("Добавление закладки");
  if (!box) return L"<no input box>";
  HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
  std::wstring proposed = WindowText(edit);
  std::wstring typed = W(name);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  Quillo::Press(box, IDOK);
  return proposed;
}

std::vector<std::string> BookmarkNames(const Scratch& scratch) {
  if (!scratch.Exists(L"Bookmarks.ini")) return {};
  return IniFile(scratch.ReadFile(L"Bookmarks.ini")).Sections();
}

TEST(RecentFiles, AClosedFileReopensAtItsCaretFromHistoryAndAfterARestart) {
  Scratch scratch("mru-reopen");
  scratch.WriteSettings("[Options]\r\nSavePosition=1\r\n");
  scratch.WriteFile(L"письмо.txt", Cp1251("первая\r\nвторая\r\nтретья строка\r\n"));
  const std::wstring letter = scratch.Path(L"письмо.txt");
  const int caret = 7 + 7 + 4;  // line 3, column 5; the control counts one per line break
  {
    Quillo q(scratch, Quoted(letter));
    q.MainWindow();
    q.Select(caret, caret);
    Do(q, ActionId::FileNew);
    ASSERT_EQ(q.Caption(), L"Quillo");
    q.Send(WM_COMMAND, RecentFileItem(0));
    EXPECT_EQ(q.Caption(), letter + L" - Quillo");
    EXPECT_EQ(q.Selection(), std::make_pair(caret, caret));
    Exit(q);
  }
  // Listed once, with the caret it had when the program ended.
  std::string ini = scratch.ReadFile(L"quillo.ini");
  EXPECT_NE(ini.find("[MRU]\r\nFileName0=" + Cp1251(U8(letter)) + "\r\nCaretPosX0=4\r\nCaretPosY0=2\r\n\r\n"),
            std::string::npos)
      << ini;
  Quillo q(scratch, Quoted(letter));
  q.MainWindow();
  EXPECT_EQ(q.Selection(), std::make_pair(caret, caret));
  Exit(q);
}

TEST(RecentFiles, TwoWindowsEndingTogetherKeepEachOthersFiles) {
  Scratch scratch("mru-two");
  scratch.WriteSettings("[Options]\r\n");
  scratch.WriteFile(L"a.txt", "a");
  scratch.WriteFile(L"b.txt", "b");
  Quillo qa(scratch, Quoted(scratch.Path(L"a.txt")));
  Quillo qb(scratch, Quoted(scratch.Path(L"b.txt")));
  qa.MainWindow();
  qb.MainWindow();
  qa.Post(WM_CLOSE);
  qb.Post(WM_CLOSE);
  ASSERT_TRUE(qa.WaitForExit());
  ASSERT_TRUE(qb.WaitForExit());
  IniFile ini(scratch.ReadFile(L"quillo.ini"));
  std::vector<std::string> names{ini.ReadString("MRU", "FileName0", ""),
                                 ini.ReadString("MRU", "FileName1", "")};
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{U8(scratch.Path(L"a.txt")), U8(scratch.Path(L"b.txt"))}));
}

TEST(RecentFiles, AMissingFileIsOfferedForRemoval) {
  Scratch scratch("mru-missing");
  const std::string gone = U8(scratch.Path(L"gone.txt"));
  scratch.WriteSettings("[MRU]\r\nFileName0=" + gone + "\r\nCaretPosX0=0\r\nCaretPosY0=0\r\n");
  Quillo q(scratch);
  q.MainWindow();
  q.Post(WM_COMMAND, RecentFileItem(0));
  HWND box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Quillo::MessageBoxText(box).find(W("gone.txt не найден")), std::wstring::npos);
  Quillo::Press(box, IDYES);
  Exit(q);
  EXPECT_EQ(scratch.ReadFile(L"quillo.ini").find("FileName0"), std::string::npos);
}

TEST(Bookmarks, AddedInOneWindowItOpensFromAnother) {
  Scratch scratch("bm-share");
  scratch.WriteFile(L"a.txt", Cp1251("строка 1\r\nстрока 2\r\n"));
  scratch.WriteFile(L"b.txt", "b");
  const std::wstring a = scratch.Path(L"a.txt");
  Quillo qa(scratch, Quoted(a));
  Quillo qb(scratch, Quoted(scratch.Path(L"b.txt")));
  qa.MainWindow();
  qb.MainWindow();
  const int caret = 9 + 3;  // line 2, column 4
  qa.Select(caret, caret);
  EXPECT_EQ(AddBookmark(qa, "моя закладка"), L"a.txt (2, 4)");
  const std::vector<std::string> added{Cp1251("моя закладка")};
  ASSERT_TRUE(WaitUntil([&] { return BookmarkNames(scratch) == added; }));
  // The other window read the file again: its first bookmark opens a.txt there.
  EXPECT_TRUE(WaitUntil([&] {
    qb.Post(WM_COMMAND, BookmarkItem(0));
    Sleep(100);
    return qb.Caption() == a + L" - Quillo";
  }));
  EXPECT_EQ(qb.Selection(), std::make_pair(caret, caret));
  Exit(qa);
  Exit(qb);
}

TEST(Bookmarks, TwoWindowsAddingAtTheSameMomentKeepBoth) {
  Scratch scratch("bm-race");
  scratch.WriteFile(L"a.txt", "a");
  scratch.WriteFile(L"b.txt", "b");
  Quillo qa(scratch, Quoted(scratch.Path(L"a.txt")));
  Quillo qb(scratch, Quoted(scratch.Path(L"b.txt")));
  qa.MainWindow();
  qb.MainWindow();
  std::vector<std::string> expected;
  for (int round = 0; round < 3; ++round) {
    qa.Command(static_cast<UINT>(ActionId::BMAdd));
    qb.Command(static_cast<UINT>(ActionId::BMAdd));
    HWND boxA = qa.WaitForMessageBox("Добавление закладки");
    HWND boxB = qb.WaitForMessageBox("Добавление закладки");
    ASSERT_TRUE(boxA && boxB);
    for (HWND box : {boxA, boxB}) {
      std::string name(1, box == boxA ? 'A' : 'B');
      name += std::to_string(round);
      std::wstring typed = W(name);
      SendMessageW(FindWindowExW(box, nullptr, L"Edit", nullptr), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(typed.c_str()));
      expected.push_back(name);
    }
    // Both answered at once: the two windows write the file at the same time.
    Quillo::Press(boxA, IDOK);
    Quillo::Press(boxB, IDOK);
    // A box takes a while to go under Wine: the next round must not find it.
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(boxA) && !IsWindow(boxB); }));
  }
  auto sorted = [](std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  };
  EXPECT_TRUE(WaitUntil([&] { return sorted(BookmarkNames(scratch)) == sorted(expected); }))
      << scratch.ReadFile(L"Bookmarks.ini");
  Exit(qa);
  Exit(qb);
  EXPECT_EQ(sorted(BookmarkNames(scratch)), sorted(expected));
}

TEST(Bookmarks, AMissingFileOffersDeletionAndDeletingTheLastOneDeletesTheFile) {
  Scratch scratch("bm-delete");
  scratch.WriteFile(L"a.txt", "a");
  scratch.WriteFile(L"Bookmarks.ini", "[gone]\r\nFileName=" + U8(scratch.Path(L"gone.txt")) +
                                          "\r\nCaretPosX=0\r\nCaretPosY=0\r\n\r\n[here]\r\nFileName=" +
                                          U8(scratch.Path(L"a.txt")) + "\r\nCaretPosX=0\r\nCaretPosY=0\r\n");
  Quillo q(scratch);
  q.MainWindow();
  q.Post(WM_COMMAND, BookmarkItem(0));
  HWND box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Quillo::MessageBoxText(box).find(W("gone.txt не найден. Удалить эту закладку?")),
            std::wstring::npos);
  Quillo::Press(box, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return BookmarkNames(scratch) == std::vector<std::string>{"here"}; }));

  q.Command(static_cast<UINT>(ActionId::BMDelete));
  HWND dialog = q.WaitForMessageBox("Удалить");
  ASSERT_NE(dialog, nullptr);
  HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
  SendMessageW(list, LB_SETSEL, TRUE, 0);
  PostMessageW(dialog, WM_COMMAND, 101, 0);  // "Удалить"
  EXPECT_TRUE(WaitUntil([&] { return !scratch.Exists(L"Bookmarks.ini"); }));
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 0; }));
  Quillo::Press(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  Exit(q);
  EXPECT_FALSE(scratch.Exists(L"Bookmarks.ini"));
}

}  // namespace
}  // namespace quillo::e2e

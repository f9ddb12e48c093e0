// The window around the text: status bar panels and clicks, the title for
// each title type, the bar toggles and the help commands.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

struct Panels {
  const char* caret;
  const char* lines;
  const char* reach;
  const char* modified;
  const char* mode;
};

void ExpectPanels(Quillo& q, const Panels& p, const std::wstring& path) {
  EXPECT_EQ(q.StatusText(0), W(p.caret));
  EXPECT_EQ(q.StatusText(1), W(p.lines));
  EXPECT_EQ(q.StatusText(2), W(p.reach));
  EXPECT_EQ(q.StatusText(3), W(p.modified));
  EXPECT_EQ(q.StatusText(4), W(p.mode));
  EXPECT_EQ(q.StatusText(6), path);
}

TEST(StatusBar, EmptyDocument) {
  Scratch scratch("status-empty");
  Quillo q(scratch);
  q.MainWindow();
  ExpectPanels(q, {"1:1", "Всего строк: 0", "100%", "", "Вставка"}, L"");
}

TEST(StatusBar, FollowsTheCaretTheTextAndTheInsertMode) {
  Scratch scratch("status-caret");
  scratch.WriteFile(L"doc.txt", "one\r\ntwo\r\nthree\r\nfour\r\nfive");
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();
  ExpectPanels(q, {"1:1", "Всего строк: 5", "100%", "", "Вставка"}, scratch.Path(L"doc.txt"));
  q.Keys("ctrl+Home Down Down");
  EXPECT_EQ(q.StatusTextWhen(0, L"3:1"), L"3:1");
  q.Keys("End");
  EXPECT_EQ(q.StatusTextWhen(0, L"3:6"), L"3:6");
  q.Type("x");
  EXPECT_EQ(q.StatusTextWhen(3, W("Изменен")), W("Изменен"));
  EXPECT_EQ(q.StatusText(0), L"3:7");
  q.Keys("Insert");
  EXPECT_EQ(q.StatusTextWhen(4, W("Замена")), W("Замена"));
  // A command run by its key refreshes the panels too.
  q.Keys("ctrl+s");
  EXPECT_EQ(q.StatusTextWhen(3, L""), L"");
  EXPECT_EQ(scratch.ReadFile(L"doc.txt"), "one\r\ntwo\r\nthreex\r\nfour\r\nfive");
}

TEST(StatusBar, DoubleClickOnTheReachPanelJumpsBetweenStartAndEnd) {
  Scratch scratch("status-reach");
  scratch.WriteFile(L"doc.txt", "alpha\r\nbeta\r\ngamma");
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();
  q.Select(0, 0);
  RECT reach = q.StatusPanelRect(2);
  ASSERT_GT(reach.right, reach.left);
  const int x = (reach.left + reach.right) / 2, y = (reach.top + reach.bottom) / 2;
  const int length = 5 + 1 + 4 + 1 + 5;  // one index per line break
  q.DoubleClick(q.StatusBar(), x, y);
  EXPECT_TRUE(WaitUntil([&] { return q.Selection() == std::pair{length, length}; }, 3s))
      << q.Selection().first;
  EXPECT_EQ(q.StatusText(0), L"3:6");
  // Past the double-click time, and a few pixels aside: under Xvfb a second
  // pair of clicks on exactly the same spot never arrives.
  Sleep(700);
  q.DoubleClick(q.StatusBar(), x + 4, y);
  EXPECT_TRUE(WaitUntil([&] { return q.Selection() == std::pair{0, 0}; }, 3s))
      << q.Selection().first;
  EXPECT_EQ(q.StatusText(0), L"1:1");
}

TEST(Title, EachTitleTypeNamesTheFileItsWay) {
  struct Case {
    const char* titleType;
    bool withFile;
    std::wstring (*expected)(const Scratch&);
  };
  const Case cases[] = {
      {"0", true, [](const Scratch&) { return std::wstring(L"doc.txt - Quillo"); }},
      {"1", true, [](const Scratch& s) { return s.Path(L"doc.txt") + L" - Quillo"; }},
      {"2", true, [](const Scratch& s) { return L"doc.txt @" + s.Folder() + L" - Quillo"; }},
      {"7", true, [](const Scratch& s) { return L"doc.txt @" + s.Folder() + L" - Quillo"; }},
      {"2", false, [](const Scratch&) { return std::wstring(L"Quillo"); }},
  };
  for (const Case& c : cases) {
    Scratch scratch("title");
    scratch.WriteSettings(std::string("[Options]\r\nTitleType=") + c.titleType + "\r\n");
    scratch.WriteFile(L"doc.txt", "x");
    Quillo q(scratch, c.withFile ? L"\"" + scratch.Path(L"doc.txt") + L"\"" : L"");
    q.MainWindow();
    EXPECT_EQ(q.Caption(), c.expected(scratch)) << "TitleType " << c.titleType;
  }
}

TEST(Bars, BothToggleTogetherAndTheSettingsRememberIt) {
  Scratch scratch("bars");
  Quillo q(scratch);
  HWND main = q.MainWindow();
  HWND toolBar = FindWindowExW(main, nullptr, L"ToolbarWindow32", nullptr);
  ASSERT_NE(toolBar, nullptr);
  ASSERT_TRUE(IsWindowVisible(q.StatusBar()));
  ASSERT_TRUE(IsWindowVisible(toolBar));
  // Ctrl+Alt+F11 does the same, but the X server keeps Ctrl+Alt+F-keys for
  // switching consoles, so only Shift+Ctrl+H reaches the program here.
  // A key can reach the program after the harness stopped waiting for it.
  auto barsShown = [&](bool status, bool tool) {
    return WaitUntil([&] {
      return (IsWindowVisible(q.StatusBar()) != 0) == status && (IsWindowVisible(toolBar) != 0) == tool;
    }, 5s);
  };
  q.Keys("shift+ctrl+h");
  EXPECT_TRUE(barsShown(false, false)) << "both hidden";
  q.Keys("shift+ctrl+h");
  EXPECT_TRUE(barsShown(true, true)) << "both shown again";
  q.Keys("ctrl+alt+t");
  EXPECT_TRUE(barsShown(false, true)) << "the status bar alone hidden";
  q.Keys("Escape");
  ASSERT_TRUE(q.WaitForExit());
  const std::string ini = scratch.ReadFile(L"Quillo2.ini");
  EXPECT_NE(ini.find("StatusBar=0"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ToolBar=1"), std::string::npos) << ini;
}

TEST(Help, MissingHelpFileIsReportedAndTheAboutBoxShowsTheVersion) {
  Scratch scratch("help");
  Quillo q(scratch);
  q.MainWindow();
  struct Case {
    const char* keys;
    const char* caption;
    const char* textPart;
  };
  const Case cases[] = {
      {"F1", "Информация", "Quillo2.chm"},
      {"ctrl+F1", "О программе", "Quillo\nВерсия 2.0.0.0"},
  };
  for (const Case& c : cases) {
    q.Keys(c.keys);
    HWND box = q.WaitForMessageBox(c.caption);
    ASSERT_NE(box, nullptr) << c.keys;
    EXPECT_NE(Quillo::MessageBoxText(box).find(W(c.textPart)), std::wstring::npos)
        << U8(Quillo::MessageBoxText(box));
    Quillo::Press(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5s));
  }
}

}  // namespace
}  // namespace quillo::e2e

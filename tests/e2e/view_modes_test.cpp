// How the document is shown: word wrap, the read-only view, fonts, the
// background and full-screen mode, driven from outside and remembered in the
// settings file.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

std::string LongLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += Cp1251("строка " + std::to_string(i) + ", довольно длинная, чтобы не поместиться в одну "
                   "строку окна при переносе по словам, ещё немного слов сверху\r\n");
  return text;
}

// The control's rows as it lays them out (visual rows with word wrap).
int Rows(Quillo& q) { return static_cast<int>(SendMessageW(q.Editor(), EM_GETLINECOUNT, 0, 0)); }
int FirstVisibleRow(Quillo& q) {
  return static_cast<int>(SendMessageW(q.Editor(), EM_GETFIRSTVISIBLELINE, 0, 0));
}

// EM_SETBKGNDCOLOR answers with the colour it replaces: setting the colour
// expected tells whether it was there, and changes nothing if it was.
bool BackgroundIs(Quillo& q, COLORREF expected) {
  return static_cast<COLORREF>(SendMessageW(q.Editor(), EM_SETBKGNDCOLOR, 0, expected)) == expected;
}

// Keys reach the window under the pointer (bare Xvfb).
void PointAt(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  RunXdotool(L"mousemove --sync " + std::to_wstring((rc.left + rc.right) / 2) + L" " +
             std::to_wstring((rc.top + rc.bottom) / 2));
}

// A menu command, run to its end.
void RunCommand(Quillo& q, UINT command) { q.Send(WM_COMMAND, command, 0); }

// A menu command run while a modifier key is held down.
void CommandWithKeyHeld(Quillo& q, const char* key, UINT command) {
  PointAt(q.MainWindow());
  q.Keys("");
  RunXdotool(L"keydown " + W(key));
  Sleep(150);
  q.Send(WM_NULL);
  RunCommand(q, command);
  RunXdotool(L"keyup " + W(key));
  Sleep(100);
}

// The settings file the program used: beside it when the test wrote one.
std::string Settings(const Scratch& scratch) {
  return scratch.Exists(L"quillo.ini") ? scratch.ReadFile(L"quillo.ini") : scratch.ReadFile(L"Quillo2.ini");
}

std::string IniSection(const std::string& ini, const std::string& section) {
  size_t at = ini.find("[" + section + "]");
  if (at == std::string::npos) return {};
  size_t end = ini.find("\r\n[", at);
  return ini.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

TEST(WordWrap, ToggledByItsKeyAndRememberedAcrossARestart) {
  Scratch scratch("wrap");
  scratch.WriteFile(L"doc.txt", LongLines(30));
  const std::wstring doc = L"\"" + scratch.Path(L"doc.txt") + L"\"";
  {
    Quillo q(scratch, doc);
    q.MainWindow();
    ASSERT_GT(Rows(q), 31) << "word wrap is on by default";
    q.Keys("ctrl+w");
    EXPECT_EQ(Rows(q), 31);
    q.Keys("Escape");
    ASSERT_TRUE(q.WaitForExit());
  }
  EXPECT_NE(Settings(scratch).find("WordWrap=0"), std::string::npos);
  Quillo q(scratch, doc);
  q.MainWindow();
  EXPECT_EQ(Rows(q), 31) << "the next start keeps it off";
  q.Keys("ctrl+w");
  EXPECT_GT(Rows(q), 31);
  EXPECT_EQ(q.Text(), LongLines(30));
}

TEST(ReadOnlyView, RefusesTypingPagesWithSpaceAndColoursTheBackground) {
  Scratch scratch("read-only");
  scratch.WriteSettings(
      "[Options]\r\nBackground=$FFFFFF\r\nWordWrap=0\r\n"
      "[ReadOnly]\r\nBackground=$FFFFE0\r\nEnableOptions=1\r\nScrollLock=1\r\n");
  scratch.WriteFile(L"doc.txt", LongLines(200));
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();
  q.Keys("ctrl+shift+alt+r");
  EXPECT_TRUE(BackgroundIs(q, RGB(0xFF, 0xFF, 0xE0)));
  q.Type("abc");
  EXPECT_EQ(q.Text(), LongLines(200));
  EXPECT_EQ(FirstVisibleRow(q), 0);
  q.Keys("space");
  const int afterSpace = FirstVisibleRow(q);
  EXPECT_GT(afterSpace, 10) << "Space pages down";
  // Scroll Lock is on for the program: Down scrolls, the caret stays.
  q.Keys("Down Down");
  EXPECT_EQ(FirstVisibleRow(q), afterSpace + 2);
  EXPECT_EQ(q.Selection(), std::make_pair(0, 0));

  q.Keys("ctrl+shift+alt+r");
  EXPECT_TRUE(BackgroundIs(q, RGB(0xFF, 0xFF, 0xFF)));
  q.Keys("ctrl+Home");
  q.Type("x");
  const std::string typed = q.Text();
  EXPECT_EQ(typed.substr(0, 1), "x");
  EXPECT_EQ(typed.substr(1), LongLines(200));
}

TEST(Fonts, SizeStepsAndPresetsAreWrittenToTheSettings) {
  Scratch scratch("fonts");
  scratch.WriteSettings(
      "[Font]\r\nName=Courier New\r\nSize=12\r\n"
      "[Font1]\r\nName=Arial\r\nSize=10\r\n");
  Quillo q(scratch);
  q.MainWindow();
  q.Keys("ctrl+bracketright ctrl+bracketright ctrl+bracketleft");  // 12 + 1 + 1 - 1
  // Preset 2 takes the editor's font with Ctrl held; preset 1 without keys
  // becomes the editor's font.
  CommandWithKeyHeld(q, "ctrl", static_cast<UINT>(1104));  // OptFont2
  RunCommand(q, 1103);                                      // OptFont1
  q.Keys("Escape");
  ASSERT_TRUE(q.WaitForExit());
  const std::string ini = Settings(scratch);
  const std::string font = IniSection(ini, "Font"), font2 = IniSection(ini, "Font2");
  EXPECT_NE(font.find("Name=Arial"), std::string::npos) << ini;
  EXPECT_NE(font.find("Size=10"), std::string::npos) << ini;
  EXPECT_NE(font2.find("Name=Courier New"), std::string::npos) << ini;
  EXPECT_NE(font2.find("Size=13"), std::string::npos) << ini;
}

TEST(Background, ACustomColourIsAppliedAndRemembered) {
  Scratch scratch("background");
  scratch.WriteSettings("[Options]\r\nBackground=$FFFFFF\r\n[CustomColors]\r\nColorC=$C0E0FF\r\n");
  {
    Quillo q(scratch);
    q.MainWindow();
    RunCommand(q, 6100 + 2);  // the third custom colour of "Фон"
    EXPECT_TRUE(BackgroundIs(q, RGB(0xC0, 0xE0, 0xFF)));
    q.Keys("Escape");
    ASSERT_TRUE(q.WaitForExit());
  }
  EXPECT_NE(Settings(scratch).find("Background=$C0E0FF"), std::string::npos);
  Quillo q(scratch);
  q.MainWindow();
  EXPECT_TRUE(BackgroundIs(q, RGB(0xC0, 0xE0, 0xFF)));
}

TEST(FullScreen, EnteredAndLeftKeepingTheDocumentAndTheWindow) {
  Scratch scratch("full-screen");
  scratch.WriteSettings("[View]\r\nWindowState=1\r\nLeft=40\r\nTop=30\r\nWidth=600\r\nHeight=400\r\n");
  scratch.WriteFile(L"doc.txt", LongLines(100));
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  HWND main = q.MainWindow();
  RECT before{};
  GetWindowRect(main, &before);
  PointAt(main);
  q.Type("x");
  const auto hasStyle = [](HWND h, LONG_PTR style) { return (GetWindowLongPtrW(h, GWL_STYLE) & style) != 0; };

  RunCommand(q, 1100);  // OptFullScreen ("Во весь экран")
  EXPECT_FALSE(hasStyle(main, WS_CAPTION));
  EXPECT_EQ(GetMenu(main), nullptr);
  EXPECT_FALSE(hasStyle(q.Editor(), WS_VSCROLL));
  EXPECT_TRUE(IsWindowVisible(q.StatusBar()));
  EXPECT_EQ(q.StatusText(3), W("Изменен"));
  // Without scroll bars a wheel step scrolls three lines.
  const int top = FirstVisibleRow(q);
  SendMessageW(q.Editor(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(FirstVisibleRow(q), top + 3);

  RunCommand(q, 1100);
  RECT after{};
  GetWindowRect(main, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_TRUE(hasStyle(main, WS_CAPTION));
  EXPECT_NE(GetMenu(main), nullptr);
  EXPECT_TRUE(hasStyle(q.Editor(), WS_VSCROLL));
  EXPECT_EQ(q.StatusText(3), W("Изменен"));

  // Shift held: no bars this time, whatever the settings say.
  CommandWithKeyHeld(q, "shift", 1100);  // OptFullScreen
  EXPECT_FALSE(IsWindowVisible(q.StatusBar()));
  RunCommand(q, 1100);
  EXPECT_TRUE(IsWindowVisible(q.StatusBar()));
}

}  // namespace
}  // namespace quillo::e2e

// The editor's own keys and file loading, driven as a user would.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

TEST(EditorKeys, InsertPastesWhenTheSettingIsOn) {
  Scratch scratch("ins");
  scratch.WriteSettings("[Options]\r\nIns=1\r\n");
  scratch.WriteFile(L"doc.txt", "abc");
  SetClipboardText("ВСТАВКА");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Select(3, 3);
  ASSERT_EQ(q.Selection(), std::make_pair(3, 3));
  q.Keys("Insert");
  EXPECT_EQ(q.Text(), "abc" + Cp1251("ВСТАВКА"));
  // The control stayed in insert mode: typing does not overwrite.
  q.Select(0, 0);
  q.Type("z");
  EXPECT_EQ(q.Text(), "zabc" + Cp1251("ВСТАВКА"));
  EscapeAndDiscard(q);
}

TEST(EditorKeys, InsertSwitchesToOverwriteWhenTheSettingIsOff) {
  Scratch scratch("ins-off");
  scratch.WriteSettings("[Options]\r\nIns=0\r\n");
  scratch.WriteFile(L"doc.txt", "abc");
  SetClipboardText("XYZ");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Select(0, 0);
  q.Keys("Insert");
  q.Type("z");
  EXPECT_EQ(q.Text(), "zbc");
  EscapeAndDiscard(q);
}

TEST(EditorKeys, AltF8SelectsTheWordAtTheCaret) {
  struct Case { int caret; std::pair<int, int> selection; };
  const Case cases[] = {
      {8, {6, 11}},   // inside "world"
      {11, {6, 11}},  // at its end
      {0, {0, 0}},    // the very start selects nothing
      {6, {5, 5}},    // after the space: back to the end of "hello", nothing selected
  };
  Scratch scratch("altf8");
  scratch.WriteFile(L"doc.txt", "hello world");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  for (const auto& c : cases) {
    q.Select(c.caret, c.caret);
    q.Keys("alt+F8");
    EXPECT_EQ(q.Selection(), c.selection) << "caret " << c.caret;
  }
  EscapeAndDiscard(q);
}

TEST(EditorKeys, CtrlShiftDigitMarksAndCtrlDigitReturns) {
  Scratch scratch("marks");
  scratch.WriteFile(L"doc.txt", "line one\r\nline two\r\nline three\r\n");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Select(13, 13);  // line 2, column 4
  q.Keys("ctrl+shift+3");
  q.Select(0, 0);
  q.Keys("ctrl+3");
  EXPECT_EQ(q.Selection(), std::make_pair(13, 13));
  // An empty mark leaves the caret where it is.
  q.Select(2, 2);
  q.Keys("ctrl+7");
  EXPECT_EQ(q.Selection(), std::make_pair(2, 2));
  EscapeAndDiscard(q);
}

TEST(EditorKeys, Utf16AndRtfFilesAreLoaded) {
  std::string utf16 = "\xFF\xFE";
  for (char16_t ch : std::u16string(u"Привет, мир")) {
    utf16.push_back(static_cast<char>(ch & 0xFF));
    utf16.push_back(static_cast<char>(ch >> 8));
  }
  struct Case { const wchar_t* name; std::string bytes; std::string shown; };
  const Case cases[] = {
      {L"unicode.txt", utf16, Cp1251("Привет, мир")},
      {L"letter.RTF", "{\\rtf1\\ansi hello}", "{\\rtf1\\ansi hello}"},
      {L"letter2.rtf", "{\\rtf1 x}", "{\\rtf1 x}"},
  };
  for (const auto& c : cases) {
    Scratch scratch("load");
    scratch.WriteFile(c.name, c.bytes);
    Quillo q(scratch, Quoted(scratch.Path(c.name)));
    q.MainWindow();
    EXPECT_EQ(q.Text(), c.shown) << U8(c.name);
    EXPECT_EQ(q.Caption(), scratch.Path(c.name) + L" - Quillo");
    EscapeAndDiscard(q);
  }
}

TEST(EditorKeys, LinkHintIsShownOnceForASettingsFile) {
  Scratch scratch("link");
  scratch.WriteSettings("[Options]\r\nURLDetect=1\r\n");
  scratch.WriteFile(L"doc.txt", "http://example.com/page and more text");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Click(q.Editor(), 20, 8);
  HWND hint = q.WaitForMessageBox("Информация", 5s);
  ASSERT_NE(hint, nullptr) << "a left click on a link shows the hint";
  EXPECT_EQ(Quillo::MessageBoxText(hint),
            L"Для того чтобы перейти по ссылке, кликните по ней, удерживая клавишу Ctrl.");
  Quillo::Press(hint, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return q.WaitForMessageBox("Информация", 0ms) == nullptr; }));
  q.Click(q.Editor(), 30, 8);
  EXPECT_EQ(q.WaitForMessageBox("Информация", 1500ms), nullptr) << "the hint comes only once";
  EscapeAndDiscard(q);
  EXPECT_NE(scratch.ReadFile(L"quillo.ini").find("1URLClick=0"), std::string::npos);
}

TEST(EditorKeys, AltArrowsScrollWithoutMovingTheCaret) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
  Scratch scratch("scroll");
  scratch.WriteFile(L"doc.txt", text);
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  auto firstVisible = [&] { return static_cast<int>(SendMessageW(q.Editor(), EM_GETFIRSTVISIBLELINE, 0, 0)); };
  q.Select(0, 0);
  q.Keys("alt+Down alt+Down");
  EXPECT_EQ(firstVisible(), 2);
  q.Keys("alt+Up");
  EXPECT_EQ(firstVisible(), 1);

  q.Keys("Down");
  EXPECT_EQ(q.Selection(), std::make_pair(7, 7)) << "Alt+arrows left the caret where it was";
  EscapeAndDiscard(q);
}

TEST(EditorKeys, AboutBoxFromTheSystemMenuCommand) {
  Scratch scratch("about");
  Quillo q(scratch);
  q.MainWindow();
  q.Post(WM_SYSCOMMAND, 200);
  HWND box = q.WaitForMessageBox("О программе");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Quillo::MessageBoxText(box).find(L"Quillo"), std::wstring::npos);
  Quillo::Press(box, IDOK);
  EscapeAndDiscard(q);
}

}  // namespace
}  // namespace quillo::e2e

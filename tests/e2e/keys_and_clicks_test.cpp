// Keys go where the user typed them and clicks where the user clicked: the
// find panel's fields and keyboard, keys of commands that cannot run, the
// status bar, the link menu, and the text commands that must keep what
// surrounds their text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/action_table.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/panel_driver.h"

namespace quillo::e2e {
namespace {

using Selection = std::pair<int, int>;

// The window of the program's thread that has the keyboard focus.
HWND FocusOf(Quillo& q) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(q.MainWindow(), nullptr), &info);
  return info.hwndFocus;
}

// Where text stands in the control, which counts one index per line break.
int ControlIndex(const std::string& crLfText, std::string_view what) {
  const size_t at = crLfText.find(what);
  int breaks = 0;
  for (size_t i = 0; i + 1 < at; ++i)
    if (crLfText[i] == '\r' && crLfText[i + 1] == '\n') ++breaks;
  return static_cast<int>(at) - breaks;
}

// One key at a time: a second xdotool started while the first still types
// mixes their modifier keys.
void KeysOneByOne(Quillo& q, const std::string& keys) {
  size_t start = 0;
  while (start < keys.size()) {
    size_t end = keys.find(' ', start);
    if (end == std::string::npos) end = keys.size();
    if (end > start) q.Keys(keys.substr(start, end - start));
    start = end + 1;
  }
}

bool IsIn(HWND window, HWND ancestor) { return window == ancestor || IsChild(ancestor, window); }

// Any message box or dialog the process shows, visible or not yet closed.
bool AnyDialogOf(Quillo& q) { return !TopLevelWindowsOf(q.Pid(), L"#32770").empty(); }

TEST(FindFieldKeys, EditingKeysActOnTheFieldAndLeaveTheDocumentAlone) {
  const std::string doc = "first line\r\nsecond line";
  Scratch scratch("field-keys");
  scratch.WriteFile(L"doc.txt", doc);
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  FindPanelDriver panel(q);
  q.Select(0, 5);
  q.Keys("ctrl+f");
  ASSERT_TRUE(panel.Visible());
  ASSERT_EQ(panel.Find(), "first") << "the panel took the selection";
  ASSERT_TRUE(IsIn(FocusOf(q), panel.FindField()));

  // The user's keys, and what the field holds after each; the document and
  // its selection never change.
  SetClipboardText("clip");
  struct Step {
    const char* keys;
    const char* field;
  };
  const Step steps[] = {
      {"Delete", ""},                    // the field's text was selected
      {"a b c BackSpace", "ab"},
      {"ctrl+v", "clip"},                // the clipboard's text fills the field
      {"ctrl+a Delete", ""},
      {"h e l l o ctrl+a ctrl+c", "hello"},
      {"ctrl+x", ""},
      {"ctrl+z", nullptr},               // the field's own undo
      {"ctrl+y", nullptr},
      {"ctrl+a Delete shift+Insert", "hello"},
      {"Home shift+End shift+Delete", ""},
      {"shift+Insert End shift+Home ctrl+Insert", "hello"},
  };
  for (const Step& step : steps) {
    KeysOneByOne(q, step.keys);
    if (step.field) {
      EXPECT_EQ(panel.Find(), step.field) << step.keys;
    }
    EXPECT_TRUE(q.Text() == doc) << step.keys << " changed the document";
    EXPECT_EQ(q.Selection(), Selection(0, 5)) << step.keys;
  }
  // The keys of commands that make sense here still run them: F3 searches.
  panel.SetFind("line");
  q.Keys("F3");
  EXPECT_EQ(q.Selection(), Selection(6, 10));
  EscapeAndDiscard(q);
}

TEST(FindFieldKeys, TabWalksThePanelAndEscGoesBackToTheText) {
  Scratch scratch("field-tab");
  scratch.WriteFile(L"doc.txt", "a1\r\nb2\r\nc3\r\n");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  FindPanelDriver panel(q);
  q.Keys("ctrl+f");
  q.Keys("Tab");
  q.Type("zz");
  EXPECT_EQ(WindowTextU8(panel.ReplaceField()), "zz") << "typing lands in the replace field";
  const char* const stops[] = {"Найти далее", "Заменить", "Заменить все", "Учитывать регистр",
                               "Только слово", "Вниз"};
  for (const char* stop : stops) {
    q.Keys("Tab");
    EXPECT_EQ(FocusOf(q), panel.Button(stop)) << stop;
  }
  q.Keys("Up");
  EXPECT_TRUE(panel.Checked("Вверх"));
  KeysOneByOne(q, "shift+Tab shift+Tab space");
  EXPECT_TRUE(panel.Checked("Учитывать регистр")) << "Space toggles the focused check box";
  q.Keys("Escape");
  EXPECT_TRUE(q.Running()) << "Esc in the panel closed the program";
  EXPECT_TRUE(panel.Visible());
  EXPECT_EQ(FocusOf(q), q.Editor()) << "Esc goes back to the text";
  // In the text Tab is typed.
  q.Select(0, 0);
  q.Keys("Tab");
  EXPECT_EQ(q.Text().substr(0, 3), "\ta1");

  // The go-to prompt too: Tab to "Отмена", Enter presses it. (Its keys are
  // posted: xdotool's go to the window under the pointer.)
  q.Select(0, 0);
  q.Keys("ctrl+g");
  HWND box = q.WaitForMessageBox("Переход к строке");
  ASSERT_TRUE(box);
  SetWindowTextU8(FindDescendant(box, L"Edit"), "3");
  for (const char* stop : {"ОК", "Отмена"}) {
    PostMessageW(FocusOf(q), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(q) == FindDescendant(box, L"Button", stop); }, 3s)) << stop;
  }
  PostMessageW(FocusOf(q), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5s));
  EXPECT_EQ(q.Selection(), Selection(0, 0)) << "Enter pressed OK instead of the focused Cancel";
  EscapeAndDiscard(q);
}

TEST(CommandKeys, KeysOfCommandsThatCannotRunDoNothing) {
  Scratch scratch("grey-keys");
  scratch.WriteFile(L"doc.txt", "abc def");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Select(7, 7);
  // Under Wine the control opens a blocking "Style dump" box on Ctrl+W.
  for (const char* keys : {"ctrl+w", "shift+ctrl+x", "F8", "ctrl+alt+z", "shift+ctrl+z"}) {
    q.Keys(keys);
    EXPECT_FALSE(WaitUntil([&] { return AnyDialogOf(q); }, 500ms)) << keys << " left a window behind";
    EXPECT_EQ(q.Text(), "abc def") << keys;
  }
  // Del with nothing selected still deletes the next character.
  q.Select(0, 0);
  q.Keys("Delete");
  EXPECT_EQ(q.Text(), "bc def");
  SendMessageW(q.Editor(), EM_SETMODIFY, FALSE, 0);
  q.Keys("alt+x");
  EXPECT_TRUE(q.WaitForExit()) << "Alt+X did not end the program";
}

TEST(Clicks, StatusBarFollowsTheMouseAndItsPanelsAreHitWhereClicked) {
  Scratch scratch("clicks-status");
  scratch.WriteFile(L"doc.txt", "one\r\ntwo\r\nthree");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Select(0, 0);
  // A click at the start of the second line: the panel shows the caret's new place.
  q.Click(q.Editor(), 1, 24);
  EXPECT_EQ(q.Selection(), Selection(4, 4));
  EXPECT_EQ(q.StatusText(0), L"2:1");
  q.Type("x");
  ASSERT_EQ(q.StatusText(3), W("Изменен"));
  // The panels' own edges, in the bar's client area (the window's frame
  // lies a few pixels to the left of it): a double click just inside the
  // reach panel's right edge jumps, one just inside "Изменен" saves.
  const RECT reach = q.StatusPanelRect(2), modified = q.StatusPanelRect(3);
  const int y = (modified.top + modified.bottom) / 2;
  q.DoubleClick(q.StatusBar(), reach.right - 2, y);
  EXPECT_TRUE(WaitUntil([&] { return q.Selection() == Selection(0, 0); }, 3s)) << "no jump to the start";
  EXPECT_EQ(q.StatusText(3), W("Изменен")) << "the reach panel's edge saved the file";
  Sleep(700);  // past the double-click time
  q.DoubleClick(q.StatusBar(), modified.left + 2, y);
  EXPECT_TRUE(WaitUntil([&] { return q.StatusText(3).empty(); }, 5s)) << "the double click did not save";
  EXPECT_EQ(scratch.ReadFile(L"doc.txt"), "one\r\nxtwo\r\nthree");
  EscapeAndDiscard(q);
}

TEST(Clicks, RightClickOnALinkOpensTheLinkMenu) {
  Scratch scratch("clicks-link");
  scratch.WriteSettings("[Options]\r\nURLDetect=1\r\n");
  scratch.WriteFile(L"doc.txt", "http://example.com/page and more text");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  SetClipboardText("old");
  q.Click(q.Editor(), 30, 8, 3);
  // "Перейти по ссылке", "Копировать ссылку".
  q.Keys("Down Down Return");
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == "http://example.com/page"; }, 3s))
      << "clipboard: " << ClipboardText();
  EXPECT_EQ(q.Text(), "http://example.com/page and more text");
  EscapeAndDiscard(q);
}

TEST(TextKeys, NumbersKeepTheirSurroundingsAndSearchesFindWhatIsThere) {
  Scratch scratch("text-keys");
  scratch.WriteFile(L"doc.txt", Cp1251("x 123 y\r\n(слово) и слово,\r\naaaa\r\nодин\r\nдва"));
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  FindPanelDriver panel(q);

  // "Число строкой" on " 123 ": both spaces stay.
  q.Select(1, 6);
  q.Send(WM_COMMAND, static_cast<WPARAM>(ActionId::TextNumToStr));
  const std::string words = Cp1251("сто двадцать три целых");
  ASSERT_EQ(q.Text().substr(0, words.size() + 4), "x " + words + " y");
  const int shift = static_cast<int>(words.size()) - 3;

  // The word at the caret is searched without its brackets and comma.
  q.Select(shift + 10, shift + 10);
  q.Keys("shift+alt+f");
  EXPECT_EQ(panel.Find(), "слово");
  EXPECT_EQ(q.Selection(), Selection(shift + 18, shift + 23));

  // Alt+F8 selects the word, and the next letter goes to the text, not to a menu.
  q.Select(shift + 12, shift + 12);
  q.Keys("alt+F8");
  EXPECT_EQ(q.Selection(), Selection(shift + 9, shift + 14));
  q.Type("q");
  EXPECT_NE(q.Text().find("(q)"), std::string::npos);
  const int aaaa = ControlIndex(q.Text(), "aaaa");

  // "Заменить" pressed again and again replaces every occurrence in turn.
  q.Keys("ctrl+f");
  panel.SetFind("a");
  panel.SetReplace("b");
  q.Select(aaaa, aaaa);
  for (int i = 0; i < 8; ++i) panel.Click("Заменить");
  EXPECT_NE(q.Text().find("bbbb\r\n"), std::string::npos) << q.Text();

  // A find text from the clipboard breaks its lines with CR LF; "…с начала
  // текста" (Alt+F) finds it, also at the very first character.
  const int one = aaaa + 5;
  SetClipboardText("один\r\nдва");
  q.Select(0, 0);
  q.Keys("alt+f");
  EXPECT_EQ(q.Selection(), Selection(one, one + 8));
  SetClipboardText("x ");
  q.Keys("alt+f");
  EXPECT_EQ(q.Selection(), Selection(0, 2));
  // Replace all with CR LF in both texts; the caret stands after the replacement.
  panel.SetFind("один\r\nдва");
  panel.SetReplace("1\r\n2");
  panel.ClickLater("Заменить все");
  HWND box = q.WaitForMessageBox("Информация", 10s);
  ASSERT_TRUE(box);
  EXPECT_EQ(U8(Quillo::MessageBoxText(box)), "Замена выполнена. Заменено 1 слов(а)");
  Quillo::Press(box, IDOK);
  WaitUntil([&] { return !IsWindow(box); }, 5s);
  EXPECT_EQ(q.Text().substr(q.Text().size() - 6), "\r\n1\r\n2");
  EXPECT_EQ(q.Selection(), Selection(one + 3, one + 3));
  EscapeAndDiscard(q);
}

}  // namespace
}  // namespace quillo::e2e

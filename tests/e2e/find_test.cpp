// The find panel, its histories and the go-to prompt on the running program.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/action_table.h"
#include "core/menu_layout.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/panel_driver.h"

namespace quillo::e2e {
namespace {

using Selection = std::pair<int, int>;

// Clicks a panel button and waits until the selection is the expected one.
void ExpectSelectionAfterClick(Quillo& q, FindPanelDriver& panel, std::string_view button,
                               Selection expected) {
  panel.ClickLater(button);
  EXPECT_TRUE(WaitUntil([&] { return q.Selection() == expected; }, 5s))
      << button << ": selection " << q.Selection().first << ".." << q.Selection().second;
}

// The information box after "Заменить все": its text, then OK.
std::string ReplaceAllReportAfterClick(Quillo& q, FindPanelDriver& panel) {
  panel.ClickLater("Заменить все");
  HWND box = q.WaitForMessageBox("Информация", 10s);
  if (!box) return "<no message>";
  std::string text = U8(Quillo::MessageBoxText(box));
  Quillo::Press(box, IDOK);
  WaitUntil([&] { return !IsWindow(box); }, 5s);
  q.Send(WM_NULL);
  return text;
}

TEST(FindPanel, FindNextReplaceAndReplaceAll) {
  // Control indexes: "Word" 9, "word" 18, the break 28, "banana" 29, "word" 36.
  const std::string doc = "word one Word two word three\r\nbanana word";
  Scratch scratch("find-panel");
  scratch.WriteFile(L"doc.txt", doc);
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  FindPanelDriver panel(q);
  ASSERT_TRUE(panel.Panel());
  EXPECT_FALSE(panel.Visible()) << "the panel starts hidden";
  // Opening the panel with an empty find field takes the selection.
  q.Select(0, 4);
  q.Keys("ctrl+f");
  EXPECT_TRUE(panel.Visible());
  EXPECT_EQ(panel.Find(), "word");
  EXPECT_TRUE(panel.Checked("Вниз"));

  // From the caret at 0 with nothing selected the occurrence at 0 is found,
  // then the selected one is stepped over; match case is off, so "Word" is
  // found for "word".
  q.Select(0, 0);
  panel.SetFind("word");
  ExpectSelectionAfterClick(q, panel, "Найти далее", {0, 4});
  ExpectSelectionAfterClick(q, panel, "Найти далее", {9, 13});
  // "Word" is not exactly "word": Replace finds the next one instead.
  panel.SetReplace("X");
  ExpectSelectionAfterClick(q, panel, "Заменить", {18, 22});
  EXPECT_TRUE(q.Text() == doc) << "Replace changed the text while finding";
  // The selected occurrence is stepped over downwards ...
  ExpectSelectionAfterClick(q, panel, "Найти далее", {36, 40});
  // ... and the previous one is found upwards.
  panel.Click("Вверх");
  ExpectSelectionAfterClick(q, panel, "Найти далее", {18, 22});

  // Nothing further down: Yes switches to "Вверх" and finds the one above.
  panel.Click("Вниз");
  q.Select(36, 40);
  panel.ClickLater("Найти далее");
  HWND question = q.WaitForMessageBox("Вопрос");
  ASSERT_TRUE(question);
  EXPECT_EQ(U8(Quillo::MessageBoxText(question)), "Текст не найден. Изменить направление поиска?");
  Quillo::Press(question, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return q.Selection() == Selection(18, 22); }, 5s));
  EXPECT_TRUE(panel.Checked("Вверх"));
  EXPECT_FALSE(panel.Checked("Вниз"));

  // The selection is the find text: Replace replaces it, caret after it.
  panel.Click("Заменить");
  const std::string replaced = "word one Word two X three\r\nbanana word";
  EXPECT_EQ(q.Text(), replaced);
  EXPECT_EQ(q.Selection(), Selection(19, 19));

  // Replace all ignores "Вверх", starts at 0 and is undone in one step.
  panel.SetReplace("aa");
  EXPECT_EQ(ReplaceAllReportAfterClick(q, panel), "Замена выполнена. Заменено 3 слов(а)");
  EXPECT_EQ(q.Text(), "aa one aa two X three\r\nbanana aa");
  EXPECT_EQ(q.Selection(), Selection(31, 31)) << "caret after the last replacement";
  q.Keys("ctrl+z");
  EXPECT_EQ(q.Text(), replaced);

  struct ReplaceAllCase {
    const char* find;
    const char* replacement;
    const char* report;
    std::string text;
  };
  const ReplaceAllCase cases[] = {
      {"zzz", "y", "Замена выполнена. Заменено 0 слов(а)", replaced},
      // A replacement holding the find text is not found again.
      {"a", "aa", "Замена выполнена. Заменено 3 слов(а)",
       "word one Word two X three\r\nbaanaanaa word"},
  };
  for (const ReplaceAllCase& c : cases) {
    panel.SetFind(c.find);
    panel.SetReplace(c.replacement);
    EXPECT_EQ(ReplaceAllReportAfterClick(q, panel), c.report) << c.find;
    EXPECT_EQ(q.Text(), c.text) << c.find;
  }

  // Enter in the find field finds; Esc there is swallowed; Ctrl+F3 from
  // the panel closes it.
  // Ctrl+F3 with the focus in the panel (on the radio button just clicked)
  // closes it; from the editor it opens it with the focus in the field.
  panel.Click("Вниз");
  q.Keys("ctrl+F3");
  EXPECT_FALSE(panel.Visible());
  q.Select(0, 0);
  q.Keys("ctrl+F3");
  EXPECT_TRUE(panel.Visible());
  // Ctrl+V in the field replaces its whole text with the clipboard's.
  panel.SetFind("something");
  SetClipboardText("three");
  q.Keys("ctrl+v");
  EXPECT_EQ(panel.Find(), "three");
  q.Keys("Return");
  EXPECT_TRUE(WaitUntil([&] { return q.Selection() == Selection(20, 25); }, 5s));
  q.Keys("ctrl+F3");
  q.Keys("Escape");
  EXPECT_TRUE(q.Running()) << "Esc in the find field closed the program";
  EXPECT_TRUE(panel.Visible());
  // Esc took the typing back to the text: Ctrl+F3 goes to the field again,
  // and from there closes the panel.
  q.Keys("ctrl+F3");
  EXPECT_TRUE(panel.Visible());
  q.Keys("ctrl+F3");
  EXPECT_FALSE(panel.Visible());

  // The quick searches fill the find field and search without the panel;
  // the text is now "word one Word two X three\r\nbaanaanaa word".
  SetClipboardText("three");
  struct QuickCase {
    ActionId action;
    Selection before;
    Selection after;
  };
  const QuickCase quick[] = {
      {ActionId::FindSelTextNoDlg, {0, 4}, {9, 13}},
      {ActionId::FindWordAtCaretNoDlg, {2, 2}, {9, 13}},
      {ActionId::FindClipbrdNoDlg, {30, 30}, {20, 25}},
      {ActionId::FindClipbrd, {0, 0}, {20, 25}},
  };
  for (const QuickCase& c : quick) {
    q.Select(c.before.first, c.before.second);
    q.Send(WM_COMMAND, static_cast<WPARAM>(c.action));
    EXPECT_EQ(q.Selection(), c.after) << static_cast<int>(c.action);
  }
  EXPECT_EQ(panel.Find(), "three");
  EXPECT_FALSE(panel.Visible());
  EscapeAndDiscard(q);
}

// Ctrl+F is three toggles in one: when it closes the panel it shows it on
// the way, so an empty find field takes the selection all the same.
TEST(FindPanel, ClosingCtrlFStillTakesTheSelectionIntoAnEmptyField) {
  Scratch scratch("find-closing");
  scratch.WriteFile(L"doc.txt", "word banana");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  FindPanelDriver panel(q);
  ASSERT_TRUE(panel.Panel());
  const auto findFind = [&] { q.Send(WM_COMMAND, static_cast<WPARAM>(ActionId::FindFind)); };
  findFind();
  ASSERT_TRUE(panel.Visible());
  EXPECT_EQ(panel.Find(), "") << "nothing was selected";
  q.Select(5, 11);
  findFind();
  EXPECT_FALSE(panel.Visible());
  EXPECT_EQ(panel.Find(), "banana");
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(q.MainWindow(), nullptr), &gui));
  EXPECT_EQ(gui.hwndFocus, q.Editor()) << "the focus is back in the text";
}

TEST(FindPanel, HistoriesAndOptionsSurviveRestart) {
  Scratch scratch("find-history");
  scratch.WriteSettings("[Options]\r\n");
  {
    Quillo q(scratch);
    q.MainWindow();
    FindPanelDriver panel(q);
    q.Keys("ctrl+f");
    for (const char* text : {"alpha", "Beta", "ALPHA"}) {
      panel.SetFind(text);
      panel.ClickLater("Найти далее");
      HWND question = q.WaitForMessageBox("Вопрос");
      ASSERT_TRUE(question) << text;
      Quillo::Press(question, IDNO);
      WaitUntil([&] { return !IsWindow(question); }, 5s);
    }
    panel.SetReplace("gamma");
    EXPECT_EQ(ReplaceAllReportAfterClick(q, panel), "Замена выполнена. Заменено 0 слов(а)");
    panel.Click("Учитывать регистр");
    panel.Click("Вверх");
    EXPECT_EQ(panel.List(panel.FindField()), (std::vector<std::string>{"Beta", "alpha"}));
    q.Keys("Escape");  // from the panel back to the text,
    q.Keys("Escape");  // and from the text the program ends
    ASSERT_TRUE(q.WaitForExit());
  }
  std::string ini = scratch.ReadFile(L"quillo.ini");
  for (const char* line : {"[Find]", "0=Beta\r\n", "1=alpha\r\n", "[Replace]", "0=gamma\r\n"})
    EXPECT_NE(ini.find(line), std::string::npos) << line << " missing in\n" << ini;

  {
    Quillo q(scratch);
    q.MainWindow();
    FindPanelDriver panel(q);
    EXPECT_FALSE(panel.Visible());
    EXPECT_EQ(panel.List(panel.FindField()), (std::vector<std::string>{"Beta", "alpha"}));
    EXPECT_EQ(panel.List(panel.ReplaceField()), (std::vector<std::string>{"gamma"}));
    EXPECT_TRUE(panel.Checked("Учитывать регистр"));
    EXPECT_FALSE(panel.Checked("Только слово"));
    EXPECT_TRUE(panel.Checked("Вверх"));
    // An item of the tool bar's find drop-down fills the field and searches.
    q.Command(static_cast<UINT>(GetRuntimeList(RuntimeList::FindHistory).firstCommandId) + 1);
    HWND question = q.WaitForMessageBox("Вопрос");
    ASSERT_TRUE(question);
    Quillo::Press(question, IDNO);
    WaitUntil([&] { return !IsWindow(question); }, 5s);
    EXPECT_EQ(panel.Find(), "alpha");
    q.Keys("Escape");
    ASSERT_TRUE(q.WaitForExit());
  }

  // "FindPanel" set by hand opens the panel when the program starts.
  ini = scratch.ReadFile(L"quillo.ini");
  size_t at = ini.find("FindPanel=0");
  ASSERT_NE(at, std::string::npos) << ini;
  ini.replace(at, 11, "FindPanel=1");
  scratch.WriteSettings(ini);
  Quillo q(scratch);
  q.MainWindow();
  FindPanelDriver panel(q);
  EXPECT_TRUE(WaitUntil([&] { return panel.Visible(); }, 5s));
  // Once at start-up: coming back from a message box leaves it open.
  q.Keys("ctrl+F1");
  HWND about = q.WaitForMessageBox("О программе");
  ASSERT_TRUE(about);
  Quillo::Press(about, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5s));
  q.Send(WM_NULL);
  EXPECT_TRUE(panel.Visible()) << "the panel was toggled again by the activation";
  q.Kill();
}

int Index(int line, int column) { return line * 8 + column; }  // lines "line NN" and a break

TEST(GoTo, PromptFormsPercentagesAndReturn) {
  std::string doc;
  for (int i = 0; i < 100; ++i) doc += "line " + std::string(i < 10 ? "0" : "") + std::to_string(i) + "\r\n";
  Scratch scratch("find-goto");
  scratch.WriteFile(L"lines.txt", doc);
  Quillo q(scratch, Quoted(scratch.Path(L"lines.txt")));
  q.MainWindow();

  // From line 11, column 4 (line 10, column 3 counted from 0).
  struct Case {
    const char* typed;
    int line;
    int column;
  };
  const Case cases[] = {
      {"15:3", 14, 2}, {"52%", 52, 0}, {":7", 10, 6},    {"20:", 19, 3},   {"abc", 10, 0},
      {"x%", 10, 3},   {"-5:2", 0, 1}, {"500", 100, 0}, {"3:999", 2, 7}, {"100%", 100, 0},
  };
  bool first = true;
  for (const Case& c : cases) {
    q.Select(Index(10, 3), Index(10, 3));
    if (first) {
      q.Keys("ctrl+g");
    } else {
      q.Command(static_cast<UINT>(ActionId::EditGoToLine));
    }
    HWND box = q.WaitForMessageBox("Переход к строке");
    ASSERT_TRUE(box) << c.typed;
    if (first) {
      EXPECT_EQ(WindowTextU8(FindDescendant(box, L"Edit")), "11");
      EXPECT_TRUE(FindDescendant(box, L"Static",
                                 "Введите номер строки и символа, например: 15:3, 52%"));
      first = false;
    }
    AnswerInputBox(box, c.typed, true);
    WaitUntil([&] { return !IsWindow(box); }, 5s);
    q.Send(WM_NULL);
    EXPECT_EQ(q.Selection(), Selection(Index(c.line, c.column), Index(c.line, c.column))) << c.typed;
  }

  // Cancel leaves the caret.
  q.Select(Index(3, 1), Index(3, 1));
  q.Command(static_cast<UINT>(ActionId::EditGoToLine));
  HWND box = q.WaitForMessageBox("Переход к строке");
  AnswerInputBox(box, "50", false);
  WaitUntil([&] { return !IsWindow(box); }, 5s);
  q.Send(WM_NULL);
  EXPECT_EQ(q.Selection(), Selection(Index(3, 1), Index(3, 1)));

  // The status bar's percentage items; halves of lines go to the even one.
  for (int percent : {0, 50, 30}) {
    q.Send(WM_COMMAND, static_cast<WPARAM>(static_cast<int>(CommandId::GoToPercent0) + percent / 10));
    EXPECT_EQ(q.Selection(), Selection(Index(percent, 0), Index(percent, 0))) << percent;
  }

  // No change yet: nothing to return to. Then back to the end of the typing.
  q.Select(Index(7, 0), Index(7, 0));
  q.Send(WM_COMMAND, static_cast<WPARAM>(ActionId::FindGoToBack));
  EXPECT_EQ(q.Selection(), Selection(Index(7, 0), Index(7, 0)));
  q.Select(Index(5, 7), Index(5, 7));
  q.Type("x");
  q.Select(0, 0);
  q.Send(WM_COMMAND, static_cast<WPARAM>(ActionId::FindGoToBack));
  EXPECT_EQ(q.Selection(), Selection(Index(5, 8), Index(5, 8)));
  EscapeAndDiscard(q);
}

}  // namespace
}  // namespace quillo::e2e

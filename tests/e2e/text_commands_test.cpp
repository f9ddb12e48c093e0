// The text commands on the running program: where the caret ends up, what
// one undo takes back, and the commands that insert or delete text.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/action_table.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

// Runs a command and returns when it has been carried out.
void RunCommand(Quillo& q, ActionId id) { q.Send(WM_COMMAND, static_cast<WPARAM>(id)); }

int FirstVisibleLine(Quillo& q) {
  return static_cast<int>(SendMessageW(q.Editor(), EM_GETFIRSTVISIBLELINE, 0, 0));
}

std::string ManyLines(int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += "line " + std::to_string(i) + "\r\n";
  return s;
}

TEST(TextCommands, CaretUndoAndScrollingAroundLayoutConversion) {
  const std::string head = "hello world\r\nghbdtn\r\n";
  const std::string doc = head + ManyLines(120);
  Scratch scratch("text-caret");
  scratch.WriteFile(L"doc.txt", doc);
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();

  // Whole text: the caret keeps line 1, column 3 and one Ctrl+Z undoes it all.
  q.Select(15, 15);
  RunCommand(q, ActionId::TextLatToRus);
  std::string converted = q.Text();
  EXPECT_EQ(converted.substr(0, head.size()), Cp1251("руддщ цщкдв\r\nпривет\r\n"));
  EXPECT_EQ(q.Selection(), std::make_pair(15, 15));
  q.Keys("ctrl+z");
  EXPECT_TRUE(q.Text() == doc) << "one undo restores the whole text";

  // Selection: only it changes, the caret stands after it, nothing selected.
  q.Select(12, 18);
  q.Keys("alt+r");
  EXPECT_EQ(q.Text().substr(0, head.size()), Cp1251("hello world\r\nпривет\r\n"));
  EXPECT_EQ(q.Selection(), std::make_pair(18, 18));

  // Nothing selected: Ctrl+Up and Ctrl+Down scroll a line and touch nothing.
  std::string before = q.Text();
  q.Select(20, 20);
  SendMessageW(q.Editor(), EM_LINESCROLL, 0, 40);
  int top = FirstVisibleLine(q);
  ASSERT_GT(top, 0);
  q.Keys("ctrl+Up");
  EXPECT_EQ(FirstVisibleLine(q), top - 1);
  q.Keys("ctrl+Down");
  EXPECT_EQ(FirstVisibleLine(q), top);
  EXPECT_TRUE(q.Text() == before) << "scrolling changed the text";
  EXPECT_EQ(q.Selection(), std::make_pair(20, 20));

  // With a selection Ctrl+Up raises the letters instead.
  q.Select(0, 5);
  q.Keys("ctrl+Up");
  EXPECT_EQ(q.Text().substr(0, 11), "HELLO world");
  EscapeAndDiscard(q);
}

TEST(TextCommands, NumbersDateAndWholeLines) {
  const std::string longLine(5000, 'x');
  Scratch scratch("text-insert");
  scratch.WriteFile(L"doc.txt", "21 1e300 abc\r\n" + longLine + "\r\nlast");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();

  // A number becomes words; what is no number, or too large a sum, stays.
  struct Case { const char* selected; ActionId format; const char* result; };
  const Case cases[] = {
      {"21", ActionId::TextNumtoStr1, "двадцать одна целая"},
      {"1e300", ActionId::TextNumtoStr2, "1e300"},
      {"abc", ActionId::TextNumtoStr3, "abc"},
  };
  for (const auto& c : cases) {
    std::string text = q.Text();
    int at = static_cast<int>(text.find(c.selected));
    ASSERT_GE(at, 0) << c.selected;
    int length = static_cast<int>(std::string(c.selected).size());
    q.Select(at, at + length);
    RunCommand(q, c.format);
    std::string expected = text.substr(0, static_cast<size_t>(at)) + Cp1251(c.result) +
                           text.substr(static_cast<size_t>(at + length));
    EXPECT_TRUE(q.Text() == expected) << c.selected;
  }
  std::string firstLine = Cp1251("двадцать одна целая 1e300 abc");

  // The 5000-character line goes whole, with its break.
  q.Select(static_cast<int>(firstLine.size()) + 10, static_cast<int>(firstLine.size()) + 10);
  q.Keys("ctrl+y");
  EXPECT_TRUE(q.Text() == firstLine + "\r\nlast") << "the long line was not deleted whole";

  // Ctrl+Shift+D: date and time in the formats of the settings (1 and 1).
  q.Select(0, 0);
  q.Keys("ctrl+shift+d");
  SYSTEMTIME now;
  GetLocalTime(&now);
  char date[16];
  std::snprintf(date, sizeof date, "%02d.%02d.%04d ", now.wDay, now.wMonth, now.wYear);
  std::string text = q.Text();
  EXPECT_EQ(text.substr(0, 11), date);
  EXPECT_EQ(text.substr(16), firstLine + "\r\nlast");  // "hh:nn" after the date
  EXPECT_EQ(text[13], ':');
  EXPECT_EQ(q.Selection(), std::make_pair(16, 16));
  EscapeAndDiscard(q);
}

}  // namespace
}  // namespace quillo::e2e

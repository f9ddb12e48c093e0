// Leaving the program: the save question and its three answers.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

TEST(Exit, EscapeEndsAnUnchangedDocumentAndWritesTheSettings) {
  // Without a settings file beside the program, "Quillo2.ini" in the working
  // directory is used.
  Scratch scratch("esc");
  Quillo q(scratch);
  q.MainWindow();
  q.Keys("Escape");
  EXPECT_TRUE(q.WaitForExit());
  EXPECT_EQ(q.ExitCode(), 0u);
  EXPECT_NE(scratch.ReadFile(L"Quillo2.ini").find("[Options]"), std::string::npos);
  EXPECT_FALSE(scratch.Exists(L"quillo.ini"));
}

TEST(Exit, SettingsBesideTheProgramTakePrecedence) {
  Scratch scratch("ini-beside");
  scratch.WriteSettings("[Options]\r\nTitleType=0\r\n");
  scratch.WriteFile(L"Quillo2.ini", "[Options]\r\nTitleType=1\r\n");
  scratch.WriteFile(L"doc.txt", "x");
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();
  EXPECT_EQ(q.Caption(), L"doc.txt - Quillo");
  q.Keys("Escape");
  EXPECT_TRUE(q.WaitForExit());
  EXPECT_NE(scratch.ReadFile(L"quillo.ini").find("FileName="), std::string::npos);
  EXPECT_EQ(scratch.ReadFile(L"Quillo2.ini"), "[Options]\r\nTitleType=1\r\n");
}

TEST(Exit, AltXAndTheCloseButtonRunTheSameExit) {
  for (const char* how : {"alt+x", "close"}) {
    Scratch scratch("altx");
    Quillo q(scratch);
    q.MainWindow();
    if (std::string(how) == "close")
      q.Post(WM_SYSCOMMAND, SC_CLOSE);
    else
      q.Keys(how);
    EXPECT_TRUE(q.WaitForExit()) << how;
  }
}

struct ExitAnswer {
  int button;
  const char* fileAfter;
  bool exits;
};

class ExitWithChanges : public ::testing::TestWithParam<ExitAnswer> {};

TEST_P(ExitWithChanges, AnswersTheSaveQuestion) {
  const ExitAnswer& a = GetParam();
  Scratch scratch("exit-changes");
  scratch.WriteFile(L"doc.txt", "old");
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();
  q.Keys("ctrl+End");
  q.Type("new");
  ASSERT_EQ(q.Text(), "oldnew");
  q.Keys("Escape");
  HWND box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Quillo::MessageBoxText(box), L"Сохранить изменения в документе doc.txt?");
  Quillo::Press(box, a.button);
  if (a.exits) {
    EXPECT_TRUE(q.WaitForExit());
  } else {
    EXPECT_FALSE(q.WaitForExit(1s));
    EXPECT_EQ(q.Text(), "oldnew");
    EXPECT_EQ(q.Caption(), scratch.Path(L"doc.txt") + L" - Quillo");
    // The exit can be asked for again: Closing went back to false.
    q.Keys("Escape");
    HWND again = q.WaitForMessageBox("Внимание");
    ASSERT_NE(again, nullptr);
    Quillo::Press(again, IDNO);
    EXPECT_TRUE(q.WaitForExit());
  }
  EXPECT_EQ(scratch.ReadFile(L"doc.txt"), a.fileAfter);
}

INSTANTIATE_TEST_SUITE_P(Answers, ExitWithChanges,
                         ::testing::Values(ExitAnswer{IDYES, "oldnew", true},
                                           ExitAnswer{IDNO, "old", true},
                                           ExitAnswer{IDCANCEL, "old", false}));

}  // namespace
}  // namespace quillo::e2e

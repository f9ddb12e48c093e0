// Start-up as a user and other programs see it: the command line, the
// instance rule and the prompt for a missing file.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

TEST(StartUp, ClipboardArgumentPastesIntoANewDocument) {
  for (const wchar_t* arg : {L"-c", L"c", L"/c"}) {
    Scratch scratch("clip");
    SetClipboardText("Привет из буфера");
    Quillo q(scratch, arg);
    q.MainWindow();
    EXPECT_EQ(q.Text(), Cp1251("Привет из буфера")) << U8(arg);
    EXPECT_EQ(q.Caption(), L"Quillo");
    q.Keys("Escape");
    HWND box = q.WaitForMessageBox("Внимание", 5s);
    if (box) Quillo::Press(box, IDNO);
    EXPECT_TRUE(q.WaitForExit());
  }
}

TEST(StartUp, SecondProcessForAnOpenFileHandsOverAndShowsNoWindow) {
  Scratch scratch("handover");
  scratch.WriteFile(L"doc.txt", "text");
  Quillo first(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  HWND main = first.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(first.Caption(), scratch.Path(L"doc.txt") + L" - Quillo");

  Quillo second(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  EXPECT_TRUE(second.WaitForExit(10s)) << "the second process should end by itself";
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_EQ(AllVisibleMainWindows().size(), 1u);
  EXPECT_TRUE(first.Running());
  first.Keys("Escape");
  EXPECT_TRUE(first.WaitForExit());
}

TEST(StartUp, NBeforeThePathOpensASecondWindowOnTheSameFile) {
  Scratch scratch("nflag");
  scratch.WriteFile(L"doc.txt", "shared");
  std::wstring quoted = L"\"" + scratch.Path(L"doc.txt") + L"\"";
  Quillo first(scratch, quoted);
  first.MainWindow();
  Quillo second(scratch, L"n " + quoted);
  ASSERT_NE(second.MainWindow(), nullptr);
  EXPECT_EQ(second.Text(), "shared");
  EXPECT_EQ(second.Caption(), first.Caption());
  EXPECT_EQ(AllVisibleMainWindows().size(), 2u);
  second.Keys("Escape");
  EXPECT_TRUE(second.WaitForExit());
  first.Keys("Escape");
  EXPECT_TRUE(first.WaitForExit());
}

TEST(StartUp, MissingFileIsCreatedOnYes) {
  Scratch scratch("create-yes");
  std::wstring path = scratch.Path(L"новый.txt");
  Quillo q(scratch, L"\"" + path + L"\"");
  HWND box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Quillo::MessageBoxText(box),
            L"Файл \"" + path + L"\" не существует. Создать новый с таким именем?");
  Quillo::Press(box, IDYES);
  q.MainWindow();
  EXPECT_TRUE(WaitUntil([&] { return q.Caption() == path + L" - Quillo"; }));
  EXPECT_TRUE(scratch.Exists(L"новый.txt"));
  EXPECT_EQ(scratch.ReadFile(L"новый.txt"), "");
  EXPECT_EQ(q.Caption(), path + L" - Quillo");
  q.Keys("Escape");
  EXPECT_TRUE(q.WaitForExit());
}

TEST(StartUp, MissingFileIsNotCreatedOnNo) {
  Scratch scratch("create-no");
  Quillo q(scratch, L"\"" + scratch.Path(L"absent.txt") + L"\"");
  HWND box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  Quillo::Press(box, IDNO);
  q.MainWindow();
  q.Send(WM_NULL);
  EXPECT_FALSE(scratch.Exists(L"absent.txt"));
  EXPECT_EQ(q.Caption(), L"Quillo");
  EXPECT_EQ(q.Text(), "");
  q.Keys("Escape");
  EXPECT_TRUE(q.WaitForExit());
}

TEST(StartUp, ReopensTheLastFileAtItsCaretWhenAsked) {
  Scratch scratch("reopen");
  scratch.WriteFile(L"last.txt", "one\r\ntwo\r\nthree\r\n");
  std::string ini = "[Options]\r\nStartOpenFile=1\r\nSavePosition=1\r\nFileName=" +
                    Cp1251(U8(scratch.Path(L"last.txt"))) + "\r\nCaretPosX=2\r\nCaretPosY=1\r\n";
  scratch.WriteSettings(ini);
  Quillo q(scratch);
  q.MainWindow();
  EXPECT_EQ(q.Text(), "one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(q.Selection(), std::make_pair(6, 6));  // line 1, column 2
  q.Keys("Escape");
  EXPECT_TRUE(q.WaitForExit());
}

}  // namespace
}  // namespace quillo::e2e

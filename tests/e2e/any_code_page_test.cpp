// Russian text must read and show correctly whatever the system's ANSI code
// page. The test script runs this suite under an English (1252) locale.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

TEST(AnyCodePage, Windows1251TextAndRussianMessagesSurvive) {
  RecordProperty("ansi_code_page", static_cast<int>(GetACP()));
  std::string bytes;
  for (int b = 0x20; b < 0x100; ++b)
    if (b != 0x7F && b != 0x98) bytes.push_back(static_cast<char>(b));
  bytes += "\r\n" + Cp1251("Съешь же ещё этих мягких французских булок, да выпей чаю.");
  Scratch scratch("cp");
  scratch.WriteFile(L"win.txt", bytes);
  scratch.WriteSettings("[Options]\r\nCodAutoOpt=0\r\n");
  Quillo q(scratch, L"\"" + scratch.Path(L"win.txt") + L"\"");
  q.MainWindow();
  EXPECT_TRUE(q.Text() == bytes) << "the text did not read back byte for byte";

  q.Keys("ctrl+End");
  q.Type("x");
  q.Keys("Escape");
  HWND box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Quillo::MessageBoxText(box), L"Сохранить изменения в документе win.txt?");
  Quillo::Press(box, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return q.WaitForMessageBox("Внимание", 0ms) == nullptr; }));

  q.Post(WM_SYSCOMMAND, 200);
  HWND about = q.WaitForMessageBox("О программе");
  ASSERT_NE(about, nullptr);
  Quillo::Press(about, IDOK);

  q.Post(WM_CLOSE);
  box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  Quillo::Press(box, IDNO);
  EXPECT_TRUE(q.WaitForExit());
}

}  // namespace
}  // namespace quillo::e2e

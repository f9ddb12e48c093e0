// Log-off, shut-down and restart: the session's end asks about unsaved text
// as the exit does, Cancel keeps the session, and the settings are written
// when it ends. Wine's "wineboot --end-session" sends the same
// WM_QUERYENDSESSION and WM_ENDSESSION to every window.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

// Starts the end of the session; gives the running wineboot.
HANDLE StartEndOfSession() {
  wchar_t line[] = L"wineboot.exe --end-session";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

TEST(SessionEnd, UnsavedTextIsAskedAboutAndCancelKeepsTheSession) {
  Scratch scratch("session");
  scratch.WriteSettings("");
  scratch.WriteFile(L"doc.txt", "old");
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();
  q.Keys("ctrl+End");
  q.Type("new");

  struct Answer {
    int button;
    bool sessionEnds;
    const char* fileAfter;
  };
  for (Answer a : {Answer{IDCANCEL, false, "old"}, Answer{IDYES, true, "oldnew"}}) {
    HANDLE wineboot = StartEndOfSession();
    ASSERT_NE(wineboot, nullptr);
    HWND box = q.WaitForMessageBox("Внимание");
    ASSERT_NE(box, nullptr) << "no save question at the end of the session";
    EXPECT_EQ(Quillo::MessageBoxText(box), L"Сохранить изменения в документе doc.txt?");
    Quillo::Press(box, a.button);
    EXPECT_EQ(WaitForSingleObject(wineboot, 20000), WAIT_OBJECT_0);
    CloseHandle(wineboot);
    EXPECT_EQ(q.WaitForExit(3s), a.sessionEnds);
    EXPECT_EQ(scratch.ReadFile(L"doc.txt"), a.fileAfter);
  }
  // Written when the session ended.
  std::string ini = scratch.ReadFile(L"quillo.ini");
  EXPECT_NE(ini.find("FileName=" + Cp1251(U8(scratch.Path(L"doc.txt")))), std::string::npos) << ini;
  EXPECT_NE(ini.find("CaretPosX=6"), std::string::npos) << ini;
}

}  // namespace
}  // namespace quillo::e2e

// The window among other windows and the shell: files dropped on it, the
// notification area, new windows, and the document's file handed to the
// file manager or run.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

std::wstring CaptionOf(HWND h) {
  wchar_t text[1024] = {};
  SendMessageTimeoutW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

TEST(DroppedFiles, TheFirstOpensHereTheOtherInANewWindow) {
  Scratch scratch("drop");
  scratch.WriteFile(L"first.txt", Cp1251("первый"));
  scratch.WriteFile(L"second file.txt", Cp1251("второй"));
  CreateDirectoryW(scratch.Path(L"folder").c_str(), nullptr);
  Quillo q(scratch);
  q.MainWindow();
  DropFiles(q, {scratch.Path(L"folder"), scratch.Path(L"first.txt"), scratch.Path(L"second file.txt")});
  // The folder is named in a message and skipped.
  HWND box = q.WaitForMessageBox("Информация");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Quillo::MessageBoxText(box).find(scratch.Path(L"folder")), std::wstring::npos);
  Quillo::Press(box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return q.Text() == Cp1251("первый"); }));
  EXPECT_EQ(q.Caption(), scratch.Path(L"first.txt") + L" - Quillo");
  std::vector<HWND> others;
  EXPECT_TRUE(WaitUntil([&] { return !(others = OtherMainWindows(q)).empty(); }));
  ASSERT_EQ(others.size(), 1u);
  EXPECT_TRUE(WaitUntil([&] { return CaptionOf(others[0]) == scratch.Path(L"second file.txt") + L" - Quillo"; }))
      << U8(CaptionOf(others[0]));
  CloseWindowsOf(others);
}

TEST(NewWindow, StartsAnEmptyWindowThatDoesNotReopenTheLastFile) {
  Scratch scratch("new-window");
  scratch.WriteFile(L"doc.txt", "text");
  scratch.WriteSettings("[Options]\r\nFileName=doc.txt\r\nStartOpenFile=1\r\n");
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  q.MainWindow();
  q.Keys("shift+ctrl+n");
  std::vector<HWND> others;
  ASSERT_TRUE(WaitUntil([&] { return !(others = OtherMainWindows(q)).empty(); }));
  Sleep(300);
  EXPECT_EQ(CaptionOf(others[0]), L"Quillo");
  EXPECT_NE(scratch.ReadFile(L"quillo.ini").find("FileName=\r\n"), std::string::npos);
  CloseWindowsOf(others);
}

TEST(Tray, MinimisedToTheTrayAndRestoredByItsMenu) {
  Scratch scratch("tray");
  Quillo q(scratch);
  HWND main = q.MainWindow();
  q.Post(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
  HWND tray = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (tray = FindWindowW(nullptr, L"Wine System Tray")) && IsWindowVisible(tray); }))
      << "Wine shows the icon in its own window";
  RECT rc{};
  GetClientRect(tray, &rc);
  // The one icon is the first, at the left end.
  POINT icon{rc.left + (rc.bottom - rc.top) / 2, (rc.top + rc.bottom) / 2};
  ClientToScreen(tray, &icon);
  // Right button: the icon's menu; its first item, "Развернуть", restores.
  RunXdotool(L"mousemove --sync " + std::to_wstring(icon.x) + L" " + std::to_wstring(icon.y) + L" click 3");
  Sleep(500);
  RunXdotool(L"key --delay 100 Down Return");
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(FindWindowW(nullptr, L"Wine System Tray")); }, 5s))
      << "the icon went with the window's return";
}

TEST(FileOpenFolder, StartsTheConfiguredFileManagerOnTheDocumentsFolder) {
  Scratch scratch("file-manager");
  const std::wstring managerFolder = scratch.Path(L"file manager");
  CreateDirectoryW(managerFolder.c_str(), nullptr);
  const std::wstring manager = managerFolder + L"\\fm.exe";
  ASSERT_TRUE(CopyFileW(StandInExe().c_str(), manager.c_str(), FALSE)) << U8(StandInExe());
  // As the settings dialog writes a browsed path: in double quotes.
  scratch.WriteSettings(Cp1251("[Options]\r\nFileManager=\"" + U8(manager) + "\"\r\n"));
  CreateDirectoryW(scratch.Path(L"папка").c_str(), nullptr);
  scratch.WriteFile(L"папка\\doc.txt", "text");
  Quillo q(scratch, L"\"" + scratch.Path(L"папка\\doc.txt") + L"\"");
  q.MainWindow();
  q.Keys("ctrl+alt+e");
  ASSERT_TRUE(WaitUntil([&] { return scratch.Exists(L"file manager\\command_line.txt"); }));
  std::string record;
  WaitUntil([&] { return (record = scratch.ReadFile(L"file manager\\command_line.txt")).find('\n') != std::string::npos; });
  const std::string argument = record.substr(record.find('\n') + 1);
  EXPECT_EQ(argument, U8(scratch.Path(L"папка")) + "\\\n") << record;
}

TEST(FileExecute, RunsTheDocumentsFileInItsFolder) {
  Scratch scratch("execute");
  CreateDirectoryW(scratch.Path(L"run").c_str(), nullptr);
  scratch.WriteFile(L"run\\job.cmd", "@echo %CD%> ran.txt\r\n");
  Quillo q(scratch, L"\"" + scratch.Path(L"run\\job.cmd") + L"\"");
  q.MainWindow();
  q.Keys("shift+ctrl+F10");
  ASSERT_TRUE(WaitUntil([&] { return scratch.Exists(L"run\\ran.txt"); }));
  std::string ran;
  WaitUntil([&] { return !(ran = scratch.ReadFile(L"run\\ran.txt")).empty(); });
  EXPECT_EQ(ran.substr(0, ran.find_last_not_of("\r\n ") + 1), U8(scratch.Path(L"run")));
}

}  // namespace
}  // namespace quillo::e2e

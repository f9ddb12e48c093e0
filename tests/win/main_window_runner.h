#pragma once
// Runs the real main window in this process, for what cannot be read from
// another process under Wine (menus above all).
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "app/window/main_form.h"

namespace quillo {

struct MainWindowRun {
  int exitCode = -1;
  bool inspected = false;
  std::wstring folder;  // the working folder, where "Quillo2.ini" lives
};

// Starts the window from a working folder of its own under %TEMP% holding
// iniText as "Quillo2.ini" (no file when empty), calls inspect(main) on
// another thread once the window shows, then closes it through its normal
// exit with the document unmodified, so that no question is asked.
inline MainWindowRun RunMainWindow(std::wstring_view folderName, std::string_view iniText,
                                   const std::function<void(HWND)>& inspect) {
  MainWindowRun run;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  run.folder = std::wstring(temp) + std::wstring(folderName);
  CreateDirectoryW(run.folder.c_str(), nullptr);
  SetCurrentDirectoryW(run.folder.c_str());
  std::wstring ini = run.folder + L"\\Quillo2.ini";
  DeleteFileW(ini.c_str());
  if (!iniText.empty()) {
    HANDLE f = CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(f, iniText.data(), static_cast<DWORD>(iniText.size()), &put, nullptr);
    CloseHandle(f);
  }
  std::thread inspector([&] {
    HWND main = nullptr;
    for (int i = 0; i < 300 && !(main = FindWindowW(kMainWindowClass, nullptr)); ++i) Sleep(20);
    if (!main) return;
    for (int i = 0; i < 300 && !IsWindowVisible(main); ++i) Sleep(20);
    inspect(main);
    run.inspected = true;
    SendMessageW(FindWindowExW(main, nullptr, L"RichEdit20W", nullptr), EM_SETMODIFY, FALSE, 0);
    PostMessageW(main, WM_CLOSE, 0, 0);
  });
  MainForm form;
  run.exitCode = form.Run(GetModuleHandleW(nullptr), {});
  inspector.join();
  return run;
}

}  // namespace quillo

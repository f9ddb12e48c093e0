// The main window in-process: what cannot be read from another process
// under Wine (its menus) is checked here.
#include "app/main_form.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/ui_text.h"

namespace quillo {
namespace {

TEST(MainForm, SystemMenuCarriesTheAboutItem) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"quillo-mainform";
  CreateDirectoryW(folder.c_str(), nullptr);
  SetCurrentDirectoryW(folder.c_str());
  DeleteFileW((folder + L"\\Quillo2.ini").c_str());

  std::wstring caption;
  std::thread inspector([&] {
    HWND main = nullptr;
    for (int i = 0; i < 300 && !(main = FindWindowW(kMainWindowClass, nullptr)); ++i) Sleep(20);
    if (!main) return;
    for (int i = 0; i < 300 && !IsWindowVisible(main); ++i) Sleep(20);
    HMENU sys = GetSystemMenu(main, FALSE);
    wchar_t text[128] = {};
    GetMenuStringW(sys, kSysMenuAbout, text, 128, MF_BYCOMMAND);
    caption = text;
    PostMessageW(main, WM_CLOSE, 0, 0);
  });
  MainForm form;
  int rc = form.Run(GetModuleHandleW(nullptr), {});
  inspector.join();
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(caption, Wide("О программе..."));
  // The exit wrote the settings file in the working directory.
  EXPECT_NE(GetFileAttributesW((folder + L"\\Quillo2.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace quillo

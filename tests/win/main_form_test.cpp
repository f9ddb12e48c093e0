// The main window in-process: what cannot be read from another process
// under Wine (its menus) is checked here.
#include "app/window/main_form.h"

#include <gtest/gtest.h>

#include "app/platform/ui_text.h"
#include "main_window_runner.h"

namespace quillo {
namespace {

TEST(MainForm, SystemMenuCarriesTheAboutItem) {
  std::wstring caption;
  MainWindowRun run = RunMainWindow(L"quillo-mainform", "", [&](HWND main) {
    wchar_t text[128] = {};
    GetMenuStringW(GetSystemMenu(main, FALSE), kSysMenuAbout, text, 128, MF_BYCOMMAND);
    caption = text;
  });
  EXPECT_TRUE(run.inspected);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(caption, Wide("О программе..."));
  // The exit wrote the settings file in the working directory.
  EXPECT_NE(GetFileAttributesW((run.folder + L"\\Quillo2.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

// No "PlugIns" folder beside this test program: "Надстройки" is disabled.
TEST(MainForm, PlugInsMenuIsDisabledWithoutPlugIns) {
  bool found = false, grayed = false;
  MainWindowRun run = RunMainWindow(L"quillo-mainform-plugins", "", [&](HWND main) {
    HMENU bar = GetMenu(main);
    for (int pos = 0; pos < GetMenuItemCount(bar); ++pos) {
      wchar_t text[64] = {};
      GetMenuStringW(bar, pos, text, 64, MF_BYPOSITION);
      if (text != Wide("Надстройки")) continue;
      found = true;
      grayed = (GetMenuState(bar, pos, MF_BYPOSITION) & MF_GRAYED) != 0;
    }
  });
  EXPECT_TRUE(run.inspected);
  EXPECT_TRUE(found);
  EXPECT_TRUE(grayed);
}

}  // namespace
}  // namespace quillo

// The tool bar in the real main window: every button within reach at the
// default size and in a narrow window, and the live hints of the date and
// time buttons.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/platform/ui_text.h"
#include "core/date_time_format.h"
#include "main_window_runner.h"

namespace quillo {
namespace {

// The buttons the bar shows outside its own client area.
int ButtonsOutOfReach(HWND bar) {
  RECT client{};
  GetClientRect(bar, &client);
  const int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
  int outside = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
    if (button.fsStyle & BTNS_SEP) continue;
    RECT rc{};
    SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    if (rc.right > client.right || rc.bottom > client.bottom || rc.left < 0 || rc.top < 0) ++outside;
  }
  return outside;
}

int RowsOf(HWND bar) {
  RECT first{}, last{};
  const int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
  SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
  const int height = first.bottom - first.top;
  return height > 0 ? 1 + (last.top - first.top + height / 2) / height : 0;
}

// Asks for a button's hint as the tool bar's tooltip does (the window
// ignores notifications that come from none of its own windows).
std::wstring HintOf(HWND main, HWND bar, ActionId action) {
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(bar, TB_GETTOOLTIPS, 0, 0));
  info.hdr.code = TTN_GETDISPINFOW;
  info.hdr.idFrom = static_cast<UINT_PTR>(action);
  SendMessageW(main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  return info.lpszText ? std::wstring(info.lpszText) : std::wstring();
}

TEST(ToolBar, EveryButtonIsWithinReachAndTheDateHintIsLive) {
  int wideOutside = -1, narrowOutside = -1, wideRows = 0, narrowRows = 0;
  bool editorBelowBar = false;
  std::wstring dateHint, expectedDate;
  MainWindowRun run = RunMainWindow(L"quillo-toolbar", "", [&](HWND main) {
    SendMessageW(main, WM_NULL, 0, 0);  // start-up has ended
    HWND bar = FindWindowExW(main, nullptr, TOOLBARCLASSNAMEW, nullptr);
    HWND editor = FindWindowExW(main, nullptr, L"RichEdit20W", nullptr);
    wideOutside = ButtonsOutOfReach(bar);
    wideRows = RowsOf(bar);
    SetWindowPos(main, nullptr, 0, 0, 360, 400, SWP_NOMOVE | SWP_NOZORDER);
    narrowOutside = ButtonsOutOfReach(bar);
    narrowRows = RowsOf(bar);
    RECT barRect{}, editorRect{};
    GetWindowRect(bar, &barRect);
    GetWindowRect(editor, &editorRect);
    editorBelowBar = editorRect.top >= barRect.bottom;

    SYSTEMTIME now;
    GetLocalTime(&now);
    dateHint = HintOf(main, bar, ActionId::TextDate);
    expectedDate = WideFromWin1251(FormatDateText(1, {now.wYear, now.wMonth, now.wDay, 0, 0, 0}));
  });
  ASSERT_TRUE(run.inspected);
  EXPECT_EQ(wideOutside, 0) << "at the default size";
  EXPECT_EQ(narrowOutside, 0) << "in a narrow window";
  EXPECT_GT(narrowRows, wideRows) << "the narrow window needs more rows";
  EXPECT_TRUE(editorBelowBar) << "the rows push the text down";
  EXPECT_EQ(dateHint, expectedDate) << "the date button's hint is what Ctrl+D inserts";
}

}  // namespace
}  // namespace quillo

// The "Текст" menu's format submenus show live samples, and a chosen date
// format becomes the one of "Дата" (Ctrl+D); with Shift it is only chosen.
// In-process: menus of another process cannot be read under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include "main_window_runner.h"

#include "app/window/main_form.h"
#include "app/platform/ui_text.h"
#include "core/format_captions.h"

namespace quillo {
namespace {

std::vector<std::wstring> TextsOf(HMENU menu) {
  std::vector<std::wstring> texts;
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(pos), text, 256, MF_BYPOSITION);
    texts.push_back(text);
  }
  return texts;
}

HMENU SubmenuByText(HMENU menu, std::string_view caption) {
  std::vector<std::wstring> texts = TextsOf(menu);
  for (size_t pos = 0; pos < texts.size(); ++pos)
    if (texts[pos] == Wide(caption)) return GetSubMenu(menu, static_cast<int>(pos));
  return nullptr;
}

// The texts of a submenu of "Текст" as they show when it opens.
std::vector<std::wstring> OpenedTexts(HWND main, std::string_view submenu) {
  HMENU text = SubmenuByText(GetMenu(main), "Текст");
  HMENU sub = text ? SubmenuByText(text, submenu) : nullptr;
  if (!sub) return {};
  SendMessageW(main, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
  return TextsOf(sub);
}

std::wstring EditorText(HWND main) {
  HWND editor = FindWindowExW(main, nullptr, L"RichEdit20W", nullptr);
  wchar_t text[512] = {};
  GetWindowTextW(editor, text, 512);
  return text;
}

DateTimeParts Today() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

void WithMainWindow(const std::function<void(HWND)>& inspect) {
  EXPECT_TRUE(RunMainWindow(L"quillo-text-menus", "", inspect).inspected);
}

TEST(TextMenus, FormatSubmenusShowSamplesAndTheChosenDateFormatStays) {
  std::vector<std::wstring> dates, times;
  std::vector<std::vector<std::wstring>> numbers;
  std::wstring afterShiftFormat2, afterShiftDate, afterFormat3, afterDate;
  DateTimeParts now = Today();
  WithMainWindow([&](HWND main) {
    dates = OpenedTexts(main, "Дата");
    times = OpenedTexts(main, "Время");
    for (int i = 0; i < 5; ++i) numbers.push_back(OpenedTexts(main, "Число"));
    // With Shift held a format is only chosen: nothing is inserted.
    DWORD ui = GetWindowThreadProcessId(main, nullptr);
    AttachThreadInput(GetCurrentThreadId(), ui, TRUE);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(ActionId::TextDate2), 0);
    afterShiftFormat2 = EditorText(main);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    AttachThreadInput(GetCurrentThreadId(), ui, FALSE);
    SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(ActionId::TextDate), 0);
    afterShiftDate = EditorText(main);
    SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(ActionId::EditDeleteAll), 0);
    SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(ActionId::TextDate3), 0);
    afterFormat3 = EditorText(main);
    SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(ActionId::TextDate), 0);
    afterDate = EditorText(main);
  });

  ASSERT_EQ(dates.size(), 4u);
  for (int format = 1; format <= 4; ++format)
    EXPECT_EQ(dates[format - 1], Wide(DateFormatCaption(format, now))) << format;
  ASSERT_EQ(times.size(), 3u);
  EXPECT_EQ(times[0].size(), 5u);   // hh:nn
  EXPECT_EQ(times[1].size(), 8u);   // hh:nn:ss
  EXPECT_EQ(times[2].size(), 8u);   // hh:nn AM
  EXPECT_NE(times[2].find(L"M"), std::wstring::npos);

  // Each format's words, and a fresh sample each time the menu opens.
  const char* unitWord[] = {"сотых", "копеек", "коп."};
  std::set<std::wstring> seen;
  for (const auto& texts : numbers) {
    ASSERT_EQ(texts.size(), 3u);
    for (int f = 0; f < 3; ++f) {
      EXPECT_NE(texts[f].find(Wide(unitWord[f])), std::wstring::npos) << Utf8(texts[f]);
      seen.insert(texts[f]);
    }
  }
  EXPECT_GT(seen.size(), 3u);

  EXPECT_EQ(afterShiftFormat2, L"");
  EXPECT_EQ(afterShiftDate, Wide(DateFormatCaption(2, now)));
  // The format command inserts its date and makes it the one of "Дата".
  std::wstring format3 = Wide(DateFormatCaption(3, now));
  EXPECT_EQ(afterFormat3, format3);
  EXPECT_EQ(afterDate, format3 + format3);
}

}  // namespace
}  // namespace quillo

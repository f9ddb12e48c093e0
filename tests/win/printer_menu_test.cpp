// The printer lists of the "Текущий печатник" submenu and the print button's
// drop-down menu, and the print commands of a window that finds no printer
// (the Windows-side tests run where Wine has none).
#include "app/printing/printer_menu.h"

#include <gtest/gtest.h>

#include "app/platform/ui_text.h"
#include "app/window/menus.h"
#include "main_window_runner.h"
#include "shown_menu.h"

namespace quillo {
namespace {

using Item = ShownItem;

std::vector<std::wstring> TextsOf(HMENU menu) {
  std::vector<std::wstring> texts;
  for (const Item& item : ItemsOf(menu)) texts.push_back(item.text);
  return texts;
}

TEST(PrinterMenu, PrintersFollowTheMenusOwnItemsEveryTimeItOpens) {
  ActionRegistry actions;
  Icons icons;
  WindowMenus menus;
  menus.Create(actions, icons, MenuOptions{});
  HMENU dropDown = menus.PopUp(MenuId::pmPrint);
  HMENU submenu = menus.NativeMenus(MenuId::mnSelectPrinter).at(0);
  const std::vector<std::wstring> ownItems = TextsOf(dropDown);
  ASSERT_EQ(ownItems, (std::vector<std::wstring>{Wide("Печать выделенного текста"),
                                                  Wide("Параметры страницы…")}));
  const std::vector<std::wstring> printers{L"PDF", Wide("Лазерный & цветной")};
  const UINT first = static_cast<UINT>(GetRuntimeList(RuntimeList::Printers).firstCommandId);

  // Opened twice: the list is replaced, not added again.
  for (int chosen : {1, 1, -1}) {
    FillPrinterMenu(dropDown, printers, chosen, true);
    FillPrinterMenu(submenu, printers, chosen, false);
    std::vector<Item> expected{{.text = L"PDF", .checked = chosen == 0, .id = first},
                               {.text = Wide("Лазерный && цветной"), .checked = chosen == 1, .id = first + 1}};
    EXPECT_EQ(ItemsOf(submenu), expected);
    std::vector<Item> dropped = ItemsOf(dropDown);
    ASSERT_EQ(dropped.size(), 5u);
    EXPECT_EQ(dropped[2].text, L"-");
    EXPECT_EQ(std::vector<Item>(dropped.begin() + 3, dropped.end()), expected);
  }
  // The printers gone: the menus are as built.
  FillPrinterMenu(dropDown, {}, -1, true);
  FillPrinterMenu(submenu, {}, -1, false);
  EXPECT_EQ(TextsOf(dropDown), ownItems);
  EXPECT_TRUE(ItemsOf(submenu).empty());
}

TEST(PrinterMenu, WithoutPrintersTheChoiceIsDisabled) {
  std::vector<Item> file;
  auto run = RunMainWindow(L"quillo-no-printer", "[Options]\r\n", [&](HWND main) {
    HMENU menu = GetSubMenu(GetMenu(main), 0);
    SendMessageW(main, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    file = ItemsOf(menu);
  });
  ASSERT_TRUE(run.inspected);
  auto find = [&](std::string_view text) {
    for (const Item& item : file)
      if (item.text == Wide(text)) return item;
    ADD_FAILURE() << "no item " << text;
    return Item{};
  };
  EXPECT_FALSE(find("Текущий печатник").enabled);
  EXPECT_TRUE(find("Параметры страницы…\tShift+Alt+P").enabled);
  EXPECT_TRUE(find("Печать\tCtrl+P").enabled);
  // Nothing is selected in the empty document.
  EXPECT_FALSE(find("Печать выделенного текста\tShift+Ctrl+P").enabled);
}

}  // namespace
}  // namespace quillo

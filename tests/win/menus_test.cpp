// The native menus built from the menu tables, and the main window's menus
// for an empty document.
#include "app/window/menus.h"

#include <gtest/gtest.h>

#include "shown_menu.h"

#include <functional>
#include "main_window_runner.h"

#include "app/window/main_form.h"
#include "app/platform/ui_text.h"

namespace quillo {
namespace {

std::vector<std::wstring> TextsOf(HMENU menu) {
  std::vector<std::wstring> texts;
  for (const ShownItem& item : ItemsOf(menu)) texts.push_back(item.text);
  return texts;
}

std::vector<std::wstring> WideAll(std::initializer_list<const char*> texts) {
  std::vector<std::wstring> out;
  for (const char* t : texts) out.push_back(Wide(t));
  return out;
}

// Every item text of a menu and its submenus.
void CollectTexts(HMENU menu, std::vector<std::wstring>& out) {
  for (const ShownItem& item : ItemsOf(menu)) {
    out.push_back(item.text);
    if (item.submenu) CollectTexts(item.submenu, out);
  }
}

bool AnyShortcutText(HMENU menu) {
  std::vector<std::wstring> texts;
  CollectTexts(menu, texts);
  for (const std::wstring& t : texts)
    if (t.find(L'\t') != std::wstring::npos) return true;
  return false;
}

HMENU SubmenuByText(HMENU menu, std::string_view caption) {
  for (const ShownItem& item : ItemsOf(menu))
    if (item.text == Wide(caption)) return item.submenu;
  return nullptr;
}

TEST(WindowMenus, MenuBarHoldsTheEightMenusInOrder) {
  ActionRegistry actions;
  Icons icons;
  WindowMenus menus;
  menus.Create(actions, icons, MenuOptions{});
  EXPECT_EQ(TextsOf(menus.MenuBar()), WideAll({"Файл", "Правка", "Поиск", "Вид", "Текст",
                                               "Избранное", "Надстройки", "?"}));
}

TEST(WindowMenus, ShortcutTextsOnlyInTheMenuBarAndOnlyWhenTheSettingIsOn) {
  struct Case {
    bool showShortCut;
    const char* firstFileItem;
  };
  for (const Case& c : {Case{true, "Создать\tCtrl+N"}, Case{false, "Создать"}}) {
    ActionRegistry actions;
    Icons icons;
    WindowMenus menus;
    menus.Create(actions, icons, MenuOptions{c.showShortCut, true});
    HMENU file = SubmenuByText(menus.MenuBar(), "Файл");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ItemsOf(file).front().text, Wide(c.firstFileItem));
    EXPECT_EQ(AnyShortcutText(menus.MenuBar()), c.showShortCut);
    // No pop-up menu ever shows one, whatever the setting.
    for (const MenuInfo& info : Menus()) {
      if (info.kind != MenuKind::PopUp) continue;
      EXPECT_FALSE(AnyShortcutText(menus.PopUp(info.id))) << info.name;
    }
  }
}

TEST(WindowMenus, ItemsTakeTheStateOfTheirActionsWhenOpened) {
  ActionRegistry actions;
  actions.Bind(ActionId::EditUndo, [] {}, [] { return ActionState::Enabled(false); });
  actions.Bind(ActionId::EditRedo, [] {});
  actions.Bind(ActionId::CodDOS, [] {}, [] { return ActionState::Checked(true); });
  actions.Bind(ActionId::TextDate1, [] {}, [] {
    ActionState s;
    s.caption = "07.12.2026";
    return s;
  });
  Icons icons;
  WindowMenus menus;
  menus.Create(actions, icons, MenuOptions{});
  HMENU edit = SubmenuByText(menus.MenuBar(), "Правка");
  HMENU text = SubmenuByText(menus.MenuBar(), "Текст");
  HMENU coding = SubmenuByText(text, "Кодировка");
  HMENU date = SubmenuByText(text, "Дата");
  for (HMENU m : {edit, coding, date}) ASSERT_TRUE(menus.OnInitMenuPopup(m));
  EXPECT_FALSE(menus.OnInitMenuPopup(CreatePopupMenu()));

  struct Expected {
    HMENU menu;
    int pos;
    const char* text;
    bool enabled;
    bool checked;
  };
  const Expected cases[] = {
      {edit, 0, "Отменить\tCtrl+Z", false, false},          // its update says so
      {edit, 1, "Повторить\tShift+Ctrl+Z", true, false},    // bound, no update handler
      {edit, 3, "Вырезать\tCtrl+X", false, false},          // not bound yet
      {coding, 5, "DOS-866\tAlt+D", true, true},
      {coding, 4, "Windows-1251\tAlt+W", false, false},
      {date, 0, "07.12.2026", true, false},                  // live caption
  };
  for (const Expected& e : cases) {
    ShownItem item = ItemsOf(e.menu).at(static_cast<size_t>(e.pos));
    EXPECT_EQ(item.text, Wide(e.text));
    EXPECT_EQ(item.enabled, e.enabled) << e.text;
    EXPECT_EQ(item.checked, e.checked) << e.text;
  }
}

TEST(WindowMenus, HiddenAndEmptyPlacesLeaveNoStraySeparators) {
  ActionRegistry actions;
  Icons icons;
  WindowMenus menus;
  menus.Create(actions, icons, MenuOptions{false, true});
  // "Вид" ends with "Настройки…": the tool-bar layout items are hidden.
  EXPECT_EQ(TextsOf(SubmenuByText(menus.MenuBar(), "Вид")),
            WideAll({"Перенос по словам", "Панель инструментов", "Строка состояния",
                     "Во весь экран", "Только чтение", "Режим вставка/замена",
                     "Переключить раскладку", "-", "Шрифт", "Фон", "-", "Настройки…"}));
  // No named bookmarks yet: the separator after the fixed items goes too.
  EXPECT_EQ(TextsOf(SubmenuByText(menus.MenuBar(), "Избранное")),
            WideAll({"Добавить…", "Удалить…"}));
  EXPECT_EQ(TextsOf(menus.PopUp(MenuId::pmStatusBar6)),
            WideAll({"Открыть папку…", "Свойства файла...", "Копировать имя файла", "Выполнить",
                     "Удалить файл"}));
  // "Сохранить в кодировке..." hangs under "Дополнительно" and in the save
  // button's drop-down: one native copy each.
  EXPECT_EQ(menus.NativeMenus(MenuId::mnSaveInCoding).size(), 1u);
  menus.PopUp(MenuId::SavePopup);
  EXPECT_EQ(menus.NativeMenus(MenuId::mnSaveInCoding).size(), 2u);
  EXPECT_EQ(GetMenuDefaultItem(menus.PopUp(MenuId::pmStatusBar4), FALSE, 0),
            static_cast<UINT>(ActionId::OptInsMode));
  EXPECT_EQ(TextsOf(menus.PopUp(MenuId::pmMainSimple)),
            WideAll({"Отменить", "-", "Вырезать", "Копировать", "Вставить", "Удалить", "-",
                     "Выделить все"}));
}

TEST(WindowMenus, AmpersandsInCaptionsAreShownAsThemselves) {
  EXPECT_EQ(MenuItemText("Save & go", "Ctrl+S", true), L"Save && go\tCtrl+S");
  EXPECT_EQ(MenuItemText("Выход", "Alt+X", false), Wide("Выход"));
  EXPECT_EQ(MenuItemText("Формат 1", "", true), Wide("Формат 1"));
}

// Runs the real main window with a settings file, lets inspect() look at
// it from another thread, then closes it.
void WithMainWindow(std::string_view iniText, const std::function<void(HWND)>& inspect) {
  // Nothing to paste, so "Вставить" is as disabled as the rest.
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  EXPECT_TRUE(RunMainWindow(L"quillo-menus", iniText, inspect).inspected);
}

TEST(MainWindowMenus, EditMenuOfAnEmptyDocument) {
  std::vector<ShownItem> items;
  WithMainWindow("[Options]\r\n", [&](HWND main) {
    HMENU edit = GetSubMenu(GetMenu(main), 1);
    SendMessageW(main, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    items = ItemsOf(edit);
  });
  struct Expected {
    const char* text;
    int enabled;  // 1 on, 0 off, -1 not checked here (other commands decide)
  };
  const Expected expected[] = {
      {"Отменить\tCtrl+Z", 0},
      {"Повторить\tShift+Ctrl+Z", 0},
      {"-", -1},
      {"Вырезать\tCtrl+X", 0},
      {"Вырезать и добавить\tShift+Ctrl+X", -1},
      {"Вырезать все\tShift+Ctrl+Alt+X", -1},
      {"-", -1},
      {"Копировать\tCtrl+C", 0},
      {"Копировать и добавить\tShift+Ctrl+C", -1},
      {"Копировать все\tShift+Ctrl+A", -1},
      {"-", -1},
      {"Вставить\tCtrl+V", 0},
      {"Поменять с буфером\tShift+Ctrl+V", -1},
      {"-", -1},
      {"Удалить\tDel", 0},
      {"Удалить строку\tCtrl+Y", -1},
      {"Удалить все\tShift+Alt+Del", -1},
      {"-", -1},
      {"Выделить все\tCtrl+A", 1},
      {"Сбросить выделение\tCtrl+Alt+A", 0},
  };
  ASSERT_EQ(items.size(), std::size(expected));
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].text, Wide(expected[i].text)) << i;
    if (expected[i].enabled >= 0) {
      EXPECT_EQ(items[i].enabled, expected[i].enabled == 1) << expected[i].text;
    }
  }
}

TEST(MainWindowMenus, ShortcutTextsFollowTheSetting) {
  struct Case {
    const char* ini;
    bool tabs;
  };
  for (const Case& c : {Case{"[Options]\r\n", true}, Case{"[Options]\r\nShowShortCut=0\r\n", false}}) {
    bool tabs = !c.tabs;
    WithMainWindow(c.ini, [&](HWND main) { tabs = AnyShortcutText(GetMenu(main)); });
    EXPECT_EQ(tabs, c.tabs) << c.ini;
  }
}

}  // namespace
}  // namespace quillo

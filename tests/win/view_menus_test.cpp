// The "Вид" menu in-process (menus cannot be read from another process under
// Wine), and the keys of the shell commands, among them Ctrl+Alt+F12, which
// the X server keeps for itself and never hands to Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/commands/action_registry.h"
#include "app/commands/key_dispatcher.h"
#include "main_window_runner.h"

namespace quillo {
namespace {

constexpr int kViewMenu = 3;  // "Вид" in the menu bar

HMENU Opened(HWND main, HMENU menu) {
  SendMessageW(main, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  return menu;
}

HMENU SubmenuStartingWith(HMENU menu, ActionId first) {
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
    HMENU sub = GetSubMenu(menu, pos);
    if (sub && GetMenuItemID(sub, 0) == static_cast<UINT>(first)) return sub;
  }
  return nullptr;
}

bool Checked(HMENU menu, ActionId action) {
  return (GetMenuState(menu, static_cast<UINT>(action), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST(ViewMenu, WordWrapIsCheckedAsTheSettingsSayFromStartUp) {
  for (bool wrap : {false, true}) {
    bool checked = !wrap;
    RunMainWindow(L"quillo-view-wrap", wrap ? "[Options]\r\nWordWrap=1\r\n" : "[Options]\r\nWordWrap=0\r\n",
                  [&](HWND main) {
                    checked = Checked(Opened(main, GetSubMenu(GetMenu(main), kViewMenu)), ActionId::OptWordWrap);
                  });
    EXPECT_EQ(checked, wrap);
  }
}

TEST(ViewMenu, CustomColoursAreListedOnceHoweverOftenItOpens) {
  int items = 0;
  std::wstring third;
  RunMainWindow(L"quillo-view-colours", "[CustomColors]\r\nColorC=$C0E0FF\r\n", [&](HWND main) {
    HMENU view = Opened(main, GetSubMenu(GetMenu(main), kViewMenu));
    HMENU background = SubmenuStartingWith(view, ActionId::OptBackground);
    ASSERT_NE(background, nullptr);
    Opened(main, background);
    Opened(main, view);
    Opened(main, background);
    items = GetMenuItemCount(background);
    wchar_t text[32] = {};
    GetMenuStringW(background, 4, text, 32, MF_BYPOSITION);
    third = text;
  });
  EXPECT_EQ(items, 2 + 16);  // "Изменить…", a separator, the colours
  EXPECT_EQ(third, L"FFE0C0") << "blue first, as the colour dialog stores it";
}

// Modifier keys as the program reads them at the moment of use.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    memcpy(state, saved_, sizeof state);
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU}) state[key] = 0;
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

TEST(ShellKeys, EachKeyRunsItsCommand) {
  struct Case {
    std::initializer_list<int> modifiers;
    UINT key;
    ActionId expected;
  };
  const Case cases[] = {
      {{VK_CONTROL, VK_MENU}, 'E', ActionId::FileOpenFolder},
      {{VK_CONTROL, VK_MENU}, VK_F12, ActionId::FileOpenFolder},
      {{VK_SHIFT, VK_CONTROL}, VK_F10, ActionId::FileExecute},
      {{VK_CONTROL}, 'R', ActionId::FileExecute},
      {{VK_MENU}, VK_F12, ActionId::FileProperties},
  };
  for (const Case& c : cases) {
    ActionRegistry actions;
    KeyDispatcher keys(actions);
    ActionId ran{};
    for (ActionId id : {ActionId::FileOpenFolder, ActionId::FileExecute, ActionId::FileProperties,
                        ActionId::TextLatToRusInvert, ActionId::FileSaveSelText})
      actions.Bind(id, [&ran, id] { ran = id; });
    HeldKeys held(c.modifiers);
    EXPECT_TRUE(keys.Handle(c.key));
    EXPECT_EQ(ran, c.expected) << c.key;
  }
}

TEST(ShellKeys, SpacePagesDownOnlyInTheReadOnlyView) {
  ActionRegistry actions;
  KeyDispatcher keys(actions);
  bool readOnly = false;
  int pages = 0;
  keys.OnWindowKey(WindowKeyEffect::PageDownInReadOnly, [&] { ++pages; }, [&] { return readOnly; });
  HeldKeys none({});
  EXPECT_FALSE(keys.Handle(VK_SPACE)) << "typed as a space";
  readOnly = true;
  EXPECT_TRUE(keys.Handle(VK_SPACE));
  EXPECT_EQ(pages, 1);
}

}  // namespace
}  // namespace quillo

namespace quillo {
namespace {

// "Сохранить" keeps the tool bar's buttons under HKEY_CURRENT_USER\Quillo;
// "Восстановить" brings back a button taken off since.
TEST(ToolBarLayout, ARemovedButtonComesBackWithTheSavedLayout) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Quillo");
  int saved = 0, removed = 0, restored = 0;
  std::vector<int> before, after;
  auto commands = [](HWND bar) {
    std::vector<int> ids;
    for (int i = 0; i < static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0)); ++i) {
      TBBUTTON button{};
      SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
      ids.push_back((button.fsStyle & BTNS_SEP) ? 0 : button.idCommand);
    }
    return ids;
  };
  RunMainWindow(L"quillo-toolbar-layout", "", [&](HWND main) {
    HWND bar = FindWindowExW(main, nullptr, TOOLBARCLASSNAMEW, nullptr);
    ASSERT_NE(bar, nullptr);
    saved = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    before = commands(bar);
    SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(CommandId::ToolBarSave), 0);
    SendMessageW(bar, TB_DELETEBUTTON, 0, 0);
    removed = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(CommandId::ToolBarRestore), 0);
    restored = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    after = commands(bar);
  });
  EXPECT_EQ(after, before) << "the same buttons and separators in the same order";
  EXPECT_EQ(removed, saved - 1);
  EXPECT_EQ(restored, saved);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Quillo", 0, KEY_READ, &key), ERROR_SUCCESS);
  if (key) RegCloseKey(key);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Quillo");
}

}  // namespace
}  // namespace quillo

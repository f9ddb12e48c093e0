// Plug-in menu items in the program's menus while those menus change: a
// menu whose actions are hidden or shown again gets its table items anew as
// it opens, and the plug-in items in it come back where they stood, with
// their state.
#include "app/plugins/plugin_menu_items.h"

#include <gtest/gtest.h>

#include "shown_menu.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/platform/ui_text.h"
#include "app/settings/settings_store.h"
#include "app/window/icons.h"
#include "app/window/menus.h"
#include "app/window/status_view.h"
#include "app/window/window_layout.h"

namespace quillo {
namespace {

struct Shown {
  std::wstring text;
  bool enabled;
  bool checked;
  bool submenu;
  bool operator==(const Shown&) const = default;
};

std::vector<Shown> Opened(WindowMenus& menus, HMENU menu) {
  menus.OnInitMenuPopup(menu);
  std::vector<Shown> items;
  for (const ShownItem& shown : ItemsOf(menu))
    items.push_back({shown.text, shown.enabled, shown.checked, shown.submenu != nullptr});
  return items;
}

class PlugInItemsInChangingMenus : public ::testing::Test {
 protected:
  SettingsStore settings;
  MyRichEdit editor;
  Document document{editor, settings};
  ActionRegistry actions;
  WindowMenus menus;
  WindowLayout layout;
  AppContext ctx{nullptr, nullptr, editor, document, settings, actions, menus, status, layout};
  StatusView status{ctx};
  Icons icons;
  PlugInMenuItems items{ctx, icons};
  bool clipboardShown = true;

  void SetUp() override {
    for (ActionId id : {ActionId::EditCutAdd, ActionId::EditCopyAdd, ActionId::EditSwapClipbrd})
      actions.ShowWhen(id, [this] { return clipboardShown; });
    menus.Create(actions, icons, MenuOptions{true, false});
    menus.AddPopupFiller([this](HMENU menu) { items.Restore(menu); });
  }

  std::int32_t Add(const char* caption, std::int32_t parent, std::optional<int> position = {},
                   const char* shortcut = "") {
    PluginMenuItem item;
    item.caption = Utf8ToWin1251(caption);
    item.shortCut = shortcut;
    return items.Create(item, parent, position, nullptr);
  }
};

TEST_F(PlugInItemsInChangingMenus, ComeBackWhereTheyStoodWithTheirState) {
  HMENU edit = menus.NativeMenus(MenuId::mnEdit).front();
  HMENU context = menus.PopUp(MenuId::pmMain);
  const std::int32_t first = Add("Первый", -2, 0, "Ctrl+Shift+J");
  const std::int32_t last = Add("Последний", -2);
  const std::int32_t parent = Add("Подменю", -2);
  Add("Дочерний", parent);
  Add("В контекстном", -9, 0);  // the context menu always appends
  items.SetChecked(first, true);
  items.SetEnabled(last, false);

  const std::vector<Shown> before = Opened(menus, edit);
  ASSERT_EQ(before.front(), (Shown{Wide("Первый\tShift+Ctrl+J"), true, true, false}));
  ASSERT_EQ(before.back(), (Shown{Wide("Подменю"), true, false, true}));
  EXPECT_EQ(Opened(menus, context).back().text, Wide("В контекстном"));

  clipboardShown = false;
  std::vector<Shown> hidden = Opened(menus, edit);
  EXPECT_EQ(hidden.size(), before.size() - 3);
  EXPECT_EQ(hidden.front(), before.front());
  EXPECT_EQ(hidden[hidden.size() - 2], (Shown{Wide("Последний"), false, false, false}));
  EXPECT_EQ(hidden.back(), before.back());
  EXPECT_EQ(Opened(menus, context).back().text, Wide("В контекстном"));

  clipboardShown = true;
  EXPECT_EQ(Opened(menus, edit), before);
  // The submenu is the one the sub-item went into.
  EXPECT_TRUE(items.Delete(parent + 1));
  EXPECT_FALSE(Opened(menus, edit).back().submenu);
}

}  // namespace
}  // namespace quillo

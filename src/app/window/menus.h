#pragma once
// The window's native menus, built by walking the menu tables: the menu bar
// with its submenus and every pop-up menu. Each time a menu opens its items
// take their enabled, checked and caption state from the actions.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/commands/action_registry.h"
#include "app/platform/win_handles.h"
#include "app/window/icons.h"
#include "core/menu_layout.h"

namespace quillo {

struct MenuOptions {
  bool showShortCut = true;  // setting "ShowShortCut": shortcut texts in the menu bar
  bool icons = true;         // setting "Icons": images in menus
};

// A menu item's text: the caption with '&' doubled, then a tab and the
// shortcut text when shown.
std::wstring MenuItemText(std::string_view caption, std::string_view shortcut, bool withShortcut);

class WindowMenus {
 public:
  // Builds the menu bar; pop-up menus are built when first asked for.
  void Create(const ActionRegistry& actions, const Icons& icons, MenuOptions options);

  HMENU MenuBar() const { return bar_; }
  // Setting "Icons" applied again: menus show images (or none) from the
  // next time they open.
  void SetIcons(bool on) { options_.icons = on; }
  // The native menu of a pop-up table (context, drop-down or status-bar menu).
  HMENU PopUp(MenuId id);

  // Every native copy of a menu built so far (a submenu may hang in several
  // places), for the owners of run-time lists to fill.
  std::vector<HMENU> NativeMenus(MenuId id) const;

  // Owners of run-time lists fill a menu each time it opens.
  void AddPopupFiller(std::function<void(HMENU)> fill) { fillers_.push_back(std::move(fill)); }

  // A run-time item's image: one of the image list's (imageIndex < 0: none),
  // drawn as the actions' images are.
  void SetItemImage(HMENU menu, int position, int imageIndex) const;

  // WM_INITMENUPOPUP: a menu whose actions were hidden or shown again since
  // it last opened gets the table's items anew (run-time items go with them:
  // a filler puts its items back every time, it never counts on their being
  // there); then the fillers run, then the actions' states go into the menu.
  // False when the menu is not one of these.
  bool OnInitMenuPopup(HMENU menu);

  // WM_MEASUREITEM and WM_DRAWITEM for the images beside menu items (drawn
  // from the image list, so their transparent parts blend with the menu).
  // False when the item is not one of these.
  bool OnMeasureItem(MEASUREITEMSTRUCT& item) const;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) const;

  // Opens a pop-up menu at a screen point; the chosen item's command reaches
  // owner as WM_COMMAND.
  void Track(MenuId id, HWND owner, POINT screen, UINT align = TPM_LEFTALIGN | TPM_TOPALIGN);

 private:
  struct Built {
    MenuId id;
    bool shortcuts;
    MenuImages images;  // what the menu's root shows
    std::optional<std::vector<MenuItem>> shown;  // the table's items it holds now
    std::unordered_map<int, HMENU> submenus;     // by MenuId
  };
  HMENU Build(MenuId id, bool shortcuts, MenuImages images, bool isBar);
  // Puts the table's visible items into the menu unless it holds them already.
  void ShowTableItems(HMENU menu);
  void AppendItem(HMENU menu, Built& built, const MenuItem& item);
  bool ShowsImages(MenuImages images) const;
  int ImageIndexFor(ULONG_PTR itemData) const;
  HBITMAP ItemImage(const ActionInfo& action, MenuImages images) const;

  const ActionRegistry* actions_ = nullptr;
  const Icons* icons_ = nullptr;
  MenuOptions options_;
  HMENU bar_ = nullptr;
  std::unordered_map<HMENU, Built> built_;
  std::vector<std::function<void(HMENU)>> fillers_;
  // By MenuId. Destroying a menu destroys its submenus too; the bar goes
  // with its window.
  std::unordered_map<int, MenuHandle> popUps_;
};

}  // namespace quillo

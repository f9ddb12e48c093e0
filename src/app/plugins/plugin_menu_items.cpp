#include "app/plugins/plugin_menu_items.h"

#include <algorithm>

#include "app/app_context.h"
#include "app/platform/ui_text.h"
#include "app/settings/settings_store.h"
#include "app/window/icons.h"
#include "app/window/menus.h"
#include "core/menu_layout.h"

namespace quillo {
namespace {

const RuntimeListInfo& ItemIds() { return GetRuntimeList(RuntimeList::PlugInItems); }

UINT CommandIdOf(std::int32_t index) { return static_cast<UINT>(ItemIds().firstCommandId + index); }

// A caption of a single dash is a separator, as in the program's own menus.
bool IsSeparator(const std::string& caption) { return caption == "-"; }

}  // namespace

PlugInMenuItems::Item* PlugInMenuItems::Live(std::int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

const PlugInMenuItems::Item* PlugInMenuItems::Live(std::int32_t index) const {
  return const_cast<PlugInMenuItems*>(this)->Live(index);
}

HMENU PlugInMenuItems::MenuForParent(std::int32_t parent, bool& showsShortcut) {
  if (parent >= 0) {
    Item* owner = Live(parent);
    if (!owner) return nullptr;
    if (!owner->submenu) {
      const int pos = PositionOf(parent);
      if (pos < 0) return nullptr;
      HMENU sub = CreatePopupMenu();
      MENUITEMINFOW mii{};
      mii.cbSize = sizeof(mii);
      mii.fMask = MIIM_SUBMENU;
      mii.hSubMenu = sub;
      if (!SetMenuItemInfoW(owner->menu, static_cast<UINT>(pos), TRUE, &mii)) {
        DestroyMenu(sub);
        return nullptr;
      }
      owner->submenu = sub;
      MenuChanged(owner->menu);
    }
    showsShortcut = owner->showsShortcut;
    return owner->submenu;
  }
  std::optional<MenuId> id = MenuForPlugInParent(parent);
  if (!id) return nullptr;
  const MenuInfo& info = GetMenu(*id);
  // Shortcut texts show only in the menu bar's tree, as for the actions.
  showsShortcut = info.kind != MenuKind::PopUp && ctx_.settings.Values().show_short_cut;
  switch (info.kind) {
    case MenuKind::MenuBar:
      return ctx_.menus.MenuBar();
    case MenuKind::PopUp:
      return ctx_.menus.PopUp(*id);
    case MenuKind::Submenu: {
      std::vector<HMENU> copies = ctx_.menus.NativeMenus(*id);
      return copies.empty() ? nullptr : copies.front();
    }
  }
  return nullptr;
}

int PlugInMenuItems::PositionOf(std::int32_t index) const {
  const Item* item = Live(index);
  if (!item) return -1;
  const int count = GetMenuItemCount(item->menu);
  for (int pos = 0; pos < count; ++pos) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(item->menu, static_cast<UINT>(pos), TRUE, &mii)) continue;
    if (item->submenu ? mii.hSubMenu == item->submenu : (mii.wID == CommandIdOf(index) && !mii.hSubMenu))
      return pos;
  }
  return -1;
}

void PlugInMenuItems::MenuChanged(HMENU menu) const {
  if (menu == ctx_.menus.MenuBar() && ctx_.window) DrawMenuBar(ctx_.window);
}

void PlugInMenuItems::ShowText(std::int32_t index) {
  const Item* item = Live(index);
  const int pos = PositionOf(index);
  if (!item || pos < 0) return;
  std::wstring text = WideFromWin1251(item->caption);
  if (item->showsShortcut && item->shortcut) text += L"\t" + Wide(ShortcutToText(*item->shortcut));
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_FTYPE;
  mii.fType = MFT_SEPARATOR;
  if (!IsSeparator(item->caption)) {
    mii.fMask |= MIIM_STRING;
    mii.fType = MFT_STRING;
    mii.dwTypeData = text.data();
  }
  SetMenuItemInfoW(item->menu, static_cast<UINT>(pos), TRUE, &mii);
  MenuChanged(item->menu);
}

// A non-zero icon is copied into the image list and shown; zero removes the
// image (the list keeps every icon it was given).
void PlugInMenuItems::ShowImage(std::int32_t index, NativeHandle icon) {
  Item* item = Live(index);
  const int pos = PositionOf(index);
  if (!item || pos < 0) return;
  item->image = icon ? icons_.AddIcon(reinterpret_cast<HICON>(icon)) : -1;
  ctx_.menus.SetItemImage(item->menu, pos, item->image);
  MenuChanged(item->menu);
}

// The native item of a recorded one, at a position of its menu, with its
// text, image, state and submenu.
bool PlugInMenuItems::InsertNative(std::int32_t index, int at) {
  const Item* item = Live(index);
  if (!item) return false;
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
  mii.wID = CommandIdOf(index);
  mii.fType = MFT_SEPARATOR;
  mii.fState = (item->checked ? MFS_CHECKED : 0u) | (item->enabled ? 0u : MFS_GRAYED);
  if (item->submenu) {
    mii.fMask |= MIIM_SUBMENU;
    mii.hSubMenu = item->submenu;
  }
  if (!InsertMenuItemW(item->menu, static_cast<UINT>(at), TRUE, &mii)) return false;
  ShowText(index);
  if (item->image >= 0) ctx_.menus.SetItemImage(item->menu, PositionOf(index), item->image);
  return true;
}

std::int32_t PlugInMenuItems::Create(const PluginMenuItem& item, std::int32_t parent,
                                     std::optional<int> position, HMODULE owner) {
  if (items_.size() >= static_cast<size_t>(ItemIds().capacity)) return -1;
  bool showsShortcut = false;
  HMENU menu = MenuForParent(parent, showsShortcut);
  if (!menu) return -1;
  const auto index = static_cast<std::int32_t>(items_.size());
  auto created = std::make_unique<Item>();
  created->callback = item.callback;
  created->data = item.data;
  created->caption = item.caption;
  created->shortcut = ParseShortcut(item.shortCut);
  created->menu = menu;
  created->parent = parent >= 0 ? parent : -1;
  created->showsShortcut = showsShortcut;
  created->owner = owner;
  if (position && parent != -9) created->position = *position;
  items_.push_back(std::move(created));

  const int count = GetMenuItemCount(menu);
  const int at = position && parent != -9 ? std::clamp(*position, 0, count) : count;
  if (!InsertNative(index, at)) {
    items_.pop_back();
    return -1;
  }
  if (parent >= 0) ++Live(parent)->children;
  if (item.icon) ShowImage(index, item.icon);
  return index;
}

bool PlugInMenuItems::Modify(const PluginMenuItem& item, std::int32_t index) {
  Item* target = Live(index);
  if (!target) return false;
  target->callback = item.callback;
  target->data = item.data;
  target->caption = item.caption;
  target->shortcut = ParseShortcut(item.shortCut);
  ShowText(index);
  ShowImage(index, item.icon);
  return true;
}

bool PlugInMenuItems::Checked(std::int32_t index) const {
  const Item* item = Live(index);
  return item && item->checked;
}

void PlugInMenuItems::SetChecked(std::int32_t index, bool on) {
  Item* item = Live(index);
  const int pos = PositionOf(index);
  if (!item || pos < 0) return;
  item->checked = on;
  CheckMenuItem(item->menu, static_cast<UINT>(pos), MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
  MenuChanged(item->menu);
}

bool PlugInMenuItems::Enabled(std::int32_t index) const {
  const Item* item = Live(index);
  return item && item->enabled;
}

void PlugInMenuItems::SetEnabled(std::int32_t index, bool on) {
  Item* item = Live(index);
  const int pos = PositionOf(index);
  if (!item || pos < 0) return;
  item->enabled = on;
  EnableMenuItem(item->menu, static_cast<UINT>(pos), MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
  MenuChanged(item->menu);
}

bool PlugInMenuItems::Delete(std::int32_t index) {
  Item* item = Live(index);
  if (!item || item->children > 0) return false;
  const int pos = PositionOf(index);
  if (pos >= 0) DeleteMenu(item->menu, static_cast<UINT>(pos), MF_BYPOSITION);
  MenuChanged(item->menu);
  const std::int32_t parent = item->parent;
  items_[static_cast<size_t>(index)].reset();
  // A parent whose last sub-item went is a plain item again.
  if (Item* up = Live(parent); up && --up->children == 0 && up->submenu) {
    const int upPos = PositionOf(parent);
    HMENU sub = up->submenu;
    up->submenu = nullptr;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_SUBMENU;
    mii.hSubMenu = nullptr;
    if (upPos >= 0) SetMenuItemInfoW(up->menu, static_cast<UINT>(upPos), TRUE, &mii);
    DestroyMenu(sub);
    MenuChanged(up->menu);
  }
  return true;
}

std::optional<PlugInMenuItems::Choice> PlugInMenuItems::Choose(std::int32_t index) const {
  const Item* item = Live(index);
  if (!item || !item->enabled) return std::nullopt;
  return Choice{item->callback, item->owner};
}

std::int32_t PlugInMenuItems::ItemForKey(int key, std::uint8_t modifiers) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    const Item* item = items_[i].get();
    if (item && item->enabled && item->shortcut && ShortcutMatches(*item->shortcut, key, modifiers))
      return static_cast<std::int32_t>(i);
  }
  return -1;
}

void PlugInMenuItems::DeleteWithSubItems(std::int32_t index) {
  for (size_t i = items_.size(); i-- > 0;) {
    const Item* item = items_[i].get();
    if (item && item->parent == index) DeleteWithSubItems(static_cast<std::int32_t>(i));
  }
  Delete(index);
}

void PlugInMenuItems::DeleteItemsOf(HMODULE owner) {
  if (!owner) return;
  for (size_t i = items_.size(); i-- > 0;) {
    const Item* item = items_[i].get();
    if (item && item->owner == owner) DeleteWithSubItems(static_cast<std::int32_t>(i));
  }
}

void PlugInMenuItems::Restore(HMENU menu) {
  std::vector<std::int32_t> own;
  bool missing = false;
  for (size_t i = 0; i < items_.size(); ++i) {
    const Item* item = items_[i].get();
    if (!item || item->parent >= 0 || item->menu != menu) continue;
    own.push_back(static_cast<std::int32_t>(i));
    missing = missing || PositionOf(own.back()) < 0;
  }
  if (!missing) return;
  // RemoveMenu leaves a submenu alive to be put back.
  for (std::int32_t index : own)
    if (const int pos = PositionOf(index); pos >= 0) RemoveMenu(menu, static_cast<UINT>(pos), MF_BYPOSITION);
  for (std::int32_t index : own) {
    const Item* item = Live(index);
    const int count = GetMenuItemCount(menu);
    InsertNative(index, item->position ? std::clamp(*item->position, 0, count) : count);
  }
}

}  // namespace quillo

#include "app/window/menus.h"

#include <algorithm>

#include "app/platform/ui_text.h"

namespace quillo {
namespace {

// Marks the item data of items whose image is drawn here: an action's image
// by its command id, or a run-time item's by its index in the image list.
constexpr ULONG_PTR kImageMark = 0x51000000;
constexpr ULONG_PTR kListImageMark = 0x52000000;

bool IsImageData(ULONG_PTR data) {
  return (data & 0xFF000000) == kImageMark || (data & 0xFF000000) == kListImageMark;
}

const ActionInfo* ImageItemAction(ULONG_PTR data) {
  if ((data & 0xFF000000) != kImageMark) return nullptr;
  return FindActionByCommandId(static_cast<int>(data & 0x00FFFFFF));
}

bool IsVisible(const MenuItem& item, const ActionRegistry* actions) {
  if (item.Has(kItemHidden)) return false;
  if (item.kind == MenuItemKind::Action)
    return !GetAction(item.action()).Has(kActionHidden) &&
           (!actions || actions->Visible(item.action()));
  // Run-time lists are empty until their owners fill them.
  return item.kind != MenuItemKind::RuntimeList;
}

bool SameItems(const std::vector<MenuItem>& a, const std::vector<MenuItem>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const MenuItem& x, const MenuItem& y) {
    return x.kind == y.kind && x.ref == y.ref && x.flags == y.flags;
  });
}

// The visible items, without separators at either end or next to each other.
std::vector<MenuItem> ShownItems(std::span<const MenuItem> items, const ActionRegistry* actions) {
  std::vector<MenuItem> shown;
  for (const MenuItem& item : items) {
    if (!IsVisible(item, actions)) continue;
    const bool separator = item.kind == MenuItemKind::Separator;
    if (separator && (shown.empty() || shown.back().kind == MenuItemKind::Separator)) continue;
    shown.push_back(item);
  }
  if (!shown.empty() && shown.back().kind == MenuItemKind::Separator) shown.pop_back();
  return shown;
}

}  // namespace

std::wstring MenuItemText(std::string_view caption, std::string_view shortcut, bool withShortcut) {
  std::wstring text;
  for (wchar_t c : Wide(caption)) {
    if (c == L'&') text += L'&';
    text += c;
  }
  if (withShortcut && !shortcut.empty()) text += L'\t' + Wide(shortcut);
  return text;
}

void WindowMenus::Create(const ActionRegistry& actions, const Icons& icons, MenuOptions options) {
  actions_ = &actions;
  icons_ = &icons;
  options_ = options;
  bar_ = Build(MenuId::MainMenu, ShowsShortcuts(MenuId::MainMenu, options.showShortCut),
               GetMenu(MenuId::MainMenu).images, true);
}

HMENU WindowMenus::PopUp(MenuId id) {
  auto it = popUps_.find(static_cast<int>(id));
  if (it != popUps_.end()) return it->second;
  HMENU menu = Build(id, ShowsShortcuts(id, options_.showShortCut), GetMenu(id).images, false);
  popUps_[static_cast<int>(id)].Reset(menu);
  return menu;
}

bool WindowMenus::ShowsImages(MenuImages images) const {
  return images == MenuImages::Always ||
         (images == MenuImages::FollowIconsSetting && options_.icons);
}

HBITMAP WindowMenus::ItemImage(const ActionInfo& action, MenuImages images) const {
  return ShowsImages(images) && icons_->IndexOf(action.id) >= 0 ? HBMMENU_CALLBACK : nullptr;
}

HMENU WindowMenus::Build(MenuId id, bool shortcuts, MenuImages images, bool isBar) {
  HMENU menu = isBar ? CreateMenu() : CreatePopupMenu();
  built_[menu] = {id, shortcuts, images, {}, {}};
  if (!isBar && images != MenuImages::None) {
    // Images share the check marks' column, so every caption starts at
    // the same place whether its item has an image or not.
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_STYLE;
    info.dwStyle = MNS_CHECKORBMP;
    SetMenuInfo(menu, &info);
  }
  ShowTableItems(menu);
  return menu;
}

void WindowMenus::ShowTableItems(HMENU menu) {
  // Elements of an unordered_map keep their place when it grows, so the
  // reference outlives the submenus built below.
  Built& built = built_.at(menu);
  std::vector<MenuItem> wanted = ShownItems(GetMenu(built.id).items, actions_);
  if (built.shown && SameItems(wanted, *built.shown)) return;
  // RemoveMenu, unlike DeleteMenu, leaves a submenu alive to be put back.
  for (int pos = GetMenuItemCount(menu) - 1; pos >= 0; --pos) RemoveMenu(menu, pos, MF_BYPOSITION);
  for (const MenuItem& item : wanted) AppendItem(menu, built, item);
  built.shown = std::move(wanted);
}

void WindowMenus::AppendItem(HMENU menu, Built& built, const MenuItem& item) {
  const bool shortcuts = built.shortcuts;
  const MenuImages images = built.images;
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  std::wstring text;
  switch (item.kind) {
    case MenuItemKind::Separator:
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      return;
    case MenuItemKind::Submenu: {
      const MenuInfo& sub = GetMenu(item.submenu());
      text = MenuItemText(sub.caption, "", false);
      mii.fMask = MIIM_SUBMENU | MIIM_STRING;
      auto kept = built.submenus.find(item.ref);
      mii.hSubMenu = kept != built.submenus.end() ? kept->second
                                                  : Build(item.submenu(), shortcuts, images, false);
      built.submenus[item.ref] = mii.hSubMenu;
      break;
    }
    case MenuItemKind::Command: {
      const CommandInfo* command = FindCommand(item.ref);
      text = MenuItemText(command ? command->caption : "", "", false);
      mii.fMask = MIIM_ID | MIIM_STRING;
      mii.wID = static_cast<UINT>(item.ref);
      break;
    }
    case MenuItemKind::Action: {
      const ActionInfo& action = GetAction(item.action());
      text = MenuItemText(action.caption, action.shortcut, shortcuts);
      mii.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
      mii.wID = static_cast<UINT>(action.CommandId());
      if (action.groupIndex != 0) mii.fType |= MFT_RADIOCHECK;
      mii.fMask |= MIIM_BITMAP | MIIM_DATA;
      mii.hbmpItem = ItemImage(action, images);
      mii.dwItemData = kImageMark | static_cast<ULONG_PTR>(action.CommandId());
      break;
    }
    case MenuItemKind::RuntimeList:
      return;
  }
  mii.dwTypeData = text.data();
  InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mii);
  if (item.Has(kItemDefault)) SetMenuDefaultItem(menu, GetMenuItemCount(menu) - 1, TRUE);
}

std::vector<HMENU> WindowMenus::NativeMenus(MenuId id) const {
  std::vector<HMENU> copies;
  for (const auto& [menu, built] : built_)
    if (built.id == id) copies.push_back(menu);
  return copies;
}

bool WindowMenus::OnInitMenuPopup(HMENU menu) {
  if (built_.count(menu)) ShowTableItems(menu);
  for (const auto& fill : fillers_) fill(menu);
  auto it = built_.find(menu);
  if (it == built_.end()) return false;
  const bool shortcuts = it->second.shortcuts;
  const MenuImages images = it->second.images;
  actions_->TakeSnapshot();
  const int count = GetMenuItemCount(menu);
  for (int pos = 0; pos < count; ++pos) {
    const UINT id = GetMenuItemID(menu, pos);
    const ActionInfo* action = FindActionByCommandId(static_cast<int>(id));
    if (!action) continue;
    const ActionState state = actions_->State(action->id);
    EnableMenuItem(menu, pos, MF_BYPOSITION | (state.enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, pos, MF_BYPOSITION | (state.checked ? MF_CHECKED : MF_UNCHECKED));
    // Format actions put a live sample into their caption.
    std::wstring text = MenuItemText(state.caption.empty() ? action->caption : state.caption,
                                     action->shortcut, shortcuts);
    wchar_t current[512] = {};
    MENUITEMINFOW now{};
    now.cbSize = sizeof(now);
    now.fMask = MIIM_STRING | MIIM_BITMAP;
    now.dwTypeData = current;
    now.cch = 512;
    GetMenuItemInfoW(menu, pos, TRUE, &now);
    // The "Icons" setting may have changed since the menu was built.
    const HBITMAP image = ItemImage(*action, images);
    if (text != current || image != now.hbmpItem) {
      MENUITEMINFOW mii{};
      mii.cbSize = sizeof(mii);
      mii.fMask = MIIM_STRING | MIIM_BITMAP;
      mii.dwTypeData = text.data();
      mii.hbmpItem = image;
      SetMenuItemInfoW(menu, pos, TRUE, &mii);
    }
  }
  return true;
}

void WindowMenus::SetItemImage(HMENU menu, int position, int imageIndex) const {
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_BITMAP | MIIM_DATA;
  mii.hbmpItem = imageIndex >= 0 ? HBMMENU_CALLBACK : nullptr;
  mii.dwItemData = imageIndex >= 0 ? kListImageMark | static_cast<ULONG_PTR>(imageIndex & 0x00FFFFFF) : 0;
  SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mii);
}

int WindowMenus::ImageIndexFor(ULONG_PTR data) const {
  if (!icons_) return -1;
  if ((data & 0xFF000000) == kListImageMark) return static_cast<int>(data & 0x00FFFFFF);
  const ActionInfo* action = ImageItemAction(data);
  return action ? icons_->IndexOf(action->id) : -1;
}

bool WindowMenus::OnMeasureItem(MEASUREITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU || !IsImageData(item.itemData)) return false;
  item.itemWidth = kIconSize;
  item.itemHeight = kIconSize;
  return true;
}

bool WindowMenus::OnDrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU || !IsImageData(item.itemData) || !icons_) return false;
  const int index = ImageIndexFor(item.itemData);
  if (index < 0) return true;
  const int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - kIconSize) / 2;
  const int y = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kIconSize) / 2;
  IMAGELISTDRAWPARAMS draw{};
  draw.cbSize = sizeof(draw);
  draw.himl = icons_->ImageList();
  draw.i = index;
  draw.hdcDst = item.hDC;
  draw.x = std::max<int>(x, item.rcItem.left);
  draw.y = y;
  draw.rgbBk = CLR_NONE;
  draw.rgbFg = CLR_NONE;
  draw.fStyle = ILD_TRANSPARENT;
  if (item.itemState & (ODS_GRAYED | ODS_DISABLED)) {
    draw.fState = ILS_ALPHA;
    draw.Frame = 96;  // faded, as disabled tool-bar buttons look
  }
  ImageList_DrawIndirect(&draw);
  return true;
}

void WindowMenus::Track(MenuId id, HWND owner, POINT screen, UINT align) {
  HMENU menu = PopUp(id);
  // The owner must be in front, or the menu does not close when clicked away.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, align | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace quillo

#include "app/history/list_menu_items.h"

#include <algorithm>

#include "app/window/menus.h"

namespace quillo {
namespace {

// Item data of the separator a list puts before its items: the first id of
// its block, so that it is found again among other owners' separators.
ULONG_PTR SeparatorMark(const RuntimeListInfo& info) { return static_cast<ULONG_PTR>(info.firstCommandId); }

bool IsListItem(HMENU menu, int pos, const RuntimeListInfo& info) {
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii)) return false;
  if (mii.fType & MFT_SEPARATOR) return mii.dwItemData == SeparatorMark(info);
  const int id = static_cast<int>(mii.wID);
  return !mii.hSubMenu && id >= info.firstCommandId && id < info.firstCommandId + info.capacity;
}

}  // namespace

void ShowListItems(HMENU menu, RuntimeList list, const std::vector<std::string>& captions) {
  const RuntimeListInfo& info = GetRuntimeList(list);
  int at = -1;
  for (int pos = GetMenuItemCount(menu) - 1; pos >= 0; --pos) {
    if (!IsListItem(menu, pos, info)) continue;
    DeleteMenu(menu, static_cast<UINT>(pos), MF_BYPOSITION);
    at = pos;
  }
  if (at < 0) at = GetMenuItemCount(menu);
  if (captions.empty()) return;
  if (at > 0) {
    MENUITEMINFOW sep{};
    sep.cbSize = sizeof(sep);
    sep.fMask = MIIM_FTYPE | MIIM_DATA;
    sep.fType = MFT_SEPARATOR;
    sep.dwItemData = SeparatorMark(info);
    InsertMenuItemW(menu, static_cast<UINT>(at++), TRUE, &sep);
  }
  const size_t shown = std::min(captions.size(), static_cast<size_t>(info.capacity));
  for (size_t i = 0; i < shown; ++i) {
    std::wstring text = MenuItemText(captions[i], "", false);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_STRING;
    mii.wID = static_cast<UINT>(info.firstCommandId + static_cast<int>(i));
    mii.dwTypeData = text.data();
    InsertMenuItemW(menu, static_cast<UINT>(at++), TRUE, &mii);
  }
}

bool IsOneOf(HMENU menu, const std::vector<HMENU>& copies) {
  return std::find(copies.begin(), copies.end(), menu) != copies.end();
}

}  // namespace quillo

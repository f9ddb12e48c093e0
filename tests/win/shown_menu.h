#pragma once
// A menu's items as the user sees them, for the in-process tests.
#include <windows.h>

#include <string>
#include <vector>

namespace quillo {

struct ShownItem {
  std::wstring text;  // "-" for a separator
  bool enabled = true;
  bool checked = false;
  HMENU submenu = nullptr;
  UINT id = 0;
  bool operator==(const ShownItem&) const = default;
};

inline std::vector<ShownItem> ItemsOf(HMENU menu) {
  std::vector<ShownItem> items;
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
    wchar_t text[256] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_ID;
    mii.dwTypeData = text;
    mii.cch = 256;
    GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii);
    ShownItem item;
    item.text = (mii.fType & MFT_SEPARATOR) ? L"-" : text;
    item.enabled = !(mii.fState & MFS_GRAYED);
    item.checked = (mii.fState & MFS_CHECKED) != 0;
    item.submenu = mii.hSubMenu;
    item.id = mii.wID;
    items.push_back(item);
  }
  return items;
}

}  // namespace quillo

#include "app/printing/printer_menu.h"

#include "app/platform/ui_text.h"
#include "app/window/menus.h"
#include "core/menu_layout.h"

namespace quillo {
namespace {

bool IsPrinterItem(UINT id) {
  const RuntimeListInfo& list = GetRuntimeList(RuntimeList::Printers);
  return static_cast<int>(id) >= list.firstCommandId &&
         static_cast<int>(id) < list.firstCommandId + list.capacity;
}

}  // namespace

void FillPrinterMenu(HMENU menu, const std::vector<std::wstring>& names, int chosen, bool afterSeparator) {
  for (int last = GetMenuItemCount(menu) - 1; last >= 0; --last) {
    const bool separator = GetMenuState(menu, last, MF_BYPOSITION) & MF_SEPARATOR;
    if (!separator && !IsPrinterItem(GetMenuItemID(menu, last))) break;
    DeleteMenu(menu, last, MF_BYPOSITION);
  }
  if (names.empty()) return;
  if (afterSeparator && GetMenuItemCount(menu) > 0) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  const RuntimeListInfo& list = GetRuntimeList(RuntimeList::Printers);
  for (size_t i = 0; i < names.size() && static_cast<int>(i) < list.capacity; ++i) {
    const std::wstring text = MenuItemText(Utf8(names[i]), "", false);
    const UINT flags = MF_STRING | (static_cast<int>(i) == chosen ? MF_CHECKED : MF_UNCHECKED);
    AppendMenuW(menu, flags, static_cast<UINT_PTR>(list.firstCommandId) + i, text.c_str());
  }
}

}  // namespace quillo

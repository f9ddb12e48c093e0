#pragma once
// The printers as items of a menu (the "Текущий печатник" submenu and the
// print button's drop-down), refilled each time the menu opens.
#include <windows.h>

#include <string>
#include <vector>

namespace quillo {

// Puts one item per printer after the menu's own items, with the printer
// run-time list's command ids; the items of an earlier filling go first. A
// separator goes before them where asked (and only when there are both).
// The chosen index is checked; -1 checks none.
void FillPrinterMenu(HMENU menu, const std::vector<std::wstring>& names, int chosen, bool afterSeparator);

}  // namespace quillo

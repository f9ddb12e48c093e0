#pragma once
// The system's page setup dialog for one printer.
#include <windows.h>

#include "app/printing/printers.h"
#include "core/page_layout.h"

namespace quillo {

// Shows the dialog centred across the screen with its top a third of the way
// down the free space, in hundredths of a millimetre whatever the system's
// measuring unit (the settings keep millimetres). Orientation: 1 landscape,
// 0 portrait. True when confirmed; device, margins and orientation come
// back either way, on Cancel as they went in. Throws UserError when the
// dialog cannot be shown.
bool ShowPageSetup(HWND owner, PrinterDevice& device, PageMargins& margins, int& orientation);

}  // namespace quillo

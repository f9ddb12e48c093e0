#pragma once
// The system's font dialog for a font as the settings store it.
#include <windows.h>

#include "core/setting_values.h"

namespace quillo {

// Opens the dialog with `font`; on OK `font` becomes the chosen one and the
// result is true. Cancel changes nothing.
bool AskFont(HWND owner, FontSetting& font);

}  // namespace quillo

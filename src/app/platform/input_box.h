#pragma once
// A one-line input dialog: a prompt, an edit box, "ОК" and "Отмена".
#include <windows.h>

#include <string>
#include <string_view>

namespace quillo {

// Shows the dialog modally, centred on owner. Enter gives OK, Esc Cancel.
// On OK text takes the edited text and the result is true; otherwise text
// is left as it was. Caption, prompt and text are UTF-8.
bool ShowInputBox(HWND owner, std::string_view caption, std::string_view prompt, std::string& text);

}  // namespace quillo

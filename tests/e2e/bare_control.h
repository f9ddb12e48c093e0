#pragma once
// A bare rich-edit control set up as the editor sets up its own: the floor
// the editor's paths are measured against (the bench and the big-file guards).
#include <windows.h>

#include <string_view>

namespace quillo::e2e {

// A visible child of `parent`: plain text, no length limit, Courier New 12 in
// the Cyrillic character set, wrapped to the window unless `wrap` is false.
HWND CreateBareControl(HWND parent, DWORD style, SIZE size, bool wrap);
// Streams the text in one go, as Unicode; false when the control reports an error.
bool StreamIntoBareControl(HWND edit, std::u16string_view text);

}  // namespace quillo::e2e

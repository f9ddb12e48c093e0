#pragma once
// Points one function a loaded module imports somewhere else, in that
// module's own import table: every call the module makes to it from then on
// goes to the replacement, nobody else's calls change.
#include <windows.h>

#include <string_view>

namespace quillo {

// The address the module called before (null when it does not import
// `function` from `dll` by name or the table cannot be written); the
// replacement itself when it is already in place.
void* ReplaceImport(HMODULE module, std::string_view dll, std::string_view function, void* replacement);

}  // namespace quillo

#pragma once
// The open and save dialogs of the file commands, with the program's filter.
#include <windows.h>

#include <string>
#include <vector>

namespace quillo {

// The chosen files as full paths in the dialog's order; empty when cancelled.
std::vector<std::wstring> AskFilesToOpen(HWND owner, const std::wstring& folder, bool multiSelect);

enum class OverwriteQuestion { kAsk, kNone };

// The chosen path, or empty when cancelled. `proposal` is the file name shown.
std::wstring AskFileToSave(HWND owner, const std::wstring& folder, const std::wstring& proposal,
                           OverwriteQuestion overwrite);

}  // namespace quillo

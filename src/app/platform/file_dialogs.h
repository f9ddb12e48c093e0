#pragma once
// The open and save dialogs of the file commands, with the program's filter.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quillo {

// The chosen files as full paths in the dialog's order; empty when cancelled.
std::vector<std::wstring> AskFilesToOpen(HWND owner, const std::wstring& folder, bool multiSelect);

enum class OverwriteQuestion { kAsk, kNone };

// Gives the path a name chosen in the save dialog is really written under.
using SaveNameRule = std::function<std::wstring(const std::wstring& chosen)>;

// The path to write (the chosen one, or what `rule` makes of it), or empty
// when cancelled. `proposal` is the file name shown. With kAsk, when the file
// at the path to write exists, the user is asked whether to replace it; No
// shows the dialog again. The dialogs never change the working directory.
std::wstring AskFileToSave(HWND owner, const std::wstring& folder, const std::wstring& proposal,
                           OverwriteQuestion overwrite, const SaveNameRule& rule = {});

}  // namespace quillo

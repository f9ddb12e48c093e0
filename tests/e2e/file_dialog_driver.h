#pragma once
// Answers the program's open and save dialogs from outside: finds the dialog
// of a process, reads the proposed file name and chooses a file.
#include <windows.h>

#include <string>

#include "tests/e2e/harness.h"

namespace quillo::e2e {

// The file dialog (a #32770 window with a file-name box) of the process.
HWND WaitForFileDialog(DWORD pid, Duration timeout = kDefaultWait);
std::wstring FileDialogName(HWND dialog);
// Puts the path into the file-name box and presses the dialog's OK button.
void ChooseFile(HWND dialog, const std::wstring& path);
// The two halves of that: the name typed, and OK pressed (posted).
void TypeFileName(HWND dialog, const std::wstring& path);
void PressOk(HWND dialog);
// Any other dialog of the process (the system's overwrite question), or null.
HWND WaitForOtherDialog(DWORD pid, HWND besides, Duration timeout);

}  // namespace quillo::e2e

#pragma once
// Another window of the program: a new process of the same executable.
#include <windows.h>

#include <string>

namespace quillo {

// Starts the program with these parameters, shown normally.
void StartProgramWindow(HWND owner, const std::wstring& parameters);

// Starts the program for one file (its path is quoted here).
inline void OpenInNewWindow(HWND owner, const std::wstring& path) {
  StartProgramWindow(owner, L"\"" + path + L"\"");
}

}  // namespace quillo

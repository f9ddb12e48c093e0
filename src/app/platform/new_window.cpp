#include "app/platform/new_window.h"

#include <shellapi.h>

#include "app/platform/file_io.h"

namespace quillo {

void StartProgramWindow(HWND owner, const std::wstring& parameters) {
  ShellExecuteW(owner, L"open", ExePath().c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace quillo

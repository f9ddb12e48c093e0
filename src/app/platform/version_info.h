#pragma once
// The program's name and version as its version resource gives them.
#include <windows.h>

#include <string>

namespace quillo {

struct VersionInfo {
  std::wstring productName;  // "Quillo"
  std::wstring fileVersion;  // "2.0.0.0", from the fixed part
};

// Empty fields when the module has no version resource or it is damaged.
VersionInfo ReadVersionInfo(HMODULE module);

}  // namespace quillo

#pragma once
// Where the settings file lives and how it moves between disk and memory.
#include <string>

#include "core/ini_file.h"

namespace quillo {

// The program's own path with ".ini" when that file exists; otherwise
// "Quillo2.ini" in the working directory. Always a full path.
std::wstring SettingsFileByNameRule();

// "Quillo2.ini" in the folder "Quillo" of the user's application data
// (created when missing); empty when the system names no such folder.
inline constexpr wchar_t kPerUserSettingsFolder[] = L"Quillo";
std::wstring PerUserSettingsFileName();

// The file of the name rule when it can be written back; otherwise (a
// program installed under "Program Files", a read-only folder) the per-user
// file, so that the settings are kept instead of failing at every exit.
// Decided once at start-up, so that later changes of the working directory
// do not move it.
std::wstring DecideSettingsFileName();

struct SettingsFileRead {
  IniFile ini;            // empty when the file is missing or unreadable
  bool readable = true;   // false: the file exists but could not be read
  std::string error;      // why, for the user (UTF-8)
};

// A missing file gives an empty object. A file held by another program for a
// moment (an antivirus, a sync client) is tried again for about a second.
SettingsFileRead LoadSettingsFile(const std::wstring& path);

// Written whole; throws FileError.
void SaveSettingsFile(const std::wstring& path, const IniFile& ini);

}  // namespace quillo

#pragma once
// Where the settings file lives and how it moves between disk and memory.
#include <string>

#include "core/ini_file.h"

namespace quillo {

// The program's own path with ".ini"; when that file does not exist, the
// plain name "Quillo2.ini", found in the working directory.
std::wstring DecideSettingsFileName();

// A missing or unreadable file gives an empty object.
IniFile LoadSettingsFile(const std::wstring& path);

// Written whole and atomically; throws FileError.
void SaveSettingsFile(const std::wstring& path, const IniFile& ini);

}  // namespace quillo

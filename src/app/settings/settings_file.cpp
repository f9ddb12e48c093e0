#include "app/settings/settings_file.h"

#include <windows.h>

#include "app/platform/file_io.h"

namespace quillo {

std::wstring DecideSettingsFileName() {
  std::wstring exe = ExePath();
  std::wstring ext = ExtensionOf(exe);
  std::wstring beside = exe.substr(0, exe.size() - ext.size()) + L".ini";
  if (FileExists(beside)) return beside;
  return L"Quillo2.ini";
}

IniFile LoadSettingsFile(const std::wstring& path) {
  IniFile ini;
  wchar_t sep[4] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 4) > 0 && sep[0] < 0x80)
    ini.SetDecimalSeparator(static_cast<char>(sep[0]));
  if (!FileExists(path)) return ini;
  try {
    ini.FromText(ReadFileBytes(path));
  } catch (const FileError&) {
    // An unreadable settings file counts as a missing one: defaults apply.
  }
  return ini;
}

void SaveSettingsFile(const std::wstring& path, const IniFile& ini) {
  WriteFileAtomically(path, ini.ToText());
}

}  // namespace quillo

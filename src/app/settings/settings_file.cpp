#include "app/settings/settings_file.h"

#include <windows.h>

#include <vector>

#include "app/interop.h"
#include "app/platform/file_io.h"

namespace quillo {
namespace {

constexpr int kReadAttempts = 10;
constexpr DWORD kReadRetryMs = 100;

std::wstring FullPath(const std::wstring& name) {
  std::vector<wchar_t> buffer(32768);
  DWORD n = GetFullPathNameW(name.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  return n && n < buffer.size() ? std::wstring(buffer.data(), n) : name;
}

}  // namespace

std::wstring DecideSettingsFileName() {
  std::wstring exe = ExePath();
  std::wstring beside = exe.substr(0, exe.size() - ExtensionOf(exe).size()) + L".ini";
  if (FileExists(beside)) return beside;
  return FullPath(kSettingsFallbackName);
}

SettingsFileRead LoadSettingsFile(const std::wstring& path) {
  SettingsFileRead read;
  wchar_t sep[4] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 4) > 0 && sep[0] < 0x80)
    read.ini.SetDecimalSeparator(static_cast<char>(sep[0]));
  for (int attempt = 1;; ++attempt) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
        (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND))
      return read;
    try {
      read.ini.FromText(ReadFileBytes(path));
      return read;
    } catch (const FileError& e) {
      if (attempt == kReadAttempts) {
        read.readable = false;
        read.error = e.what();
        return read;
      }
    }
    Sleep(kReadRetryMs);
  }
}

void SaveSettingsFile(const std::wstring& path, const IniFile& ini) {
  WriteFileAtomically(path, ini.ToText());
}

}  // namespace quillo

#include "app/settings/settings_file.h"

#include <windows.h>
#include <shlobj.h>

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

// The file can be written back the way SaveSettingsFile writes it: a new
// file made in its folder and moved over it.
bool CanWriteBack(const std::wstring& path) {
  if (FileExists(path)) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
  }
  std::wstring probe = FolderOf(path) + L"\\~quillo" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace

std::wstring SettingsFileByNameRule() {
  std::wstring exe = ExePath();
  std::wstring beside = exe.substr(0, exe.size() - ExtensionOf(exe).size()) + L".ini";
  if (FileExists(beside)) return beside;
  return FullPath(kSettingsFallbackName);
}

std::wstring PerUserSettingsFileName() {
  wchar_t appData[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData)))
    return {};
  std::wstring folder = std::wstring(appData) + L"\\" + kPerUserSettingsFolder;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + kSettingsFallbackName;
}

std::wstring DecideSettingsFileName() {
  std::wstring byRule = SettingsFileByNameRule();
  if (CanWriteBack(byRule)) return byRule;
  std::wstring perUser = PerUserSettingsFileName();
  return perUser.empty() ? byRule : perUser;
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

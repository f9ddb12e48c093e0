#include "app/shell/shell_registration.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/platform/error_box.h"
#include "app/platform/file_io.h"
#include "app/platform/ui_text.h"
#include "app/platform/win_handles.h"

namespace quillo {
namespace {

std::wstring UserClass(const std::wstring& key) { return std::wstring(kUserClassesKey) + L"\\" + key; }

[[noreturn]] void ThrowRegistryError(const std::wstring& key, LONG code) {
  throw UserError("Не удалось записать в реестр: " + Utf8(key) + " (код ошибки " +
                  std::to_string(code) + ").");
}

// The value, or nothing when the key or the value does not exist.
bool ReadValue(HKEY root, const std::wstring& key, const wchar_t* name, std::wstring& value) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return false;
  RegKey opened(raw);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(opened, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return false;
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return false;
  value.assign(buffer.data());
  return true;
}

bool KeyExists(HKEY root, const std::wstring& key) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return false;
  RegCloseKey(raw);
  return true;
}

// A class key as the shell sees it: the user's own, else the machine's.
bool ClassKeyExists(const std::wstring& key) {
  return KeyExists(HKEY_CURRENT_USER, UserClass(key)) || KeyExists(HKEY_CLASSES_ROOT, key);
}

std::wstring ReadClassValue(const std::wstring& key, const wchar_t* name = nullptr) {
  std::wstring value;
  if (ReadValue(HKEY_CURRENT_USER, UserClass(key), name, value)) return value;
  if (ReadValue(HKEY_CLASSES_ROOT, key, name, value)) return value;
  return {};
}

void WriteValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& data) {
  HKEY raw = nullptr;
  LONG rc = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr);
  if (rc != ERROR_SUCCESS) ThrowRegistryError(key, rc);
  RegKey opened(raw);
  rc = RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                      static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  if (rc != ERROR_SUCCESS) ThrowRegistryError(key, rc);
}

void WriteClassValue(const std::wstring& key, const wchar_t* name, const std::wstring& data) {
  WriteValue(HKEY_CURRENT_USER, UserClass(key), name, data);
}

void DeleteClassValue(const std::wstring& key, const wchar_t* name) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, UserClass(key).c_str(), 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS)
    return;
  RegKey opened(raw);
  RegDeleteValueW(opened, name);
}

void DeleteClassTree(const std::wstring& key) {
  LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, UserClass(key).c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) ThrowRegistryError(UserClass(key), rc);
}

std::wstring ProgId(const std::wstring& ext) { return std::wstring(kProgIdPrefix) + L"_" + ext; }

std::wstring ShortPath(const std::wstring& path) {
  DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return path;
  std::vector<wchar_t> buffer(n, L'\0');
  n = GetShortPathNameW(path.c_str(), buffer.data(), n);
  return n && n < buffer.size() ? std::wstring(buffer.data(), n) : path;
}

}  // namespace

std::wstring ShellRegistration::OpenCommand() const { return exe_ + L" \"%1\""; }
std::wstring ShellRegistration::OpenWithCommand() const { return ShortPath(exe_) + L" \"%1\""; }

void ShellRegistration::RegisterExtension(const std::wstring& ext, bool newDocument,
                                          const std::wstring& typeName) const {
  const std::wstring dotExt = L"." + ext, progId = ProgId(ext);
  const std::wstring previous = ReadClassValue(dotExt);
  if (previous != progId) WriteClassValue(kBackupKey, ext.c_str(), previous);
  WriteClassValue(dotExt, nullptr, progId);
  if (newDocument) WriteClassValue(dotExt + L"\\ShellNew", L"NullFile", L"");
  WriteClassValue(progId, nullptr, typeName);
  WriteClassValue(progId + L"\\DefaultIcon", nullptr, exe_ + L",0");
  WriteClassValue(progId + L"\\shell\\open\\command", nullptr, OpenCommand());
}

void ShellRegistration::UnregisterExtension(const std::wstring& ext, bool newDocument) const {
  const std::wstring dotExt = L"." + ext;
  const std::wstring previous = ReadClassValue(kBackupKey, ext.c_str());
  DeleteClassValue(kBackupKey, ext.c_str());
  // When the previous owner is the machine's own (or there was none), the
  // user's value goes, so that the machine's setting governs again instead
  // of a copy (or an empty value) hiding it.
  std::wstring machine;
  ReadValue(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + dotExt, nullptr, machine);
  if (previous.empty() || previous == machine)
    DeleteClassValue(dotExt, nullptr);
  else
    WriteClassValue(dotExt, nullptr, previous);
  DeleteClassTree(ProgId(ext));
  if (newDocument) DeleteClassTree(dotExt + L"\\ShellNew");
}

bool ShellRegistration::IsExtensionRegistered(const std::wstring& ext) const {
  return ReadClassValue(L"." + ext) == ProgId(ext);
}

std::wstring ShellRegistration::GetExtensionIcon(const std::wstring& ext) const {
  const std::wstring progId = ReadClassValue(L"." + ext);
  if (progId.empty() || !ClassKeyExists(progId + L"\\DefaultIcon")) return {};
  return ReadClassValue(progId + L"\\DefaultIcon");
}

void ShellRegistration::SetExtensionIcon(const std::wstring& icon, const std::wstring& ext) const {
  const std::wstring progId = ReadClassValue(L"." + ext);
  if (progId.empty()) return;
  WriteClassValue(progId + L"\\DefaultIcon", nullptr, icon);
}

bool ShellRegistration::IsOpenWithRegistered() const {
  return ReadClassValue(std::wstring(kOpenWithKey) + L"\\Command") == OpenWithCommand();
}

void ShellRegistration::SetOpenWith(bool on) const {
  if (!on) {
    DeleteClassTree(kOpenWithKey);
    return;
  }
  WriteClassValue(kOpenWithKey, nullptr, Wide("Открыть в Quillo'е"));
  WriteClassValue(std::wstring(kOpenWithKey) + L"\\Command", nullptr, OpenWithCommand());
}

bool ShellRegistration::RegisterAppPath() const {
  const std::wstring key = std::wstring(kUserAppPathsKey) + L"\\" + kAppPathName;
  const std::wstring data = L"\"" + exe_ + L"\"";
  std::wstring present;
  if (ReadValue(HKEY_CURRENT_USER, key, nullptr, present) && present == data) return false;
  WriteValue(HKEY_CURRENT_USER, key, nullptr, data);
  return true;
}

void RegisterExeFileName() {
  std::wstring present;
  const std::wstring exe = ExePath();
  if (ReadValue(HKEY_CURRENT_USER, L"Software\\Quillo", L"ExeFileName", present) && present == exe) return;
  try {
    WriteValue(HKEY_CURRENT_USER, L"Software\\Quillo", L"ExeFileName", exe);
  } catch (const UserError&) {
    // Only the shell's convenience; the program runs without it.
  }
}

}  // namespace quillo

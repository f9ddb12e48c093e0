#pragma once
// The program's entries in the shell's registry: extensions associated with
// it (given back to their previous owner when unassociated), their icons, the
// open-with entry of every file, the App Paths entry and "ExeFileName".
//
// Everything is written under the current user's half (HKCU\Software\Classes
// for class keys, the per-user App Paths key), so a user without
// administrator rights can associate files and exit without a registry
// error. Windows merges that half into HKEY_CLASSES_ROOT; Wine 8 does not,
// so reads look in the per-user half first and then in HKEY_CLASSES_ROOT,
// which gives the same answer on both.
#include <string>

namespace quillo {

inline constexpr wchar_t kProgIdPrefix[] = L"Quillo2";
inline constexpr wchar_t kBackupKey[] = L"Quillo2BackUp";
inline constexpr wchar_t kAppPathName[] = L"Quillo.exe";
// Where the per-user class keys live, relative to HKEY_CURRENT_USER.
inline constexpr wchar_t kUserClassesKey[] = L"Software\\Classes";
inline constexpr wchar_t kUserAppPathsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
inline constexpr wchar_t kOpenWithKey[] = L"*\\Shell\\OpenWithQuillo";

// A failed write throws UserError naming the key; the routine's remaining
// steps are skipped.
class ShellRegistration {
 public:
  // exe: the running program's full path, not quoted.
  explicit ShellRegistration(std::wstring exe) : exe_(std::move(exe)) {}

  // The previous owner of ".ext" is kept in the backup key (only the first
  // one: associating again keeps it). newDocument adds the shell's "new text
  // document" entry.
  void RegisterExtension(const std::wstring& ext, bool newDocument, const std::wstring& typeName) const;
  void UnregisterExtension(const std::wstring& ext, bool newDocument) const;
  bool IsExtensionRegistered(const std::wstring& ext) const;
  std::wstring GetExtensionIcon(const std::wstring& ext) const;
  void SetExtensionIcon(const std::wstring& icon, const std::wstring& ext) const;

  bool IsOpenWithRegistered() const;
  void SetOpenWith(bool on) const;

  // Written only when it differs from what is there; true when written.
  bool RegisterAppPath() const;

  // The command texts: `path "%1"`.
  std::wstring OpenCommand() const;      // the long path, not quoted
  std::wstring OpenWithCommand() const;  // the short (8.3) path

 private:
  std::wstring exe_;
};

// "Software\Quillo" / "ExeFileName" = the running program's path.
void RegisterExeFileName();

}  // namespace quillo

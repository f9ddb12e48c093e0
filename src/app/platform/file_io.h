#pragma once
// The file layer. Failures are reported as FileError with a Russian message
// that the main window's error box shows.
#include <windows.h>

#include <string>
#include <string_view>

#include "app/platform/error_box.h"
#include "app/platform/file_write.h"

namespace quillo {

class FileError : public UserError {
 public:
  explicit FileError(const std::string& utf8Message) : UserError(utf8Message) {}
};

bool FileExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);

// The file layer's message: `what` "<path>"., then the reason on a line of its own.
std::string FileErrorText(std::string_view what, const std::wstring& path, std::string_view reason);
[[noreturn]] void ThrowFileError(std::string_view what, const std::wstring& path, DWORD code);
inline constexpr char kIsFolderReason[] = "Это папка, а не файл.";

std::wstring ExtensionOf(const std::wstring& path);   // ".txt", or empty
std::wstring FolderOf(const std::wstring& path);      // without the trailing backslash
std::wstring FileNameOf(const std::wstring& path);
std::wstring ExeFolder();
std::wstring ExePath();

// The full path with each component replaced by its long name as the file
// system reports it; a component that cannot be looked up (missing, or in a
// folder that cannot be listed) stays as written. The drive letter is upper
// case. Network paths stay as they are.
std::wstring LongFileName(const std::wstring& path);

std::string SystemErrorText(DWORD code);

}  // namespace quillo

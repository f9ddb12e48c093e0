#pragma once
// The file layer. Failures are reported as FileError with a Russian message
// that the main window's error box shows.
#include <windows.h>

#include <string>
#include <string_view>

#include "app/platform/error_box.h"

namespace quillo {

class FileError : public UserError {
 public:
  explicit FileError(const std::string& utf8Message) : UserError(utf8Message) {}
};

bool FileExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);

// Writes the whole content to a temporary file beside the target, flushes it
// and only then puts it in the target's place, so that a failure midway never
// destroys the previous file. The target's read-only, hidden and system
// attributes are kept and the archive attribute is added.
void WriteFileAtomically(const std::wstring& path, std::string_view bytes);

// Appends to an existing file (the file must exist).
void AppendToFile(const std::wstring& path, std::string_view bytes);

std::wstring ExtensionOf(const std::wstring& path);   // ".txt", or empty
std::wstring FolderOf(const std::wstring& path);      // without the trailing backslash
std::wstring FileNameOf(const std::wstring& path);
std::wstring ExeFolder();
std::wstring ExePath();

// Each component replaced by its long name; network paths stay as they are.
std::wstring LongFileName(const std::wstring& path);

std::string SystemErrorText(DWORD code);

}  // namespace quillo

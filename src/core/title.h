#pragma once
// The main window's title. Other processes of the program find a window by
// this text, so it must be computed the same way everywhere.
// Paths are Windows paths; the functions split them at '\', '/' and the
// drive colon only, so they work on UTF-8 and Windows-1251 bytes alike and
// the title comes back in the encoding of the path (UTF-8 for the UI).
#include <string>
#include <string_view>

namespace quillo {

inline constexpr std::string_view kProgramTitle = "Quillo";

// Setting "Options" / "TitleType".
enum TitleType : int {
  kTitleFileName = 0,  // "ReadMe.txt - Quillo"
  kTitleFullPath = 1,  // "C:\Мои документы\ReadMe.txt - Quillo" (the default)
  kTitleNameAtFolder = 2,  // "ReadMe.txt @C:\Мои документы - Quillo"; any other value too
};

// "Quillo" when path is empty.
std::string TitleFor(std::string_view path, int titleType);

// The part after the last folder separator or drive colon.
std::string_view FileNamePart(std::string_view path);
// The folder without its trailing backslash, except that a drive root
// ("C:\") keeps it. Empty when the path names no folder.
std::string_view FolderPart(std::string_view path);

}  // namespace quillo

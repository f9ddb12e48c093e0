#pragma once
// Commands handed to the shell: the file-manager setting split into the
// program and its own arguments, and a folder as one argument.
#include <string>
#include <string_view>

namespace quillo {

struct ShellCommand {
  std::u16string program;
  std::u16string arguments;  // the setting's own, before the folder
};

// "explorer.exe" is all program; "\"C:\\Program Files\\FM\\fm.exe\" /O" is
// the quoted program and its arguments. Unquoted text is taken whole as the
// program, so an unquoted path with spaces still names one program.
ShellCommand SplitShellCommand(std::u16string_view setting);

// The folder of a file with its trailing backslash, in double quotes. A
// backslash before the closing quote is doubled, or a program that reads its
// command line by the usual rules would take the quote for part of the path.
std::u16string QuotedFolderOf(std::u16string_view filePath);

}  // namespace quillo

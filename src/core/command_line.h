#pragma once
// The command line as the program reads it, and the name of the lock that
// tells other processes which file this one holds.
#include <string>
#include <vector>

namespace quillo {

// Arguments joined after a single space each; then leading spaces, '-' and
// '/' are stripped, so "-c", "/c" and "c" all read as "c".
std::u16string ArgumentString(const std::vector<std::u16string>& args);

// What the command line asks for at start-up.
enum class StartRequest {
  kNone,           // no arguments: the start-up file rule
  kClipboard,      // "c": a new document with the clipboard's text
  kOpenHere,       // "n" path: open in this window, skip the instance rule
  kFile,           // the argument string names a file (existing or not)
};

struct StartCommand {
  StartRequest request = StartRequest::kNone;
  std::u16string path;  // for kOpenHere and kFile
};

// fileExists tells whether the argument string names an existing file; it is
// passed in so the rule stays free of the file system.
StartCommand ParseStartCommand(const std::vector<std::u16string>& args,
                               bool (*fileExists)(const std::u16string&));

// Mutex names cannot hold a backslash, so every "\" becomes "###".
std::u16string FileLockName(const std::u16string& path);

}  // namespace quillo

#pragma once
// The Linux side of a test under Wine: shell commands for what Windows
// cannot do here (mount a small or read-only file system, make a symbolic
// link, forbid creating files in a folder). As root on these machines;
// where a command is refused the test says so and is skipped.
#include <string>

#include "tests/e2e/harness.h"

namespace quillo::e2e {

// The Linux path of a Windows path (through Wine's drive links).
std::string UnixPath(const std::wstring& windowsPath);
// A Linux path in single quotes for the shell.
std::string ShellQuoted(const std::string& unixPath);

// Runs a command through /bin/sh and waits for it; its exit status, or -1
// when it did not end in time.
int RunUnix(const std::string& command, Duration timeout = kDefaultWait);

bool IsSymbolicLink(const std::wstring& windowsPath);

// A tmpfs of the given size mounted on an existing, empty folder for the
// object's life.
class SmallDisk {
 public:
  SmallDisk(const std::wstring& folder, int kilobytes);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  bool MakeReadOnly();

 private:
  std::string path_;
  bool mounted_ = false;
};

// A folder in which no file can be created (files in it stay writable),
// for the object's life.
class NoCreateFolder {
 public:
  explicit NoCreateFolder(const std::wstring& folder);
  ~NoCreateFolder();
  NoCreateFolder(const NoCreateFolder&) = delete;
  NoCreateFolder& operator=(const NoCreateFolder&) = delete;

  bool Active() const { return active_; }

 private:
  std::string path_;
  bool active_ = false;
};

}  // namespace quillo::e2e

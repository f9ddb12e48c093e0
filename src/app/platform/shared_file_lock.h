#pragma once
// Serialises the processes of the program that read and rewrite a file they
// all keep (the settings file, "Bookmarks.ini"): each takes this lock, reads
// the file as it is on disk now, merges its own changes in, writes the file
// whole and lets go. A named mutex, named after the file's full path with
// letter case ignored; distinct from the per-file lock of an open document.
#include <windows.h>

#include <string>

#include "app/platform/win_handles.h"

namespace quillo {

class SharedFileLock {
 public:
  explicit SharedFileLock(const std::wstring& path);
  ~SharedFileLock();
  SharedFileLock(const SharedFileLock&) = delete;
  SharedFileLock& operator=(const SharedFileLock&) = delete;

  // False when another process kept the lock past the wait (it hangs): the
  // caller goes on without it rather than never saving.
  bool Held() const { return held_; }

 private:
  KernelHandle mutex_;
  bool held_ = false;
};

// The mutex's name for a path: the same for every spelling of the path's
// letter case and for a relative spelling of it.
std::wstring SharedFileLockName(const std::wstring& path);

}  // namespace quillo

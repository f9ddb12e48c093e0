#include "app/platform/shared_file_lock.h"

#include <cstdint>
#include <cwchar>

namespace quillo {
namespace {

// Writing a settings or bookmark file takes milliseconds; a process that holds
// the lock far longer is hung.
constexpr DWORD kWaitMilliseconds = 10000;

}  // namespace

std::wstring SharedFileLockName(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (n >= full.size()) {
    full.assign(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  }
  full.resize(n < full.size() ? n : 0);
  if (full.empty()) full = path;
  CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
  // A mutex name may hold no backslash and is limited in length: the path
  // goes in as a hash.
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t c : full) {
    hash ^= static_cast<std::uint16_t>(c);
    hash *= 1099511628211ull;
  }
  wchar_t name[64];
  swprintf(name, 64, L"Quillo.SharedFile.%016llx", static_cast<unsigned long long>(hash));
  return name;
}

SharedFileLock::SharedFileLock(const std::wstring& path)
    : mutex_(CreateMutexW(nullptr, FALSE, SharedFileLockName(path).c_str())) {
  if (!mutex_) return;
  // WAIT_ABANDONED: the holder ended without letting go; the lock is ours.
  DWORD wait = WaitForSingleObject(mutex_, kWaitMilliseconds);
  held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

SharedFileLock::~SharedFileLock() {
  if (held_) ReleaseMutex(mutex_);
}

}  // namespace quillo

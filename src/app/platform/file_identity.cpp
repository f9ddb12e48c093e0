#include "app/platform/file_identity.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "app/platform/win_handles.h"

namespace quillo {
namespace {

struct FileId {
  DWORD volume;
  DWORD indexHigh;
  DWORD indexLow;
  bool operator==(const FileId&) const = default;
};

std::optional<FileId> IdOf(const std::wstring& path) {
  // No access rights are needed to read the identity, and other programs may
  // hold the file open in any way.
  FileHandle f(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!f) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(f, &info)) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

std::wstring FullPath(const std::wstring& path) {
  std::vector<wchar_t> buf(32768);
  DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
  return n && n < buf.size() ? std::wstring(buf.data(), n) : path;
}

}  // namespace

bool IsSameFile(const std::wstring& a, const std::wstring& b) {
  auto idA = IdOf(a), idB = IdOf(b);
  if (idA && idB) return *idA == *idB;
  std::wstring fa = FullPath(a), fb = FullPath(b);
  return CompareStringOrdinal(fa.c_str(), static_cast<int>(fa.size()), fb.c_str(),
                              static_cast<int>(fb.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace quillo

#include "app/platform/file_write.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/platform/file_io.h"
#include "app/platform/ui_text.h"
#include "app/platform/win_handles.h"

namespace quillo {
namespace {

constexpr char kWriteFailed[] = "Не удалось записать файл";
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD kChunk = 1 << 24;

// The file a save really changes.
struct Target {
  std::wstring path;  // a symbolic link's final target, else the path as given
  bool exists = false;
  DWORD attributes = 0;
  DWORD links = 1;
};

// "\\?\C:\x" gives "C:\x" and "\\?\UNC\srv\share\x" gives "\\srv\share\x".
std::wstring WithoutLongPrefix(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + path.substr(7);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

Target ResolveTarget(const std::wstring& path) {
  Target target{path};
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return target;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(FileErrorText(kWriteFailed, path, kIsFolderReason));
  // Opening follows every link; no access rights are needed for the name
  // and the link count.
  FileHandle f(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr));
  if (f) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(f, &info)) target.links = info.nNumberOfLinks;
    std::vector<wchar_t> buffer(32768);
    DWORD n = GetFinalPathNameByHandleW(f, buffer.data(), static_cast<DWORD>(buffer.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n > 0 && n < buffer.size()) target.path = WithoutLongPrefix(std::wstring(buffer.data(), n));
  }
  DWORD final = GetFileAttributesW(target.path.c_str());
  target.exists = true;
  target.attributes = final == INVALID_FILE_ATTRIBUTES ? attributes : final;
  return target;
}

bool WriteAll(HANDLE f, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, kChunk));
    if (!WriteFile(f, bytes.data() + done, want, &put, nullptr) || put == 0) return false;
    done += put;
  }
  return true;
}

bool ReadAll(HANDLE f, std::string& bytes) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f, &size)) return false;
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, kChunk));
    if (!ReadFile(f, bytes.data() + done, want, &got, nullptr)) return false;
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return true;
}

bool Seek(HANDLE f, size_t offset) {
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(f, at, nullptr, FILE_BEGIN) != 0;
}

bool SetSize(HANDLE f, size_t size) { return Seek(f, size) && SetEndOfFile(f); }

void GiveAttributes(const Target& target) {
  SetFileAttributesW(target.path.c_str(), (target.attributes & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE);
}

bool IsFullDisk(DWORD code) { return code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL; }

// The file's own object is written, so every name and link of it sees the new
// content. The tail beyond the old size is written first: when the disk is
// full nothing of the old content has been touched yet. The old content is
// kept in memory and written back if a later step fails.
void WriteInPlace(const Target& target, std::string_view bytes) {
  const std::wstring& path = target.path;
  if (target.attributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesW(path.c_str(), target.attributes & ~FILE_ATTRIBUTE_READONLY);
  auto fail = [&](DWORD code) {
    GiveAttributes(target);
    ThrowFileError(kWriteFailed, path, code);
  };
  FileHandle f(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr));
  if (!f) fail(GetLastError());
  std::string old;
  if (!ReadAll(f, old)) fail(GetLastError());

  if (bytes.size() > old.size()) {
    if (!Seek(f, old.size()) || !WriteAll(f, bytes.substr(old.size())) || !FlushFileBuffers(f)) {
      DWORD code = GetLastError();
      SetSize(f, old.size());
      fail(code);
    }
  }
  const size_t head = std::min(bytes.size(), old.size());
  if (!Seek(f, 0) || !WriteAll(f, bytes.substr(0, head)) || !SetSize(f, bytes.size()) ||
      !FlushFileBuffers(f)) {
    DWORD code = GetLastError();
    bool restored = Seek(f, 0) && WriteAll(f, old) && SetSize(f, old.size()) && FlushFileBuffers(f);
    GiveAttributes(target);
    std::string reason = SystemErrorText(code);
    if (!restored) reason += "\nПрежнее содержимое файла восстановить не удалось.";
    throw FileError(FileErrorText(kWriteFailed, path, reason));
  }
  f.Reset();
  GiveAttributes(target);
}

// A new file of our own beside the target; empty when none can be made, with
// the reason in GetLastError.
std::wstring CreateTempBeside(const std::wstring& target, FileHandle& f) {
  std::wstring folder = FolderOf(target);
  if (folder.empty()) folder = L".";
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    std::wstring temp = folder + L"\\~quillo" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                        std::to_wstring(attempt) + L".tmp";
    f.Reset(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (f) return temp;
    DWORD code = GetLastError();
    if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return {};
  }
  SetLastError(ERROR_FILE_EXISTS);
  return {};
}

// Puts the written temporary file in the existing target's place; false
// (with the target as it was) when it cannot.
bool Replace(const Target& target, const std::wstring& temp) {
  const std::wstring& path = target.path;
  // ReplaceFileW refuses a read-only file.
  if (target.attributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesW(path.c_str(), target.attributes & ~FILE_ATTRIBUTE_READONLY);
  // With a backup name the old file is never deleted before the new one has
  // its name: Wine's ReplaceFileW without one deletes the old file first.
  std::wstring backup = temp.substr(0, temp.size() - 4) + L".bak";
  bool replaced = ReplaceFileW(path.c_str(), temp.c_str(), backup.c_str(),
                               REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                               nullptr) != 0;
  DWORD code = GetLastError();
  if (replaced) {
    DeleteFileW(backup.c_str());
  } else if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    // The old file went to the backup name and the new one did not follow.
    MoveFileExW(backup.c_str(), path.c_str(), 0);
  }
  GiveAttributes(target);
  SetLastError(code);
  return replaced;
}

}  // namespace

void WriteFileAtomically(const std::wstring& path, std::string_view bytes) {
  const Target target = ResolveTarget(path);
  // Replacing the file object would split its hard links.
  if (target.exists && target.links > 1) return WriteInPlace(target, bytes);

  FileHandle f;
  std::wstring temp = CreateTempBeside(target.path, f);
  if (temp.empty()) {
    DWORD code = GetLastError();
    if (target.exists && code != ERROR_PATH_NOT_FOUND) return WriteInPlace(target, bytes);
    ThrowFileError(kWriteFailed, path, code);
  }
  if (!WriteAll(f, bytes) || !FlushFileBuffers(f)) {
    DWORD code = GetLastError();
    f.Reset();
    DeleteFileW(temp.c_str());
    // In place the old content's room is used again.
    if (target.exists && IsFullDisk(code)) return WriteInPlace(target, bytes);
    ThrowFileError(kWriteFailed, path, code);
  }
  f.Reset();

  if (!target.exists) {
    if (!MoveFileExW(temp.c_str(), target.path.c_str(), MOVEFILE_WRITE_THROUGH)) {
      DWORD code = GetLastError();
      DeleteFileW(temp.c_str());
      ThrowFileError(kWriteFailed, path, code);
    }
    SetFileAttributesW(target.path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    return;
  }
  if (Replace(target, temp)) return;
  // Held open by a program that lets others write but not rename, or a file
  // system without the replacement: the file's own object is written.
  DeleteFileW(temp.c_str());
  WriteInPlace(target, bytes);
}

void AppendToFile(const std::wstring& path, std::string_view bytes) {
  FileHandle f(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) ThrowFileError("Не удалось открыть файл", path, GetLastError());
  if (!WriteAll(f, bytes)) ThrowFileError(kWriteFailed, path, GetLastError());
}

}  // namespace quillo

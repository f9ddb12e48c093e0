#include "app/platform/file_io.h"

#include <vector>

#include "app/platform/ui_text.h"
#include "app/platform/win_handles.h"

namespace quillo {
namespace {

[[noreturn]] void Fail(std::string_view what, const std::wstring& path, DWORD code) {
  std::string msg(what);
  msg += " \"" + Utf8(path) + "\".";
  std::string reason = SystemErrorText(code);
  if (!reason.empty()) msg += "\n" + reason;
  throw FileError(msg);
}

}  // namespace

std::string SystemErrorText(DWORD code) {
  wchar_t* buf = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT),
                           reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  if (n == 0)
    n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  std::wstring text = n ? std::wstring(buf, n) : std::wstring();
  if (buf) LocalFree(buf);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  std::string out = "Код ошибки " + std::to_string(code);
  if (!text.empty()) out += ": " + Utf8(text);
  return out;
}

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  DWORD attr = GetFileAttributesW(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::wstring& path) {
  FileHandle f(CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) Fail("Не удалось открыть файл", path, GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f, &size)) Fail("Не удалось прочитать файл", path, GetLastError());
  if (size.QuadPart > 0x7FFFFFFF) throw FileError("Файл \"" + Utf8(path) + "\" слишком велик для редактора.");
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    if (!ReadFile(f, bytes.data() + done, want, &got, nullptr))
      Fail("Не удалось прочитать файл", path, GetLastError());
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

void WriteFileAtomically(const std::wstring& path, std::string_view bytes) {
  const DWORD keep = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  DWORD oldAttr = GetFileAttributesW(path.c_str());
  bool existed = oldAttr != INVALID_FILE_ATTRIBUTES;
  if (existed && (oldAttr & FILE_ATTRIBUTE_DIRECTORY)) Fail("Не удалось записать файл", path, ERROR_ACCESS_DENIED);

  std::wstring folder = FolderOf(path);
  if (folder.empty()) folder = L".";
  std::wstring temp;
  FileHandle f;
  for (unsigned attempt = 0; attempt < 100 && !f; ++attempt) {
    temp = folder + L"\\~quillo" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(attempt) + L".tmp";
    f.Reset(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
      Fail("Не удалось записать файл", path, GetLastError());
  }
  if (!f) Fail("Не удалось записать файл", path, GetLastError());

  auto abandon = [&](DWORD code) {
    f.Reset();
    DeleteFileW(temp.c_str());
    Fail("Не удалось записать файл", path, code);
  };
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    if (!WriteFile(f, bytes.data() + done, want, &put, nullptr) || put == 0) abandon(GetLastError());
    done += put;
  }
  if (!FlushFileBuffers(f)) abandon(GetLastError());
  f.Reset();

  if (existed) SetFileAttributesW(path.c_str(), oldAttr & ~keep);
  if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DWORD code = GetLastError();
    if (existed) SetFileAttributesW(path.c_str(), oldAttr);
    DeleteFileW(temp.c_str());
    Fail("Не удалось записать файл", path, code);
  }
  DWORD newAttr = (existed ? (oldAttr & keep) : 0) | FILE_ATTRIBUTE_ARCHIVE;
  SetFileAttributesW(path.c_str(), newAttr);
}

void AppendToFile(const std::wstring& path, std::string_view bytes) {
  FileHandle f(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) Fail("Не удалось открыть файл", path, GetLastError());
  DWORD put = 0;
  if (!WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) || put != bytes.size())
    Fail("Не удалось записать файл", path, GetLastError());
}

std::wstring ExtensionOf(const std::wstring& path) {
  auto slash = path.find_last_of(L"\\/:");
  auto dot = path.find_last_of(L'.');
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
  return path.substr(dot);
}

std::wstring FolderOf(const std::wstring& path) {
  auto slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  return path.substr(0, slash);
}

std::wstring FileNameOf(const std::wstring& path) {
  auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ExePath() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n < buf.size()) return std::wstring(buf.data(), n);
    buf.resize(buf.size() * 2);
  }
}

std::wstring ExeFolder() { return FolderOf(ExePath()); }

std::wstring LongFileName(const std::wstring& path) {
  if (path.empty()) return {};
  if (path.size() > 2 && path[0] == L'\\' && path[1] == L'\\') return path;
  std::vector<wchar_t> full(32768);
  DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  std::wstring abs = n ? std::wstring(full.data(), n) : path;
  // Rebuild component by component from the drive on.
  size_t pos = abs.find(L'\\');
  if (pos == std::wstring::npos) return abs;
  std::wstring result = abs.substr(0, pos);
  while (pos != std::wstring::npos && pos < abs.size()) {
    size_t next = abs.find(L'\\', pos + 1);
    std::wstring part = abs.substr(pos + 1, next == std::wstring::npos ? std::wstring::npos : next - pos - 1);
    std::wstring probe = result + L"\\" + part;
    WIN32_FIND_DATAW fd;
    FindHandle h(FindFirstFileW(probe.c_str(), &fd));
    std::wstring name;
    if (h) name = fd.cFileName[0] ? fd.cFileName : fd.cAlternateFileName;
    result += L"\\" + name;
    pos = next;
  }
  return result;
}

}  // namespace quillo

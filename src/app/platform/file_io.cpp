#include "app/platform/file_io.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "app/platform/ui_text.h"
#include "app/platform/win_handles.h"

namespace quillo {

std::string FileErrorText(std::string_view what, const std::wstring& path, std::string_view reason) {
  std::string msg(what);
  msg.append(" \"").append(Utf8(path)).append("\".");
  if (!reason.empty()) msg.append("\n").append(reason);
  return msg;
}

void ThrowFileError(std::string_view what, const std::wstring& path, DWORD code) {
  throw FileError(FileErrorText(what, path, SystemErrorText(code)));
}

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
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw FileError(FileErrorText("Не удалось открыть файл", path, kIsFolderReason));
  FileHandle f(CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) ThrowFileError("Не удалось открыть файл", path, GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f, &size)) ThrowFileError("Не удалось прочитать файл", path, GetLastError());
  if (size.QuadPart > 0x7FFFFFFF)
    throw FileError(FileErrorText("Не удалось открыть файл", path, "Файл больше 2 ГБ: редактор не может его показать."));
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    if (!ReadFile(f, bytes.data() + done, want, &got, nullptr))
      ThrowFileError("Не удалось прочитать файл", path, GetLastError());
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
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
  std::wstring abs = n && n < full.size() ? std::wstring(full.data(), n) : path;
  if (abs.size() >= 2 && abs[1] == L':') abs[0] = static_cast<wchar_t>(towupper(abs[0]));
  // Rebuild component by component from the drive on.
  size_t pos = abs.find(L'\\');
  if (pos == std::wstring::npos) return abs;
  std::wstring result = abs.substr(0, pos);
  while (pos != std::wstring::npos && pos < abs.size()) {
    size_t next = abs.find(L'\\', pos + 1);
    std::wstring part = abs.substr(pos + 1, next == std::wstring::npos ? std::wstring::npos : next - pos - 1);
    std::wstring name = part;
    // Wildcards would make the look-up find some other file.
    if (part.find_first_of(L"*?") == std::wstring::npos) {
      WIN32_FIND_DATAW fd;
      FindHandle h(FindFirstFileW((result + L"\\" + part).c_str(), &fd));
      if (h) name = fd.cFileName[0] ? fd.cFileName : fd.cAlternateFileName;
    }
    result += L"\\" + name;
    pos = next;
  }
  return result;
}

}  // namespace quillo

#include "tests/e2e/unix_tools.h"

#include <windows.h>

#include <atomic>

namespace quillo::e2e {
namespace {

// One argument of a Windows command line, which Wine splits again for a
// Linux program: quotes escaped, backslashes before them doubled.
std::wstring QuotedArgument(const std::wstring& arg) {
  std::wstring out = L"\"";
  size_t slashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
    slashes = 0;
    out += c;
  }
  out.append(slashes * 2, L'\\');
  return out + L"\"";
}

}  // namespace

std::string UnixPath(const std::wstring& windowsPath) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return {};
  char* name = toUnix(windowsPath.c_str());
  if (!name) return {};
  std::string path = name;
  HeapFree(GetProcessHeap(), 0, name);
  return path;
}

std::string ShellQuoted(const std::string& unixPath) {
  std::string quoted = "'";
  for (char c : unixPath) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

int RunUnix(const std::string& command, Duration timeout) {
  // A Linux program started from Wine has no process handle to wait on: it
  // leaves its exit status in a file.
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring rcFile = std::wstring(temp) + L"quillo-unix-" + std::to_wstring(GetCurrentProcessId()) +
                        L"-" + std::to_wstring(++counter) + L".rc";
  DeleteFileW(rcFile.c_str());
  std::string script = command + "; echo $? > " + ShellQuoted(UnixPath(rcFile)) + ".part; mv " +
                       ShellQuoted(UnixPath(rcFile) + ".part") + " " + ShellQuoted(UnixPath(rcFile));
  std::wstring line = L"/bin/sh -c " + QuotedArgument(W(script));
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  int status = -1;
  WaitUntil([&] {
    HANDLE f = CreateFileW(rcFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    char buf[16] = {};
    DWORD got = 0;
    ReadFile(f, buf, sizeof(buf) - 1, &got, nullptr);
    CloseHandle(f);
    status = atoi(buf);
    return true;
  }, timeout);
  DeleteFileW(rcFile.c_str());
  return status;
}

bool IsSymbolicLink(const std::wstring& windowsPath) {
  return RunUnix("test -L " + ShellQuoted(UnixPath(windowsPath))) == 0;
}

SmallDisk::SmallDisk(const std::wstring& folder, int kilobytes) {
  path_ = UnixPath(folder);
  mounted_ = !path_.empty() && RunUnix("mount -t tmpfs -o size=" + std::to_string(kilobytes) + "k tmpfs \"$(realpath " +
                                           ShellQuoted(path_) + ")\"") == 0;
}

SmallDisk::~SmallDisk() {
  if (mounted_) RunUnix("umount \"$(realpath " + ShellQuoted(path_) + ")\"");
}

bool SmallDisk::MakeReadOnly() {
  return mounted_ && RunUnix("mount -o remount,ro \"$(realpath " + ShellQuoted(path_) + ")\"") == 0;
}

NoCreateFolder::NoCreateFolder(const std::wstring& folder) {
  path_ = UnixPath(folder);
  active_ = !path_.empty() && RunUnix("chattr +i " + ShellQuoted(path_)) == 0;
}

NoCreateFolder::~NoCreateFolder() {
  if (active_) RunUnix("chattr -i " + ShellQuoted(path_));
}

}  // namespace quillo::e2e

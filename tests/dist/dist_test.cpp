// The release as a user gets it: the installer, the installed program, the
// uninstaller, and the portable copy that keeps its settings beside itself.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "core/action_table.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t buf[4096];
  DWORD n = GetEnvironmentVariableW(name, buf, 4096);
  return n > 0 && n < 4096 ? std::wstring(buf, n) : std::wstring();
}

bool FileThere(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring RegText(HKEY root, const wchar_t* key, const wchar_t* value) {
  wchar_t buf[1024] = {};
  DWORD size = sizeof(buf);
  if (RegGetValueW(root, key, value, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS) return {};
  return buf;
}

// Runs a program to its end.
DWORD RunToEnd(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring cmd = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return static_cast<DWORD>(-1);
  WaitForSingleObject(pi.hProcess, 120000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
  CloseHandle(f);
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(f, nullptr), '\0');
  DWORD got = 0;
  ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(f);
  bytes.resize(got);
  return bytes;
}

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillo";

TEST(Installer, InstallsForTheUserRunsAndUninstallsLeavingNothing) {
  const std::wstring setup = Env(L"QUILLO_SETUP");
  ASSERT_FALSE(setup.empty()) << "QUILLO_SETUP is not set";
  ASSERT_EQ(RunToEnd(setup, L"/S /CurrentUser"), 0u);

  const std::wstring dir = RegText(HKEY_CURRENT_USER, L"Software\\Quillo", L"InstallDir");
  ASSERT_FALSE(dir.empty()) << "no installation folder recorded";
  for (const wchar_t* file : {L"quillo.exe", L"Quillo2.chm", L"README.txt", L"uninstall.exe",
                              L"PlugIns\\menu_items.dll", L"x86\\quillo.exe", L"x86\\PlugIns\\menu_items.dll"})
    EXPECT_TRUE(FileThere(dir + L"\\" + file)) << U8(file);
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"), L"Quillo");
  wchar_t programs[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
  const std::wstring shortcut = std::wstring(programs) + L"\\Quillo.lnk";
  EXPECT_TRUE(FileThere(shortcut));

  // The installed program opens a file.
  const std::wstring work = TempFolder(L"quillo-installed-doc");
  const std::wstring doc = work + L"\\письмо.txt";
  WriteBytes(doc, Cp1251("Привет из установленной программы\r\n"));
  {
    Quillo q(dir + L"\\quillo.exe", L"\"" + doc + L"\"", work);
    q.MainWindow();
    EXPECT_TRUE(WaitUntil([&] { return q.Text() == Cp1251("Привет из установленной программы\r\n"); }));
    EXPECT_NE(q.Caption().find(L"письмо.txt"), std::wstring::npos);
    q.Post(WM_CLOSE);
    EXPECT_TRUE(q.WaitForExit());
  }

  // The uninstaller runs from a copy of itself, so its end is waited for on disk.
  RunToEnd(dir + L"\\uninstall.exe", L"/S");
  EXPECT_TRUE(WaitUntil([&] { return !FileThere(dir + L"\\quillo.exe"); }, 60s));
  EXPECT_TRUE(WaitUntil([&] { return !FileThere(dir); }, 30s)) << "the folder stays behind";
  EXPECT_TRUE(WaitUntil([&] { return RegText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName").empty(); }));
  EXPECT_FALSE(FileThere(shortcut));
}

TEST(Portable, KeepsItsSettingsBesideItselfWhereverItIsStartedFrom) {
  const std::wstring portable = Env(L"QUILLO_PORTABLE_DIR");
  ASSERT_FALSE(portable.empty()) << "QUILLO_PORTABLE_DIR is not set";
  const std::wstring elsewhere = TempFolder(L"quillo-portable-cwd");
  DeleteFileW((elsewhere + L"\\Quillo2.ini").c_str());
  {
    Quillo q(portable + L"\\quillo.exe", L"", elsewhere);
    q.MainWindow();
    q.Send(WM_COMMAND, static_cast<WPARAM>(ActionId::OptStatusBar));
    q.Post(WM_CLOSE);
    EXPECT_TRUE(q.WaitForExit());
  }
  std::string ini = ReadBytes(portable + L"\\quillo.ini");
  EXPECT_NE(ini.find("StatusBar=0"), std::string::npos) << ini;
  EXPECT_FALSE(FileThere(elsewhere + L"\\Quillo2.ini"));
}

}  // namespace
}  // namespace quillo::e2e

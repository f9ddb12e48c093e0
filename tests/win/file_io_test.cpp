#include "app/platform/file_io.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(LongFileName, EveryWayOfWritingAPathGivesTheNameOnDisk) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = LongFileName(std::wstring(temp) + L"Quillo Long Folder");
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring file = folder + L"\\Long Document.txt";
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);

  wchar_t shortName[MAX_PATH] = {};
  GetShortPathNameW(file.c_str(), shortName, MAX_PATH);
  std::wstring lower = file, slashes = file;
  CharLowerW(lower.data());
  for (auto& ch : slashes)
    if (ch == L'\\') ch = L'/';
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(folder.c_str());

  struct Case {
    const char* what;
    std::wstring written;
    std::wstring expected;
  };
  const Case cases[] = {
      {"as it is", file, file},
      {"short 8.3 name", shortName, file},
      {"lower case, drive letter included", lower, file},
      {"forward slashes", slashes, file},
      {"relative to the working directory", L"long document.txt", file},
      {"through a folder that cannot be looked up", folder + L"\\Not There\\New File.txt",
       folder + L"\\Not There\\New File.txt"},
      {"a new file in an existing folder", lower.substr(0, folder.size()) + L"\\New.txt", folder + L"\\New.txt"},
      {"a network path", L"\\\\server\\share\\a.txt", L"\\\\server\\share\\a.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(LongFileName(c.written), c.expected) << c.what;

  SetCurrentDirectoryW(previous);
  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace quillo

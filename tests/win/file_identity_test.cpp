#include "app/platform/file_identity.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(FileIdentity, NamesOfOneFileAreTheSameFile) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"quillo-identity";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"\\sub").c_str(), nullptr);
  for (const wchar_t* name : {L"\\doc.txt", L"\\other.txt"}) {
    HANDLE h = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  struct Case {
    std::wstring a, b;
    bool same;
  };
  const Case cases[] = {
      {folder + L"\\doc.txt", folder + L"\\doc.txt", true},
      {folder + L"\\doc.txt", folder + L"\\DOC.TXT", true},
      {folder + L"\\doc.txt", folder + L"\\sub\\..\\doc.txt", true},
      {folder + L"\\doc.txt", folder + L"\\other.txt", false},
      // One of them does not exist: the full paths decide.
      {folder + L"\\missing.txt", folder + L"\\MISSING.txt", true},
      {folder + L"\\missing.txt", folder + L"\\doc.txt", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSameFile(c.a, c.b), c.same);
  DeleteFileW((folder + L"\\doc.txt").c_str());
  DeleteFileW((folder + L"\\other.txt").c_str());
  RemoveDirectoryW((folder + L"\\sub").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace quillo

#include "app/shell/shell_registration.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/platform/ui_text.h"

namespace quillo {
namespace {

std::optional<std::wstring> Value(HKEY root, const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t data[1024];
  DWORD size = sizeof(data);
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}
std::optional<std::wstring> UserClass(const std::wstring& key, const wchar_t* name = nullptr) {
  return Value(HKEY_CURRENT_USER, std::wstring(kUserClassesKey) + L"\\" + key, name);
}
bool UserKeyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kUserClassesKey) + L"\\" + key).c_str(), 0, KEY_READ,
                    &opened) != ERROR_SUCCESS)
    return false;
  RegCloseKey(opened);
  return true;
}
void SetValue(HKEY root, const std::wstring& key, const std::wstring& data) {
  ASSERT_EQ(RegSetKeyValueW(root, key.c_str(), nullptr, REG_SZ, data.c_str(),
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}
void Forget(const std::wstring& userClassKey) {
  RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kUserClassesKey) + L"\\" + userClassKey).c_str());
}

// A program in a folder with a space: the open command's path is not
// quoted, the open-with command uses the short path, App Paths the quoted
// long one.
class ShellRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"Quillo Shell Test";
    CreateDirectoryW(folder_.c_str(), nullptr);
    exe_ = folder_ + L"\\quillo.exe";
    CloseHandle(CreateFileW(exe_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (const wchar_t* key : {L".qtxt", L".qlog", L"Quillo2_qtxt", L"Quillo2_qlog", L"Quillo2BackUp", kOpenWithKey})
      Forget(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kUserAppPathsKey) + L"\\Quillo.exe").c_str());
  }
  void TearDown() override {
    SetUp();
    DeleteFileW(exe_.c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  std::wstring folder_, exe_;
};

TEST_F(ShellRegistrationTest, AssociatesAndGivesBackToThePreviousOwner) {
  ShellRegistration shell(exe_);
  SetValue(HKEY_CURRENT_USER, std::wstring(kUserClassesKey) + L"\\.qtxt", L"OtherEditor.Text");
  ASSERT_FALSE(shell.IsExtensionRegistered(L"qtxt"));

  shell.RegisterExtension(L"qtxt", true, Wide("Текстовый документ"));
  shell.RegisterExtension(L"qtxt", true, Wide("Текстовый документ"));  // confirmed again
  EXPECT_TRUE(shell.IsExtensionRegistered(L"qtxt"));
  EXPECT_EQ(UserClass(L".qtxt"), L"Quillo2_qtxt");
  EXPECT_EQ(UserClass(L"Quillo2BackUp", L"qtxt"), L"OtherEditor.Text") << "the first owner is kept";
  EXPECT_EQ(UserClass(L".qtxt\\ShellNew", L"NullFile"), L"");
  EXPECT_EQ(UserClass(L"Quillo2_qtxt"), Wide("Текстовый документ"));
  EXPECT_EQ(UserClass(L"Quillo2_qtxt\\DefaultIcon"), exe_ + L",0");
  EXPECT_EQ(UserClass(L"Quillo2_qtxt\\shell\\open\\command"), exe_ + L" \"%1\"");

  shell.UnregisterExtension(L"qtxt", true);
  EXPECT_FALSE(shell.IsExtensionRegistered(L"qtxt"));
  EXPECT_EQ(UserClass(L".qtxt"), L"OtherEditor.Text");
  EXPECT_FALSE(UserKeyExists(L"Quillo2_qtxt"));
  EXPECT_FALSE(UserKeyExists(L".qtxt\\ShellNew"));
  EXPECT_EQ(UserClass(L"Quillo2BackUp", L"qtxt"), std::nullopt);
}

// The machine's owner is the one backed up; giving back leaves no per-user
// value that would hide it.
TEST_F(ShellRegistrationTest, AMachineOwnerShowsAgainAfterGivingBack) {
  ShellRegistration shell(exe_);
  SetValue(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.qlog", L"MachineLog");
  shell.RegisterExtension(L"qlog", false, Wide("qlog-файл"));
  EXPECT_TRUE(shell.IsExtensionRegistered(L"qlog"));
  EXPECT_EQ(UserClass(L"Quillo2BackUp", L"qlog"), L"MachineLog");
  EXPECT_FALSE(UserKeyExists(L".qlog\\ShellNew"));
  EXPECT_EQ(UserClass(L"Quillo2_qlog"), Wide("qlog-файл"));

  shell.UnregisterExtension(L"qlog", false);
  EXPECT_EQ(UserClass(L".qlog"), std::nullopt);
  EXPECT_FALSE(shell.IsExtensionRegistered(L"qlog"));
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.qlog");
}

TEST_F(ShellRegistrationTest, IconsOfAssociatedAndUnknownExtensions) {
  ShellRegistration shell(exe_);
  EXPECT_EQ(shell.GetExtensionIcon(L"qtxt"), L"");
  shell.SetExtensionIcon(L"C:\\Icons\\file.ico", L"qtxt");
  EXPECT_FALSE(UserKeyExists(L".qtxt")) << "no ProgID: nothing written";

  shell.RegisterExtension(L"qtxt", true, L"t");
  EXPECT_EQ(shell.GetExtensionIcon(L"qtxt"), exe_ + L",0");
  shell.SetExtensionIcon(L"C:\\Icons\\file.ico", L"qtxt");
  EXPECT_EQ(shell.GetExtensionIcon(L"qtxt"), L"C:\\Icons\\file.ico");
}

TEST_F(ShellRegistrationTest, OpenWithEntryOnAndOff) {
  ShellRegistration shell(exe_);
  EXPECT_FALSE(shell.IsOpenWithRegistered());
  shell.SetOpenWith(true);
  EXPECT_TRUE(shell.IsOpenWithRegistered());
  EXPECT_EQ(UserClass(kOpenWithKey), Wide("Открыть в Quillo'е"));
  const std::wstring command = *UserClass(std::wstring(kOpenWithKey) + L"\\Command");
  EXPECT_EQ(command.find(L' '), command.find(L" \"%1\"")) << "the short path has no space: " << Utf8(command);
  shell.SetOpenWith(false);
  EXPECT_FALSE(shell.IsOpenWithRegistered());
  EXPECT_FALSE(UserKeyExists(kOpenWithKey));
}

TEST_F(ShellRegistrationTest, AppPathsWrittenPerUserOnlyWhenItChanged) {
  ShellRegistration shell(exe_);
  const std::wstring key = std::wstring(kUserAppPathsKey) + L"\\Quillo.exe";
  EXPECT_TRUE(shell.RegisterAppPath());
  EXPECT_EQ(Value(HKEY_CURRENT_USER, key), L"\"" + exe_ + L"\"");
  EXPECT_FALSE(shell.RegisterAppPath()) << "unchanged: not written again";
  EXPECT_FALSE(ShellRegistration(exe_).RegisterAppPath());
  SetValue(HKEY_CURRENT_USER, key, L"\"C:\\old\\quillo.exe\"");
  EXPECT_TRUE(shell.RegisterAppPath());
  EXPECT_EQ(Value(HKEY_CURRENT_USER, key), L"\"" + exe_ + L"\"");
}

}  // namespace
}  // namespace quillo

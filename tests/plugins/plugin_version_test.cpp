// The version text and the settings dialog's line of a plug-in file, from
// its version resource or without one.
#include "app/plugins/plugin_version.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace quillo {
namespace {

std::wstring Beside(const wchar_t* name) {
  wchar_t self[MAX_PATH];
  std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

std::string KilobytesOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return std::to_string(data.nFileSizeLow / 1024);
}

TEST(PlugInVersion, FromTheVersionResourceOrNone) {
  const std::wstring probe = Beside(L"probe_plugin.dll");
  const std::wstring noisy = Beside(L"noisy_plugin.dll");
  EXPECT_EQ(PlugInVersion(probe), "1.2");
  EXPECT_EQ(PlugInListing(probe), "probe_plugin.dll v. 1.2 (" + KilobytesOf(probe) + " kb)");
  EXPECT_EQ(PlugInVersion(noisy), "");
  EXPECT_EQ(PlugInListing(noisy), "noisy_plugin.dll (" + KilobytesOf(noisy) + " kb)");
  EXPECT_EQ(PlugInVersion(Beside(L"no such plugin.dll")), "");
  // The test program has no version resource of its own.
  EXPECT_EQ(HostVersion(), "");
}

}  // namespace
}  // namespace quillo

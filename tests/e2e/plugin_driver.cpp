#include "tests/e2e/plugin_driver.h"

#include <gtest/gtest.h>

#include "core/menu_layout.h"
#include "core/win1251.h"

namespace quillo::e2e {

namespace {

std::wstring TestFolder() {  // ...\build\win64\tests\e2e
  wchar_t self[MAX_PATH];
  std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of(L'\\'));
}

}  // namespace

std::wstring BuiltPlugin(std::wstring_view name) {
  const bool sample = name == L"menu_items.dll" || name == L"callbacks.dll" || name == L"commands.dll";
  return TestFolder() + (sample ? L"\\..\\..\\sdk\\samples\\" : L"\\..\\plugins\\") + std::wstring(name);
}

std::wstring Built32BitSample(std::wstring_view name) {
  return TestFolder() + L"\\..\\..\\..\\win32\\sdk\\samples\\" + std::wstring(name);
}

void InstallPlugin(const Scratch& scratch, std::wstring_view builtName, std::wstring_view installedName) {
  std::wstring target = scratch.Path(L"PlugIns\\" + std::wstring(installedName));
  EXPECT_TRUE(CopyFileW(BuiltPlugin(builtName).c_str(), target.c_str(), FALSE))
      << "cannot copy " << U8(BuiltPlugin(builtName));
}

ProbeJournal::ProbeJournal(const Scratch& scratch, std::wstring_view installedName)
    : scratch_(scratch), file_(L"PlugIns\\" + std::wstring(installedName) + L".log") {}

std::vector<std::string> ProbeJournal::Lines() const {
  std::string bytes = scratch_.ReadFile(file_);
  std::vector<std::string> lines;
  if (bytes == "<missing>") return lines;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(Win1251ToUtf8(bytes.substr(pos, end - pos)));
    pos = end + 2;
  }
  return lines;
}

std::string ProbeJournal::Text() const {
  std::string text;
  for (const std::string& line : Lines()) text += line + "\n";
  return text;
}

bool ProbeJournal::Has(std::string_view line) const { return Find(line) >= 0; }

std::string ProbeJournal::After(std::string_view prefix) const {
  for (const std::string& line : Lines())
    if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
  return {};
}

int ProbeJournal::Find(std::string_view line, int from) const {
  std::vector<std::string> lines = Lines();
  for (int i = from; i < static_cast<int>(lines.size()); ++i)
    if (lines[static_cast<size_t>(i)] == line) return i;
  return -1;
}

bool ProbeJournal::WaitFor(std::string_view line, Duration timeout) const {
  return WaitUntil([&] { return Has(line); }, timeout);
}

int ProbeJournal::Number(std::string_view prefix) const {
  std::string rest = After(prefix);
  return rest.empty() ? -1 : std::stoi(rest);
}

UINT PluginItemCommand(int index) {
  return static_cast<UINT>(GetRuntimeList(RuntimeList::PlugInItems).firstCommandId + index);
}

}  // namespace quillo::e2e

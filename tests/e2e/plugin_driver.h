#pragma once
// Plug-ins for the end-to-end tests: the project's test and sample plug-ins
// copied into a scratch folder's "PlugIns", and the probe plug-in's journal.
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/harness.h"

namespace quillo::e2e {

// A plug-in the build made, by its file name: the test plug-ins
// ("probe_plugin.dll", "noisy_plugin.dll", "fault_kinds.dll") and the SDK's
// samples ("menu_items.dll", "callbacks.dll", "commands.dll").
std::wstring BuiltPlugin(std::wstring_view name);
// A sample of the 32-bit build beside this one (build/win32), which may be missing.
std::wstring Built32BitSample(std::wstring_view name);
// Copies a built plug-in into the scratch folder's "PlugIns" under a name.
void InstallPlugin(const Scratch& scratch, std::wstring_view builtName, std::wstring_view installedName);

// The journal of a probe installed as "<name>.dll": its lines in UTF-8.
class ProbeJournal {
 public:
  ProbeJournal(const Scratch& scratch, std::wstring_view installedName);
  std::vector<std::string> Lines() const;
  // The whole journal, for failure messages.
  std::string Text() const;
  bool Has(std::string_view line) const;
  // The first line starting with prefix, without the prefix; "" when none.
  std::string After(std::string_view prefix) const;
  // Index of the first line equal to line, at or after from; -1 when none.
  int Find(std::string_view line, int from = 0) const;
  // Waits until the line is there.
  bool WaitFor(std::string_view line, Duration timeout = 10s) const;
  // The number a line "<prefix><n>" ends in; -1 when none.
  int Number(std::string_view prefix) const;

 private:
  const Scratch& scratch_;
  std::wstring file_;
};

// The menu command id of the plug-in item with that index.
UINT PluginItemCommand(int index);

}  // namespace quillo::e2e

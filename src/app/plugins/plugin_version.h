#pragma once
// Version texts from the version resources of the program and of plug-in
// files.
#include <string>

namespace quillo {

// "2.0 build 17" from the program's own file version; empty without one.
std::string HostVersion();
// "1.2" from a plug-in file's version; empty when it has none (or 0.0).
std::string PlugInVersion(const std::wstring& path);
// The settings dialog's line for a plug-in file: "name v. 1.2 (12 kb)" or
// "name (12 kb)" (UTF-8).
std::string PlugInListing(const std::wstring& path);

}  // namespace quillo

#pragma once
// The version texts and the listing line of the plug-in subsystem, from the
// numbers of a version resource's fixed part.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillo {

// The program's version for plug-ins: "2.0 build 17" (major and minor from
// the high and low word of the file version's first half, build from the low
// word of its second half).
std::string HostVersionText(unsigned major, unsigned minor, unsigned build);

// A plug-in's version: "1.2"; empty when both numbers are 0.
std::string PlugInVersionText(unsigned major, unsigned minor);

// One line of the settings dialog's plug-in list: "name v. 1.2 (12 kb)", or
// "name (12 kb)" without a version; the size in whole kilobytes, rounded down.
std::string PlugInListLine(std::string_view fileName, std::string_view version,
                           std::uint64_t sizeInBytes);

}  // namespace quillo

#include "core/plugin_texts.h"

namespace quillo {

std::string HostVersionText(unsigned major, unsigned minor, unsigned build) {
  return std::to_string(major) + "." + std::to_string(minor) + " build " + std::to_string(build);
}

std::string PlugInVersionText(unsigned major, unsigned minor) {
  if (major == 0 && minor == 0) return {};
  return std::to_string(major) + "." + std::to_string(minor);
}

std::string PlugInListLine(std::string_view fileName, std::string_view version,
                           std::uint64_t sizeInBytes) {
  std::string line(fileName);
  if (!version.empty()) line += " v. " + std::string(version);
  return line + " (" + std::to_string(sizeInBytes / 1024) + " kb)";
}

}  // namespace quillo

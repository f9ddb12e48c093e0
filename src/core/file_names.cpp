#include "core/file_names.h"

#include "core/title.h"

namespace quillo {
namespace {

// Offset of the extension's dot within the path, or the path's size when the
// file-name part has none.
std::size_t ExtensionStart(std::string_view path) {
  std::string_view name = FileNamePart(path);
  std::size_t nameStart = path.size() - name.size();
  std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? path.size() : nameStart + dot;
}

}  // namespace

std::string FreeFileName(std::string_view name,
                         const std::function<bool(const std::string&)>& exists) {
  std::string candidate(name);
  std::size_t split = ExtensionStart(name);
  std::string_view stem = name.substr(0, split), ext = name.substr(split);
  for (unsigned long n = 1; exists(candidate); ++n)
    candidate = std::string(stem) + std::to_string(n) + std::string(ext);
  return candidate;
}

std::string WithDefaultExtension(std::string_view path) {
  std::string result(path);
  if (ExtensionStart(path) == path.size()) result += ".txt";
  return result;
}

std::string WithoutLeadingDot(std::string_view path) {
  std::string_view name = FileNamePart(path);
  std::string result(path);
  if (name.size() > 1 && name[0] == '.') result.erase(path.size() - name.size(), 1);
  return result;
}

std::string NameToWrite(std::string_view chosen, bool defaultExtension,
                        const std::function<bool(const std::string&)>& exists) {
  std::string name = defaultExtension ? WithDefaultExtension(chosen) : std::string(chosen);
  return exists(name) ? name : WithoutLeadingDot(name);
}

}  // namespace quillo

#include "core/path_text.h"

#include <algorithm>

#include "core/search_chars.h"

namespace quillo {
namespace {

constexpr std::size_t kShortenFrom = 60;
constexpr std::size_t kMostBackslashesKept = 3;

// "C:" for a drive path, "\\server\share" for a network path, else empty.
std::string_view DrivePart(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    const std::size_t server_end = path.find('\\', 2);
    if (server_end == std::string_view::npos) return path;
    return path.substr(0, path.find('\\', server_end + 1));
  }
  return {};
}

}  // namespace

bool SamePath(std::string_view a, std::string_view b) { return EqualIgnoringCase(a, b); }

std::string ShortenPathForCaption(std::string_view path) {
  const std::string unchanged(path);
  if (static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\')) <=
          kMostBackslashesKept ||
      path.find('/') != std::string_view::npos || path.size() < kShortenFrom) {
    return unchanged;
  }
  const std::string_view drive = DrivePart(path);
  const std::string_view rest = path.substr(drive.size());
  const std::size_t first_folder = rest.starts_with('\\') ? 1 : 0;
  const std::size_t first_folder_end = rest.find('\\', first_folder);
  const std::size_t name_separator = rest.rfind('\\');
  if (first_folder_end == std::string_view::npos || name_separator == 0) return unchanged;
  const std::size_t last_folder_separator = rest.rfind('\\', name_separator - 1);
  // With two folders or fewer nothing would be left out, and "\..." would
  // only make the caption longer.
  if (last_folder_separator == std::string_view::npos ||
      last_folder_separator <= first_folder_end) {
    return unchanged;
  }
  std::string shortened(path.substr(0, drive.size() + first_folder_end));
  shortened += "\\...";
  shortened += rest.substr(last_folder_separator);
  return shortened;
}

}  // namespace quillo

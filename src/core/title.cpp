#include "core/title.h"

namespace quillo {
namespace {

bool IsFolderSeparator(char c) { return c == '\\' || c == '/'; }
bool IsDelimiter(char c) { return IsFolderSeparator(c) || c == ':'; }

// Index of the last separator or drive colon, or npos.
std::size_t LastDelimiter(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsDelimiter(path[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::string_view FileNamePart(std::string_view path) {
  const std::size_t last = LastDelimiter(path);
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

std::string_view FolderPart(std::string_view path) {
  const std::size_t last = LastDelimiter(path);
  if (last == std::string_view::npos) return {};
  std::size_t end = last + 1;
  // Drop the separator unless it follows a drive colon or another
  // separator ("C:\", "\\server"), and unless it is the path's first one.
  if (last > 0 && IsFolderSeparator(path[last]) && !IsDelimiter(path[last - 1])) end = last;
  return path.substr(0, end);
}

std::string TitleFor(std::string_view path, int titleType) {
  if (path.empty()) return std::string(kProgramTitle);
  std::string title;
  switch (titleType) {
    case kTitleFileName:
      title = FileNamePart(path);
      break;
    case kTitleFullPath:
      title = path;
      break;
    default:
      title = std::string(FileNamePart(path)) + " @" + std::string(FolderPart(path));
      break;
  }
  return title + " - " + std::string(kProgramTitle);
}

}  // namespace quillo

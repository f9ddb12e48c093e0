#include "core/shell_command.h"

namespace quillo {
namespace {

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
  return s;
}

}  // namespace

ShellCommand SplitShellCommand(std::u16string_view setting) {
  std::u16string_view s = Trim(setting);
  if (s.empty() || s.front() != u'"') return {std::u16string(s), {}};
  const size_t close = s.find(u'"', 1);
  if (close == std::u16string_view::npos) return {std::u16string(s.substr(1)), {}};
  return {std::u16string(s.substr(1, close - 1)), std::u16string(Trim(s.substr(close + 1)))};
}

std::u16string QuotedFolderOf(std::u16string_view filePath) {
  const size_t slash = filePath.find_last_of(u"\\/");
  std::u16string folder(filePath.substr(0, slash == std::u16string_view::npos ? 0 : slash + 1));
  if (!folder.empty() && folder.back() == u'/') folder.back() = u'\\';
  return u"\"" + folder + (folder.empty() ? u"" : u"\\") + u"\"";
}

}  // namespace quillo

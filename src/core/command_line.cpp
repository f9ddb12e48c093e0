#include "core/command_line.h"

namespace quillo {

std::u16string ArgumentString(const std::vector<std::u16string>& args) {
  std::u16string joined;
  for (const auto& a : args) {
    joined += u' ';
    joined += a;
  }
  size_t start = 0;
  while (start < joined.size() &&
         (joined[start] == u' ' || joined[start] == u'-' || joined[start] == u'/'))
    ++start;
  return joined.substr(start);
}

StartCommand ParseStartCommand(const std::vector<std::u16string>& args,
                               bool (*fileExists)(const std::u16string&)) {
  StartCommand cmd;
  if (args.empty()) return cmd;
  if (args[0] == u"n") {
    cmd.request = StartRequest::kOpenHere;
    if (args.size() > 1) cmd.path = args[1];
    return cmd;
  }
  std::u16string text = ArgumentString(args);
  if (fileExists && fileExists(text)) {
    cmd.request = StartRequest::kFile;
    cmd.path = text;
  } else if (text == u"c") {
    cmd.request = StartRequest::kClipboard;
  } else {
    cmd.request = StartRequest::kFile;
    cmd.path = text;
  }
  return cmd;
}

std::u16string FileLockName(const std::u16string& path) {
  std::u16string name;
  name.reserve(path.size() + 8);
  for (char16_t ch : path) {
    if (ch == u'\\')
      name += u"###";
    else
      name += ch;
  }
  return name;
}

}  // namespace quillo

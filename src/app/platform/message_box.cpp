#include "app/platform/message_box.h"

#include <string>

#include "app/platform/ui_text.h"

namespace quillo {

int ShowMessage(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
  return MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), flags);
}

std::string FormatMessageText(std::string_view pattern, std::string_view arg) {
  std::string out(pattern);
  auto pos = out.find("%s");
  if (pos != std::string::npos) out.replace(pos, 2, arg);
  return out;
}

}  // namespace quillo

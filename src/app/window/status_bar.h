#pragma once
// The status bar: seven panels of the widths and design texts the status
// table gives, at the bottom of the main window.
#include <windows.h>

#include <string>
#include <string_view>

namespace quillo {

class StatusBar {
 public:
  StatusBar() = default;
  StatusBar(const StatusBar&) = delete;
  StatusBar& operator=(const StatusBar&) = delete;

  bool Create(HWND parent);
  HWND Handle() const { return hwnd_; }
  // The height it takes at the bottom of the window; 0 while hidden.
  int Height() const;

  // Sets a panel's text; nothing is redrawn when it is already shown.
  void SetText(int panel, std::wstring_view text);
  std::wstring Text(int panel) const;

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace quillo

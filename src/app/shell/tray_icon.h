#pragma once
// The window's icon in the notification area: added once, removed with the
// object or on Delete.
#include <windows.h>

#include <string>

namespace quillo {

class TrayIcon {
 public:
  TrayIcon() = default;
  ~TrayIcon() { Delete(); }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // The tip is cut to 63 characters. False when the shell refused it.
  bool Add(HWND window, UINT id, HICON icon, const std::wstring& tip, UINT callbackMessage);
  void Delete();
  bool Shown() const { return window_ != nullptr; }

 private:
  HWND window_ = nullptr;
  UINT id_ = 0;
};

}  // namespace quillo

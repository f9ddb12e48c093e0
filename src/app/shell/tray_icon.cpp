#include "app/shell/tray_icon.h"

#include <shellapi.h>

namespace quillo {
namespace {

constexpr size_t kTipLength = 63;

}  // namespace

bool TrayIcon::Add(HWND window, UINT id, HICON icon, const std::wstring& tip, UINT callbackMessage) {
  Delete();
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = id;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage;
  data.hIcon = icon;
  lstrcpynW(data.szTip, tip.substr(0, kTipLength).c_str(), static_cast<int>(kTipLength + 1));
  if (!Shell_NotifyIconW(NIM_ADD, &data)) return false;
  window_ = window;
  id_ = id;
  return true;
}

void TrayIcon::Delete() {
  if (!window_) return;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window_;
  data.uID = id_;
  Shell_NotifyIconW(NIM_DELETE, &data);
  window_ = nullptr;
}

}  // namespace quillo

#pragma once
// The window in the notification area: minimised there (when "MinToTray"
// says so, or with Shift), brought back by the icon, its menu or another
// process's activation message.
#include <windows.h>

#include "app/shell/tray_icon.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class Tray {
 public:
  explicit Tray(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

  // The window was minimised (WM_SIZE, SIZE_MINIMIZED).
  void OnMinimized();
  // Shift+Alt+F10: to the tray whatever the setting says.
  void MinimizeToTray(bool always);
  void RestoreFromTray();
  // WM_QUILLO_TRAY: lParam is the mouse message.
  void OnIconMessage(LPARAM mouseMessage);
  // WM_QUILLO_ACTIVATE: a second process hands over to this window.
  void Activate();

  bool InTray() const { return icon_.Shown(); }

 private:
  void ExitFromTray();

  AppContext& ctx_;
  TrayIcon icon_;
  bool wasMaximized_ = false;
  bool busy_ = false;
};

}  // namespace quillo

#include "app/shell/tray.h"

#include <string>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/interop.h"
#include "app/platform/keyboard.h"
#include "app/settings/settings_store.h"
#include "app/window/menus.h"

namespace quillo {
namespace {

constexpr UINT kIconId = 100;

std::wstring WindowTitle(HWND window) {
  std::wstring title(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  title.resize(static_cast<size_t>(GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
  return title;
}

}  // namespace

void Tray::Bind(ActionRegistry& actions) {
  actions.BindCommand(CommandId::TrayRestore, [this](int) { RestoreFromTray(); });
  actions.BindCommand(CommandId::TrayExit, [this](int) { ExitFromTray(); });
}

void Tray::OnMinimized() {
  if (!busy_) MinimizeToTray(false);
}

void Tray::MinimizeToTray(bool always) {
  HWND window = ctx_.window;
  if (IsIconic(window)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    wasMaximized_ = (placement.flags & WPF_RESTORETOMAXIMIZED) != 0;
  } else {
    wasMaximized_ = IsZoomed(window) != FALSE;
  }
  // Shift alone sends the window to the tray this time even with the
  // setting off; Shift with Ctrl only minimises.
  if (!always && !ctx_.settings.Values().min_to_tray && CurrentModifiers() != kShift) return;
  busy_ = true;
  if (!IsIconic(window)) ShowWindow(window, SW_MINIMIZE);
  ShowWindow(window, SW_HIDE);
  busy_ = false;
  icon_.Add(window, kIconId, LoadIconW(ctx_.instance, L"MAINICON"), WindowTitle(window), WM_QUILLO_TRAY);
}

void Tray::RestoreFromTray() {
  HWND window = ctx_.window;
  // Shown while still minimised, the window must not go back to the tray.
  busy_ = true;
  ShowWindow(window, SW_SHOW);
  ShowWindow(window, wasMaximized_ ? SW_SHOWMAXIMIZED : SW_RESTORE);
  busy_ = false;
  SetForegroundWindow(window);
  icon_.Delete();
}

void Tray::OnIconMessage(LPARAM mouseMessage) {
  switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONDOWN:
      RestoreFromTray();
      break;
    case WM_RBUTTONDOWN: {
      POINT at{};
      GetCursorPos(&at);
      ctx_.menus.Track(MenuId::TaskBarPopup, ctx_.window, at);
      break;
    }
    default:
      break;
  }
}

void Tray::Activate() {
  if (IsWindowVisible(ctx_.window)) {
    if (IsIconic(ctx_.window)) ShowWindow(ctx_.window, SW_RESTORE);
    SetForegroundWindow(ctx_.window);
  } else {
    RestoreFromTray();
  }
}

// The window comes back first, so that the exit's questions are seen.
void Tray::ExitFromTray() {
  icon_.Delete();
  RestoreFromTray();
  ctx_.actions.Run(ActionId::CloseProgram);
}

}  // namespace quillo

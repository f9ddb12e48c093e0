#include "app/view/full_screen.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/platform/keyboard.h"
#include "app/settings/settings_apply.h"
#include "app/settings/settings_store.h"
#include "app/window/menus.h"
#include "app/window/status_view.h"
#include "app/window/tool_bar.h"
#include "app/window/window_layout.h"

namespace quillo {

void FullScreen::Bind(ActionRegistry& actions) {
  actions.Bind(ActionId::OptFullScreen, [this] { Toggle(); },
               [this] { return ActionState::Checked(on_); });
}

// The document is not touched: its text, caret and modified flag stay.
void FullScreen::Toggle() {
  const bool modified = ctx_.editor.Modified();
  if (on_)
    Leave();
  else
    Enter();
  ctx_.layout.Relayout();
  RedrawWindow(ctx_.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  ctx_.editor.SetModified(modified);
  ctx_.editor.ScrollCaret();
  ctx_.status.Update();
}

void FullScreen::ShowBars(bool toolBar, bool statusBar) {
  if (HWND bar = toolBar_.Handle()) ShowWindow(bar, toolBar ? SW_SHOWNA : SW_HIDE);
  if (HWND bar = ctx_.status.Handle()) ShowWindow(bar, statusBar ? SW_SHOWNA : SW_HIDE);
}

void FullScreen::Enter() {
  HWND window = ctx_.window;
  StoreWindowPlacement(ctx_);
  placement_.length = sizeof(placement_);
  GetWindowPlacement(window, &placement_);
  style_ = GetWindowLongPtrW(window, GWL_STYLE);

  SettingsStore& settings = ctx_.settings;
  for (bool SettingValues::*flag : {&SettingValues::fs_scroll_bars, &SettingValues::fs_status_bar,
                                    &SettingValues::fs_tool_bar, &SettingValues::fs_menu})
    settings.Reread(flag);
  const SettingValues& values = settings.Values();
  // Shift alone: no bars this time, whatever the settings say.
  const bool bare = CurrentModifiers() == kShift;

  SetWindowLongPtrW(window, GWL_STYLE, style_ & ~(WS_CAPTION | WS_THICKFRAME));
  if (!values.fs_menu) SetMenu(window, nullptr);
  ShowBars(values.fs_tool_bar && !bare, values.fs_status_bar && !bare);
  ctx_.editor.SetScrollBars(values.fs_scroll_bars);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  ShowWindow(window, IsZoomed(window) ? SW_SHOWNORMAL : SW_SHOW);
  ShowWindow(window, SW_MAXIMIZE);
  on_ = true;
}

// Back to the window as it was before, the bars as their check marks say.
void FullScreen::Leave() {
  HWND window = ctx_.window;
  const SettingValues& values = ctx_.settings.Values();
  SetMenu(window, ctx_.menus.MenuBar());
  ctx_.editor.SetScrollBars(true);
  ShowBars(values.tool_bar, values.status_bar);
  SetWindowLongPtrW(window, GWL_STYLE, style_ | WS_CAPTION | WS_THICKFRAME);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SetWindowPlacement(window, &placement_);
  ShowBars(values.tool_bar, values.status_bar);
  on_ = false;
}

}  // namespace quillo

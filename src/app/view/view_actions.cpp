// The window's bars and menus and the view commands that show or hide them.
#include <windows.h>

#include "app/window/main_form.h"

namespace quillo {

void MainForm::CreateBars() {
  icons_.Load(instance_);
  menus_.Create(actions_, icons_, MenuOptions{values_.show_short_cut, values_.icons});
  SetMenu(hwnd_, menus_.MenuBar());
  if (toolBar_.Create(hwnd_, icons_, actions_, menus_)) {
    ShowWindow(toolBar_.Handle(), values_.tool_bar ? SW_SHOWNA : SW_HIDE);
    toolBar_.ShowHints(values_.show_hint);
    Dock(toolBar_.Handle(), true, [this] { return toolBar_.Height(); });
  }
  if (statusBar_.Create(hwnd_)) {
    ShowWindow(statusBar_.Handle(), values_.status_bar ? SW_SHOWNA : SW_HIDE);
    Dock(statusBar_.Handle(), false, [this] { return statusBar_.Height(); });
  }
  UpdateLayoutPanel();
}

bool MainForm::OnBarNotify(NMHDR& header, LRESULT& result) {
  if (statusBar_.Handle() && header.hwndFrom == statusBar_.Handle()) {
    if (header.code != NM_DBLCLK && header.code != NM_RCLICK) return false;
    OnStatusBarClick(header.code == NM_DBLCLK);
    result = TRUE;
    return true;
  }
  return toolBar_.OnNotify(header, result);
}

// WM_CONTEXTMENU of the editor; from the keyboard the menu opens at the caret.
void MainForm::ShowEditorMenu(LPARAM screenPoint) {
  POINT at{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
  if (screenPoint == -1) {
    GetCaretPos(&at);
    ClientToScreen(editor_.Handle(), &at);
  }
  menus_.Track(values_.simple_popup_menu ? MenuId::pmMainSimple : MenuId::pmMain, hwnd_, at);
}

void MainForm::BindViewActions() {
  struct BarToggle {
    ActionId action;
    const char* key;
    bool SettingValues::*value;
    HWND (MainForm::*bar)() const;
  };
  static constexpr BarToggle kBars[] = {
      {ActionId::OptToolBar, "ToolBar", &SettingValues::tool_bar, &MainForm::ToolBarHandle},
      {ActionId::OptStatusBar, "StatusBar", &SettingValues::status_bar, &MainForm::StatusBarHandle},
  };
  for (const BarToggle& toggle : kBars) {
    actions_.Bind(
        toggle.action,
        [this, toggle] {
          bool& visible = values_.*toggle.value;
          visible = !visible;
          settings_.WriteBool("Options", toggle.key, visible);
          if (HWND bar = (this->*toggle.bar)()) ShowWindow(bar, visible ? SW_SHOWNA : SW_HIDE);
          LayoutChildren();
          UpdateStatusBar();
        },
        [this, toggle] { return ActionState::Checked(values_.*toggle.value); });
  }
}

}  // namespace quillo

// The settings object's values applied to the window, in the order the rest
// of the program relies on, and the window placement of section "View".
#include <windows.h>

#include "app/window/main_form.h"
#include "app/platform/ui_text.h"

namespace quillo {
namespace {

constexpr char kViewSection[] = "View";

void ApplyFont(MyRichEdit& editor, const FontSetting& font) {
  std::wstring name = font.name.empty() ? L"Courier New" : WideFromWin1251(font.name);
  int size = font.size > 0 ? font.size : 12;
  editor.SetFont(name, size, font.style & kFontBold, font.style & kFontItalic,
                 font.style & kFontUnderline, font.style & kFontStrikeOut, font.color,
                 static_cast<BYTE>(font.charset));
}

}  // namespace

void MainForm::ApplySettings(bool withBackground) {
  // The editor's present colour is the one applied last.
  LoadSettingValues(settings_, values_, withBackground, values_.background);
  ApplyFont(editor_, values_.font);
  if (withBackground) editor_.SetColor(values_.background);
  editor_.SetWordWrap(values_.word_wrap);
  editor_.SetAutoURLDetect(values_.url_detect);
  SetDialogFolder(Wide(Win1251ToUtf8(values_.dlg_path)));
  editor_.SetWordSelection(values_.word_selection);
  // The bars, fonts 1-4, menus and the find panel take their values from
  // `values_` as their features are built.
}

void MainForm::ApplyWindowPlacement() {
  RECT rc{};
  GetWindowRect(hwnd_, &rc);
  WindowPlacement& view = values_.view;
  view = {kWindowNormal, rc.left, rc.top, rc.bottom - rc.top, rc.right - rc.left};
  ReadPlacement(settings_, kViewSection, view);
  if (view.state == kWindowNormal && view.width > 0 && view.height > 0)
    SetWindowPos(hwnd_, nullptr, view.left, view.top, view.width, view.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainForm::WriteWindowPlacement() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  GetWindowPlacement(hwnd_, &wp);
  WindowPlacement& view = values_.view;
  if (IsZoomed(hwnd_)) {
    view.state = kWindowMaximized;
  } else if (IsIconic(hwnd_) || !IsWindowVisible(hwnd_)) {
    view.state = kWindowMinimized;
  } else {
    RECT rc{};
    GetWindowRect(hwnd_, &rc);
    view = {kWindowNormal, rc.left, rc.top, rc.bottom - rc.top, rc.right - rc.left};
  }
  WritePlacement(settings_, kViewSection, view);
}

}  // namespace quillo

#include "app/settings/settings_apply.h"

#include <windows.h>

#include "app/app_context.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/platform/ui_text.h"
#include "app/settings/settings_store.h"

namespace quillo {
void ApplyEditorFont(MyRichEdit& editor, const FontSetting& font) {
  std::wstring name = font.name.empty() ? L"Courier New" : WideFromWin1251(font.name);
  int size = font.size > 0 ? font.size : 12;
  editor.SetFont(name, size, font.style & kFontBold, font.style & kFontItalic,
                 font.style & kFontUnderline, font.style & kFontStrikeOut, font.color,
                 static_cast<BYTE>(font.charset));
}

void ApplySettings(AppContext& ctx, bool withBackground) {
  SettingsStore& settings = ctx.settings;
  // The editor's present colour is the one applied last.
  settings.ReadValues(withBackground, settings.Values().background);
  if (withBackground) ctx.editor.SetColor(settings.Values().background);
  ApplyEditorSettings(ctx);
}

void ApplyEditorSettings(AppContext& ctx) {
  const SettingValues& values = ctx.settings.Values();
  MyRichEdit& editor = ctx.editor;
  ApplyEditorFont(editor, values.font);
  editor.SetWordWrap(values.word_wrap);
  editor.SetAutoURLDetect(values.url_detect);
  ctx.document.SetDialogFolder(Wide(Win1251ToUtf8(values.dlg_path)));
  editor.SetWordSelection(values.word_selection);
  // The bars, fonts 1-4, menus and the find panel take their values from
  // the settings as their features are built.
}

void ApplyWindowPlacement(AppContext& ctx) {
  RECT rc{};
  GetWindowRect(ctx.window, &rc);
  // The stored placement; the window's present bounds where it has none.
  ctx.settings.Values().view = {kWindowNormal, rc.left, rc.top, rc.bottom - rc.top, rc.right - rc.left};
  ctx.settings.Reread(&SettingValues::view);
  const WindowPlacement& view = ctx.settings.Values().view;
  if (view.state == kWindowNormal && view.width > 0 && view.height > 0)
    SetWindowPos(ctx.window, nullptr, view.left, view.top, view.width, view.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void StoreWindowPlacement(AppContext& ctx) {
  HWND hwnd = ctx.window;
  WindowPlacement view = ctx.settings.Values().view;
  if (IsZoomed(hwnd)) {
    view.state = kWindowMaximized;
  } else if (IsIconic(hwnd) || !IsWindowVisible(hwnd)) {
    view.state = kWindowMinimized;
  } else {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    view = {kWindowNormal, rc.left, rc.top, rc.bottom - rc.top, rc.right - rc.left};
  }
  ctx.settings.Set(&SettingValues::view, view);
}

}  // namespace quillo

#include "app/window/main_form.h"

#include <windows.h>

#include "app/commands/command_snapshot.h"
#include "app/platform/file_io.h"
#include "app/platform/foreign_pointers.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "app/settings/settings_apply.h"

namespace quillo {

MainForm::MainForm()
    : ctx_{nullptr, nullptr, editor_, document_, settings_, actions_, menus_, status_, layout_} {}

int MainForm::Run(HINSTANCE instance, const std::vector<std::u16string>& args) {
  ctx_.instance = instance;
  HWND window = CreateOwnWindow(kMainWindowClass, WS_EX_ACCEPTFILES, L"Quillo", WS_OVERLAPPEDWINDOW,
                                RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + 760, CW_USEDEFAULT + 540},
                                nullptr, instance, LoadIconW(instance, L"MAINICON"),
                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (!window) return 1;
  bool started = Guarded(window, [&] { return StartUp(args); }, true);
  if (!started) {
    DestroyWindow(window);
    return 0;
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    const bool keyOfWindow = (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN ||
                              msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP || msg.message == WM_CHAR) &&
                             (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd));
    // Plug-ins see every key first.
    if (keyOfWindow) Guarded(hwnd_, [&] { plugIns_.OnKeyMessage(msg.message, msg.wParam); return true; }, true);
    if (keyOfWindow && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
      const auto key = static_cast<UINT>(msg.wParam);
      bool used = Guarded(hwnd_, [&] { return keys_.Handle(key) || plugIns_.RunShortcut(key); }, true);
      if (used) {
        // Wine opens the window menu when Alt is released unless the window
        // saw another key while Alt was down; this tells it one was pressed.
        if (msg.message == WM_SYSKEYDOWN && msg.wParam != VK_F4)
          DefWindowProcW(hwnd_, WM_SYSKEYDOWN, msg.wParam, msg.lParam);
        continue;
      }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // The window (and any window a plug-in made in it) is gone: now the
  // plug-ins' code can go.
  plugIns_.Unload();
  return static_cast<int>(msg.wParam);
}

LRESULT MainForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (LRESULT result = 0; messages_.Handle(msg, wp, lp, result)) return result;
  switch (msg) {
    case WM_SIZE:
      if (wp == SIZE_MINIMIZED) {
        tray_.OnMinimized();
        return 0;
      }
      layout_.Relayout();
      status_.Update();
      return 0;
    case WM_DROPFILES:
      droppedFiles_.OnDrop(reinterpret_cast<HDROP>(wp));
      return 0;
    case WM_TIMER:
      if (wp == ReadOnlyMode::kCaretTimer) {
        readOnly_.OnTimer();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (editor_.Handle()) SetFocus(editor_.Handle());
      return 0;
    case WM_ACTIVATE:
      // Coming back from a dialog or another window, typing goes to the text.
      if (LOWORD(wp) != WA_INACTIVE && editor_.Handle()) SetFocus(editor_.Handle());
      return 0;
    case WM_CLOSE:
      // Closing the window is always refused; the exit goes its own way.
      CloseProgram();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
      if (lp != 0 && reinterpret_cast<HWND>(lp) == editor_.Handle()) {
        if (HIWORD(wp) == EN_CHANGE) editor_.HandleChangeNotification();
        return 0;
      }
      if (OnCommand(LOWORD(wp))) return 0;
      break;
    case WM_INITMENUPOPUP:
      if (menus_.OnInitMenuPopup(reinterpret_cast<HMENU>(wp))) return 0;
      break;
    case WM_MEASUREITEM:
      if (menus_.OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (menus_.OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wp) == editor_.Handle()) {
        ShowEditorMenu(lp);
        return 0;
      }
      break;
    case WM_NOTIFY: {
      // Any process may post this with a pointer of its own.
      const NMHDR* header = OwnNotifyHeader(lp);
      if (!header) return 0;
      if (LRESULT result = 0; OnNotify(*const_cast<NMHDR*>(header), result)) return result;
      break;
    }
    case WM_QUERYENDSESSION:
      // The save question as at exit; Cancel (or a failed save) refuses the
      // end of the session.
      return document_.AskToSaveChanges() ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wp) EndSession();
      return 0;
    default:
      break;
  }
  return DefaultProc(msg, wp, lp);
}

bool MainForm::OnCommand(UINT id) {
  if (!actions_.RunMenuCommand(static_cast<int>(id))) return false;
  status_.Update();
  return true;
}

bool MainForm::OnNotify(NMHDR& header, LRESULT& result) {
  if (status_.Handle() && header.hwndFrom == status_.Handle()) {
    if (header.code != NM_DBLCLK && header.code != NM_RCLICK) return false;
    status_.OnClick(header.code == NM_DBLCLK);
    result = TRUE;
    return true;
  }
  if (header.hwndFrom == editor_.Handle() && header.code == EN_LINK) {
    editor_.HandleLinkNotification(reinterpret_cast<const ENLINK&>(header));
    result = 0;
    return true;
  }
  if (header.hwndFrom == editor_.Handle() && header.code == EN_SELCHANGE) {
    editor_.HandleSelectionNotification();
    result = 0;
    return true;
  }
  return toolBar_.OnNotify(header, result);
}

// WM_CONTEXTMENU of the editor; from the keyboard the menu opens at the caret.
// A right click on a link opens the link menu.
void MainForm::ShowEditorMenu(LPARAM screenPoint) {
  POINT at{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
  const bool onLink = links_.TakeLinkMenu();
  if (screenPoint == -1) {
    GetCaretPos(&at);
    ClientToScreen(editor_.Handle(), &at);
  }
  MenuId menu = settings_.Values().simple_popup_menu ? MenuId::pmMainSimple : MenuId::pmMain;
  if (onLink && screenPoint != -1) menu = MenuId::pmURL;
  menus_.Track(menu, hwnd_, at);
}

void MainForm::WireFeatures() {
  actions_.SetSnapshotSource([this] { return TakeCommandSnapshot(ctx_, links_.HasLink()); });
  actions_.Bind(ActionId::CloseProgram, [this] { CloseProgram(); });
  actions_.Bind(ActionId::FileSaveExit, [this] { FileSaveExit(); });
  edit_.Bind(actions_);
  links_.Bind(actions_);
  files_.Bind(actions_);
  codePages_.Bind(actions_);
  text_.Bind(actions_);
  find_.Bind(actions_);
  goTo_.Bind(actions_);
  bars_.Bind(actions_);
  wordWrap_.Bind(actions_);
  fonts_.Bind(actions_);
  background_.Bind(actions_);
  fullScreen_.Bind(actions_);
  readOnly_.Bind(actions_);
  newWindows_.Bind(actions_);
  fileShell_.Bind(actions_);
  tray_.Bind(actions_);
  help_.Bind(actions_);
  clipboard_.Bind(actions_);
  marks_.Bind(actions_);
  recent_.Bind(actions_);
  bookmarks_.Bind(actions_);
  printing_.Bind(actions_);
  plugIns_.Bind(actions_);
  options_.Bind(actions_);
  messages_.OnPrivateMessage(WM_QUILLO_RELOAD_BOOKMARKS, [this](WPARAM, LPARAM) { bookmarks_.Reload(); });
  messages_.OnPrivateMessage(WM_QUILLO_APPLY_SETTINGS, [this](WPARAM, LPARAM) { TakeInSettings(); });
  messages_.OnPrivateMessage(WM_QUILLO_TRAY, [this](WPARAM, LPARAM lp) { tray_.OnIconMessage(lp); });
  messages_.OnPrivateMessage(WM_QUILLO_ACTIVATE, [this](WPARAM, LPARAM) { tray_.Activate(); });

  edit_.SetFieldPaste([this] { return find_.PasteIntoFocusedField(); });
  document_.Subscribe([this](DocumentEvent event, const std::wstring&) {
    if (event == DocumentEvent::kCreated) marks_.Clear();
  });

  keys_.SetPreview([this](UINT key, std::uint8_t mods) { return find_.RouteKey(key, mods); });
  keys_.SetAfterAction([this] { status_.Update(); });
  keys_.OnWindowKey(WindowKeyEffect::FocusFindBoxOrFind, [this] { find_.FocusFindBoxOrFind(); });
  keys_.OnWindowKey(WindowKeyEffect::CloseProgram, [this] { CloseProgram(); });
  keys_.OnWindowKey(WindowKeyEffect::ToggleMaximized,
                    [this] { ShowWindow(hwnd_, IsZoomed(hwnd_) ? SW_RESTORE : SW_MAXIMIZE); });
  keys_.OnWindowKey(WindowKeyEffect::MinimizeApplication, [this] { ShowWindow(hwnd_, SW_MINIMIZE); });
  keys_.OnWindowKey(WindowKeyEffect::InsertDateAndTime, [this] { text_.InsertDateAndTime(); });
  keys_.OnWindowKey(WindowKeyEffect::Swallow, {});
  keys_.OnWindowKey(WindowKeyEffect::ToggleBothBars, [this] { bars_.ToggleBoth(); });
  keys_.OnWindowKey(WindowKeyEffect::MinimizeToTray, [this] { tray_.MinimizeToTray(true); });
  keys_.OnWindowKey(WindowKeyEffect::PageDownInReadOnly, [this] { readOnly_.PageDown(); },
                    [this] { return readOnly_.On(); });
}

// ---- settings of other windows ----

void MainForm::TakeInSettings() {
  find_.StoreState();
  settings_.TakeInStoredChanges();
  ApplyAllSettings();
}

// In the order of start-up; full screen ends, as the settings' word wrap and
// bars are shown.
void MainForm::ApplyAllSettings() {
  if (fullScreen_.On()) actions_.Run(ActionId::OptFullScreen);
  const SettingValues& values = settings_.Values();
  ApplyEditorSettings(ctx_);
  bars_.ApplySettings();
  find_.ApplySettings();
  recent_.FollowCapacitySetting();
  menus_.SetIcons(values.icons);
  readOnly_.ApplySettings();
  document_.SetFileName(document_.FileName());
  status_.Update();
}

// ---- exit ----

void MainForm::CloseProgram() {
  closing_ = true;
  StoreSessionState();
  RedrawFreeze freeze(editor_.Control());
  bool closed = false;
  try {
    closed = document_.Close();
  } catch (...) {
    // A save that failed keeps the program running with its document.
    closing_ = false;
    throw;
  }
  if (!closed) {
    closing_ = false;
    return;
  }
  ShowWindow(hwnd_, SW_HIDE);
  WriteFilesAtEnd();
  DestroyWindow(hwnd_);
}

// The settings file (with the recent files) and the bookmarks.
void MainForm::WriteFilesAtEnd() {
  try {
    settings_.Save();
  } catch (const FileError& e) {
    ShowMessage(nullptr, std::string("Не удалось сохранить настройки.\n") + e.what(), kCaptionWarning,
                MB_OK | MB_ICONWARNING);
  }
  bookmarks_.SaveAtExit();
}

// What the settings keep of the window and its document at the end.
void MainForm::StoreSessionState() {
  find_.StoreState();
  CaretPos caret = editor_.GetCaretPos();
  settings_.Set(&SettingValues::file_name, Utf8ToWin1251(Utf8(document_.FileName())));
  settings_.Set(&SettingValues::caret_pos_x, caret.column);
  settings_.Set(&SettingValues::caret_pos_y, caret.line);
  StoreWindowPlacement(ctx_);
}

// The session ends (log-off, shut-down, restart) after WM_QUERYENDSESSION was
// answered; the system may end the process as soon as this returns.
void MainForm::EndSession() {
  closing_ = true;
  StoreSessionState();
  // The save question was answered then; the document closes without another
  // (the recent files take it, the plug-ins hear of it).
  editor_.SetModified(false);
  Guarded(hwnd_, [this] { return document_.Close(); }, false);
  WriteFilesAtEnd();
}

void MainForm::FileSaveExit() {
  actions_.Run(ActionId::FileSave);
  CloseProgram();
}

}  // namespace quillo

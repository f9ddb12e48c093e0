#include "app/window/main_form.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "app/platform/file_io.h"
#include "app/platform/message_box.h"
#include "app/settings/settings_file.h"
#include "app/platform/ui_text.h"

namespace quillo {
int MainForm::Run(HINSTANCE instance, const std::vector<std::u16string>& args) {
  instance_ = instance;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, L"MAINICON");
  wc.hIconSm = wc.hIcon;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  RegisterClassExW(&wc);

  hwnd_ = CreateWindowExW(WS_EX_ACCEPTFILES, kMainWindowClass, L"Quillo", WS_OVERLAPPEDWINDOW,
                          CW_USEDEFAULT, CW_USEDEFAULT, 760, 540, nullptr, nullptr, instance, this);
  if (!hwnd_) return 1;
  if (!StartUp(args)) {
    DestroyWindow(hwnd_);
    return 0;
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) &&
        (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) {
      bool used = false;
      try {
        used = HandleShortcut(static_cast<UINT>(msg.wParam));
      } catch (const std::exception& e) {
        ShowError(e.what());
        used = true;
      }
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
  return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK MainForm::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    reinterpret_cast<MainForm*>(cs->lpCreateParams)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<MainForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->OnMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    // The application's general error box: the program goes on.
    self->ShowError(e.what());
    return 0;
  }
}

LRESULT MainForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      LayoutChildren();
      UpdateStatusBar();
      return 0;
    case WM_SETFOCUS:
      if (editor_.Handle()) SetFocus(editor_.Handle());
      return 0;
    case WM_ACTIVATE:
      // Coming back from a dialog or another window, typing goes to the text.
      if (LOWORD(wp) != WA_INACTIVE && editor_.Handle()) SetFocus(editor_.Handle());
      if (LOWORD(wp) != WA_INACTIVE) ApplyFindPanelOnActivate();
      return 0;
    case WM_CLOSE:
      // Closing the window is always refused; the exit goes its own way.
      CloseProgram();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == (kSysMenuAbout & 0xFFF0)) {
        ShowAbout();
        return 0;
      }
      break;
    case WM_COMMAND:
      if (lp != 0 && reinterpret_cast<HWND>(lp) == editor_.Handle()) {
        if (HIWORD(wp) == EN_CHANGE) editor_.HandleChangeNotification();
        return 0;
      }
      if (OnCommand(LOWORD(wp))) return 0;
      break;
    case WM_INITMENUPOPUP:
      if (FillFindHistoryMenu(reinterpret_cast<HMENU>(wp))) return 0;
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
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      if (LRESULT result = 0; OnBarNotify(*hdr, result)) return result;
      if (hdr->hwndFrom == editor_.Handle() && hdr->code == EN_LINK) {
        editor_.HandleLinkNotification(*reinterpret_cast<ENLINK*>(lp));
        return 0;
      }
      break;
    }
    case WM_QUILLO_ACTIVATE:
      if (IsWindowVisible(hwnd_)) {
        if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
      } else {
        ShowWindow(hwnd_, SW_RESTORE);
      }
      SetForegroundWindow(hwnd_);
      return 0;
    case WM_QUILLO_SAVE:
      FileSave();
      return 0;
    case WM_QUILLO_APPLY_SETTINGS:
      ApplySettings(false);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

bool MainForm::OnCommand(UINT id) {
  if (const CommandInfo* command = FindCommand(static_cast<int>(id));
      command && id >= static_cast<UINT>(CommandId::GoToPercent0) &&
      id <= static_cast<UINT>(CommandId::GoToPercent0) + 10) {
    GoToPercentClick(command->tag);
    return true;
  }
  if (auto hit = FindRuntimeListItem(static_cast<int>(id)); hit && hit->list == RuntimeList::FindHistory) {
    FindHistoryClick(hit->index);
    return true;
  }
  if (id < kFirstActionId || id > kLastActionId) return false;
  if (actions_.Run(static_cast<ActionId>(id))) UpdateStatusBar();
  return true;
}

bool MainForm::HandleShortcut(UINT key) {
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
  if (FindPanelKey(key)) return true;
  auto mods = static_cast<std::uint8_t>(CurrentModifiers());
  if (auto action = keyMap_.ActionFor(static_cast<int>(key), mods)) {
    if (actions_.Run(*action)) {
      UpdateStatusBar();
      return true;
    }
  }
  if (auto effect = keyMap_.WindowKeyFor(static_cast<int>(key), mods)) return RunWindowKey(*effect);
  return false;
}

// The window's own keys; false leaves the key to the control.
bool MainForm::RunWindowKey(WindowKeyEffect effect) {
  switch (effect) {
    case WindowKeyEffect::FocusFindBoxOrFind:
      FocusFindBoxOrFind();
      return true;
    case WindowKeyEffect::CloseProgram:
      CloseProgram();
      return true;
    case WindowKeyEffect::ToggleMaximized:
      ShowWindow(hwnd_, IsZoomed(hwnd_) ? SW_RESTORE : SW_MAXIMIZE);
      return true;
    case WindowKeyEffect::MinimizeApplication:
      ShowWindow(hwnd_, SW_MINIMIZE);
      return true;
    case WindowKeyEffect::InsertDateAndTime:
      InsertDateAndTime();
      return true;
    case WindowKeyEffect::Swallow:
      return true;
    case WindowKeyEffect::ToggleBothBars:
      actions_.Run(ActionId::OptToolBar);
      actions_.Run(ActionId::OptStatusBar);
      return true;
    default:
      return false;
  }
}

void MainForm::BindActions() {
  BindEditorActions();
  BindFileActions();
  BindCodePageActions();
  BindTextActions();
  BindFindActions();
  BindViewActions();
  BindHelpActions();
}

void MainForm::Dock(HWND bar, bool top, std::function<int()> height) {
  docked_.push_back({bar, top, std::move(height)});
  LayoutChildren();
}

void MainForm::LayoutChildren() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  int top = rc.top, bottom = rc.bottom;
  for (const auto& bar : docked_) {
    int h = bar.height();
    if (bar.top) {
      MoveWindow(bar.hwnd, 0, top, rc.right, h, TRUE);
      top += h;
    } else {
      bottom -= h;
      MoveWindow(bar.hwnd, 0, bottom, rc.right, h, TRUE);
    }
  }
  if (editor_.Handle()) MoveWindow(editor_.Handle(), 0, top, rc.right, std::max(0, bottom - top), TRUE);
}

void MainForm::ShowError(const std::string& utf8Message) {
  ShowMessage(hwnd_, utf8Message, "Ошибка", MB_OK | MB_ICONERROR);
}

// ---- exit ----

void MainForm::CloseProgram() {
  closing_ = true;
  StoreFindState();
  CaretPos caret = editor_.GetCaretPos();
  settings_.WriteString("Options", "FileName", Utf8ToWin1251(Utf8(currentFileName_)));
  settings_.WriteInteger("Options", "CaretPosX", caret.column);
  settings_.WriteInteger("Options", "CaretPosY", caret.line);
  WriteWindowPlacement();
  SendMessageW(editor_.Handle(), WM_SETREDRAW, FALSE, 0);
  auto stay = [this] {
    SendMessageW(editor_.Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(editor_.Handle(), nullptr, TRUE);
    closing_ = false;
  };
  bool closed = false;
  try {
    closed = CloseDocument();
  } catch (...) {
    // A save that failed keeps the program running with its document.
    stay();
    throw;
  }
  if (!closed) {
    stay();
    return;
  }
  ShowWindow(hwnd_, SW_HIDE);
  SaveSettingValues(settings_, values_);
  try {
    SaveSettingsFile(settingsFileName_, settings_);
  } catch (const FileError& e) {
    ShowMessage(nullptr, std::string("Не удалось сохранить настройки.\n") + e.what(),
                kCaptionWarning, MB_OK | MB_ICONWARNING);
  }
  DestroyWindow(hwnd_);
}

void MainForm::FileSaveExit() {
  FileSave();
  CloseProgram();
}

// ---- editor events ----

void MainForm::OnEditorChange() {
  lastChangePos_ = editor_.SelStart();
  UpdateStatusBar();
}

void MainForm::OnEditorKeyDown(WPARAM, unsigned) { UpdateStatusBar(); }
void MainForm::OnEditorKeyUp() { UpdateStatusBar(); }
void MainForm::OnEditorMouseDown() { UpdateStatusBar(); }

void MainForm::OnEditorWheel(bool up, unsigned modifiers) {
  if (modifiers == kCtrl) actions_.Run(up ? ActionId::OptFontp1 : ActionId::OptFontm1);
  UpdateStatusBar();
}

void MainForm::OnEditorScroll() { UpdateStatusBar(); }
void MainForm::OnEditorLangChange(HKL) { UpdateLayoutPanel(); }
void MainForm::OnEditorLayoutRestored() { UpdateLayoutPanel(); }

void MainForm::OnEditorUrlClick(const std::string& link, bool leftButton) {
  currentLink_ = link;
  if (!leftButton) return;
  if (settings_.ReadBool("Options", "1URLClick", true)) {
    ShowMessage(hwnd_,
                "Для того чтобы перейти по ссылке, кликните по ней, удерживая клавишу Ctrl.",
                kCaptionInformation, MB_OK | MB_ICONINFORMATION);
    settings_.WriteBool("Options", "1URLClick", false);
  }
  if (GetKeyState(VK_CONTROL) < 0) URLGoToLink();
}

void MainForm::URLGoToLink() {
  ShellExecuteW(hwnd_, L"open", WideFromWin1251(currentLink_).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainForm::URLCopyLink() {
  ClipboardLock clip(hwnd_);
  if (!clip.IsOpen()) return;
  EmptyClipboard();
  std::wstring text = WideFromWin1251(currentLink_);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!mem) return;
  memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
}

void MainForm::OnEditorPaste() { EditPaste(); }

void MainForm::EditPaste() {
  if (PasteIntoFindField()) return;
  editor_.BeginRussianLayout();
  editor_.PasteFromClipboard();
  editor_.EndRussianLayout();
}

bool MainForm::PasteOnInsert() const { return values_.ins; }

void MainForm::OnEditorPositionMark(int digit, bool store) {
  CaretPos& mark = positionMarks_[static_cast<size_t>(digit)];
  if (store) {
    mark = editor_.GetCaretPos();
  } else if (mark.column >= 0 && mark.line >= 0) {
    editor_.SetCaretPos(mark);
    SendMessageW(editor_.Handle(), EM_SCROLLCARET, 0, 0);
  }
}

void MainForm::OptChangeKeybLayout() {
  ActivateKeyboardLayout(reinterpret_cast<HKL>(HKL_NEXT), KLF_REORDER);
  HKL layout = GetKeyboardLayout(0);
  SendMessageW(editor_.Handle(), WM_INPUTLANGCHANGEREQUEST, 0, reinterpret_cast<LPARAM>(layout));
}

void MainForm::ToggleInsertMode() { editor_.SendOwnInsertKey(); }

void MainForm::EditNoSelText() {
  if (editor_.SelLength() > 0) editor_.SetSelStart(editor_.SelStart());
}

}  // namespace quillo

// Start-up of the main window, step by step in the order the rest of the
// program relies on.
#include <windows.h>
#include <shellapi.h>

#include "app/platform/file_io.h"
#include "app/window/main_form.h"
#include "app/platform/message_box.h"
#include "app/settings/settings_file.h"
#include "app/platform/ui_text.h"
#include "core/title.h"

namespace quillo {
namespace {

bool ExistsU16(const std::u16string& path) { return FileExists(FromU16(path)); }

}  // namespace

bool MainForm::StartUp(const std::vector<std::u16string>& args) {
  RegisterExePath();
  closing_ = false;
  lastChangePos_ = -1;

  settingsFileName_ = DecideSettingsFileName();
  settings_ = LoadSettingsFile(settingsFileName_);

  start_ = ParseStartCommand(args, ExistsU16);
  if (start_.request == StartRequest::kOpenHere)
    start_.path = U16(LongFileName(FromU16(start_.path)));
  if (!ApplyInstanceRule()) return false;

  HMENU sys = GetSystemMenu(hwnd_, FALSE);
  AppendMenuW(sys, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(sys, MF_STRING, kSysMenuAbout, Wide("О программе...").c_str());

  CreateEditor();
  // Plug-ins are loaded here, then the recent-files list and the bookmarks
  // are created, before the settings are applied.
  ReadAndApplySettings();
  CreateBars();
  CreateFindPanel();
  NewDocument();
  BindActions();

  ShowWindow(hwnd_, values_.view.state == kWindowMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  SetFocus(editor_.Handle());
  OpenStartupDocument();
  UpdateStatusBar();
  return true;
}

void MainForm::RegisterExePath() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Quillo", 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  std::wstring exe = ExePath();
  RegSetValueExW(key, L"ExeFileName", 0, REG_SZ, reinterpret_cast<const BYTE*>(exe.c_str()),
                 static_cast<DWORD>((exe.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

// A file already open in another window of the program: that window is
// brought forward and this process ends without a window of its own.
bool MainForm::ApplyInstanceRule() {
  if (start_.request != StartRequest::kFile || !ExistsU16(start_.path)) return true;
  std::wstring path = FromU16(start_.path);
  TakeFileLock(path);
  if (GetLastError() == 0) return true;
  std::wstring title = TitleFor(LongFileName(path));
  HWND other = FindWindowW(nullptr, title.c_str());
  if (!other || other == hwnd_) return true;
  PostMessageW(other, WM_QUILLO_ACTIVATE, 0, 0);
  return false;
}

void MainForm::TakeFileLock(const std::wstring& path) {
  std::wstring name = FromU16(FileLockName(U16(path)));
  SetLastError(0);
  HANDLE h = CreateMutexW(nullptr, TRUE, name.c_str());
  DWORD err = GetLastError();
  fileLock_.Reset(h);
  SetLastError(err);
}

void MainForm::ReleaseFileLock() { fileLock_.Reset(); }

void MainForm::CreateEditor() {
  if (!editor_.Create(hwnd_, this)) {
    ShowError("Не удалось создать окно редактора (RICHED20.DLL).");
    return;
  }
  LayoutChildren();
}

void MainForm::ReadAndApplySettings() {
  values_ = DefaultSettingValues();
  ApplySettings(true);
  ApplyWindowPlacement();
}

void MainForm::OpenStartupDocument() {
  switch (start_.request) {
    case StartRequest::kFile:
    case StartRequest::kOpenHere: {
      std::wstring path = FromU16(start_.path);
      if (FileExists(path)) {
        OpenFile(path);
      } else if (start_.request == StartRequest::kFile) {
        AskToCreateMissingFile(path);
      }
      break;
    }
    case StartRequest::kClipboard:
      EditPaste();
      break;
    case StartRequest::kNone:
      if (values_.start_open_file) {
        std::wstring last = Wide(Win1251ToUtf8(settings_.ReadString("Options", "FileName", "")));
        if (FileExists(last)) {
          OpenFile(last);
          if (values_.save_position)
            editor_.SetCaretPos({settings_.ReadInteger("Options", "CaretPosX", 0),
                                 settings_.ReadInteger("Options", "CaretPosY", 0)});
        }
      }
      break;
  }
}

void MainForm::AskToCreateMissingFile(const std::wstring& path) {
  std::string text = FormatMessageText(
      "Файл \"%s\" не существует. Создать новый с таким именем?", Utf8(path));
  if (ShowMessage(hwnd_, text, kCaptionWarning, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  std::wstring written = SaveFile(path);
  NewDocument();
  OpenFile(written);
}

}  // namespace quillo

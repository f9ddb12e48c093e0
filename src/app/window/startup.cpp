// Start-up of the main window, step by step in the order the rest of the
// program relies on.
#include <windows.h>

#include "app/history/saved_position.h"
#include "app/platform/file_io.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "app/platform/win_handles.h"
#include "app/platform/window_base.h"
#include "app/settings/settings_apply.h"
#include "app/shell/shell_registration.h"
#include "app/window/main_form.h"

namespace quillo {
namespace {

bool ExistsU16(const std::u16string& path) { return FileExists(FromU16(path)); }

}  // namespace

bool MainForm::StartUp(const std::vector<std::u16string>& args) {
  RegisterExeFileName();
  closing_ = false;
  ctx_.window = hwnd_;
  document_.SetWindow(hwnd_);
  layout_.SetWindow(hwnd_);
  layout_.SetEditor([this] { return editor_.Handle(); });

  settings_.Load();
  // The title style decides which window holds a file, before anything shows.
  settings_.Reread(&SettingValues::title_type);

  start_ = ParseStartCommand(args, ExistsU16);
  if (start_.request == StartRequest::kOpenHere) start_.path = U16(LongFileName(FromU16(start_.path)));
  if (!ApplyInstanceRule()) return false;

  HMENU sys = GetSystemMenu(hwnd_, FALSE);
  AppendMenuW(sys, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(sys, MF_STRING, kSysMenuAbout, Wide("О программе...").c_str());

  CreateEditor();
  // The recent-files list and the bookmarks are created here, before the
  // settings are applied.
  settings_.ResetToDefaults();
  ApplySettings(ctx_, true);
  ApplyWindowPlacement(ctx_);
  CreateBars();
  find_.Create(icons_);
  document_.New();
  WireFeatures();
  // Plug-ins start once the menus they add to and the commands they send
  // exist, before the window shows and before any document is opened; what
  // they change from "Execute" (font, colour, options) is not overwritten by
  // the settings applied afterwards.
  plugIns_.Load();

  ShowWindow(hwnd_, settings_.Values().view.state == kWindowMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  SetFocus(editor_.Handle());
  if (!settings_.ReadProblem().empty()) ReportUnreadableSettings();
  // A file that cannot be opened is reported; the program goes on with an
  // empty document.
  try {
    OpenStartupDocument();
  } catch (...) {
    if (document_.FileName().empty()) document_.ReleaseLock();
    ReportCurrentException(hwnd_);
  }
  status_.Update();
  return true;
}

void MainForm::ReportUnreadableSettings() {
  std::string text = settings_.ReadProblem() +
                     "\n\nНастройки не прочитаны: программа работает с настройками по умолчанию "
                     "и не будет перезаписывать этот файл.";
  ShowMessage(hwnd_, text, kCaptionWarning, MB_OK | MB_ICONWARNING);
}

// A file already open in another window of the program: that window is
// brought forward and this process ends without a window of its own.
bool MainForm::ApplyInstanceRule() {
  if (start_.request != StartRequest::kFile || !ExistsU16(start_.path)) return true;
  // Named like the lock of the window that opened the file: relative, short,
  // forward-slash and differently cased paths all name the same lock.
  std::wstring path = LongFileName(FromU16(start_.path));
  if (document_.TakeLock(path)) return true;
  HWND other = FindWindowW(nullptr, document_.TitleFor(path).c_str());
  if (!other || other == hwnd_) return true;
  // Without this Windows only flashes the other window's task-bar button.
  DWORD otherProcess = 0;
  GetWindowThreadProcessId(other, &otherProcess);
  AllowSetForegroundWindow(otherProcess);
  PostMessageW(other, WM_QUILLO_ACTIVATE, 0, 0);
  return false;
}

void MainForm::CreateEditor() {
  if (!editor_.Create(hwnd_, &editorEvents_)) {
    ShowMessage(hwnd_, "Не удалось создать окно редактора (RICHED20.DLL).", "Ошибка", MB_OK | MB_ICONERROR);
    return;
  }
  layout_.Relayout();
}

void MainForm::CreateBars() {
  const SettingValues& values = settings_.Values();
  icons_.Load(ctx_.instance);
  menus_.Create(actions_, icons_, MenuOptions{values.show_short_cut, values.icons});
  SetMenu(hwnd_, menus_.MenuBar());
  if (toolBar_.Create(hwnd_, icons_, actions_, menus_)) {
    ShowWindow(toolBar_.Handle(), values.tool_bar ? SW_SHOWNA : SW_HIDE);
    toolBar_.ShowHints(values.show_hint);
    layout_.Dock(toolBar_.Handle(), true, [this] { return toolBar_.Height(); });
  }
  if (status_.Create(hwnd_)) {
    ShowWindow(status_.Handle(), values.status_bar ? SW_SHOWNA : SW_HIDE);
    layout_.Dock(status_.Handle(), false, [this] { return status_.Height(); });
  }
  status_.UpdateLayoutPanel();
}

void MainForm::OpenStartupDocument() {
  switch (start_.request) {
    case StartRequest::kFile:
    case StartRequest::kOpenHere: {
      std::wstring path = FromU16(start_.path);
      DWORD attributes = GetFileAttributesW(path.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FileError(FileErrorText("Не удалось открыть файл", path, kIsFolderReason));
      if (FileExists(path)) {
        document_.Open(path);
        PutCaretAtSavedPosition(ctx_, recent_, bookmarks_);
      } else if (start_.request == StartRequest::kFile) {
        AskToCreateMissingFile(path);
      }
      break;
    }
    case StartRequest::kClipboard:
      edit_.Paste();
      break;
    case StartRequest::kNone: {
      const SettingValues& values = settings_.Values();
      if (!values.start_open_file) break;
      std::wstring last = Wide(Win1251ToUtf8(values.file_name));
      if (!FileExists(last)) break;
      document_.Open(last);
      if (values.save_position) editor_.SetCaretPos({values.caret_pos_x, values.caret_pos_y});
      break;
    }
  }
}

void MainForm::AskToCreateMissingFile(const std::wstring& path) {
  std::string text = FormatMessageText("Файл \"%s\" не существует. Создать новый с таким именем?", Utf8(path));
  if (ShowMessage(hwnd_, text, kCaptionWarning, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  document_.Write(path);
  document_.New();
  document_.Open(path);
}

}  // namespace quillo

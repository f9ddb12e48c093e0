// The document: its file name, code page and modified state, and the
// routines that reset, open, save and close it.
#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "app/platform/file_dialogs.h"
#include "app/platform/file_io.h"
#include "app/window/main_form.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "core/file_names.h"
#include "core/nul_bytes.h"
#include "core/title.h"

namespace quillo {
namespace {

std::vector<std::wstring> ReadAutoSaveList() {
  std::wstring exe = ExePath();
  std::wstring path = exe.substr(0, exe.size() - ExtensionOf(exe).size()) + L".ext";
  std::vector<std::wstring> list;
  // A missing list is an empty one: closing must never be blocked by it.
  if (!FileExists(path)) return list;
  std::string bytes = ReadFileBytes(path);
  size_t pos = 0;
  while (pos <= bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = bytes.size();
    if (end > pos) list.push_back(WideFromWin1251(bytes.substr(pos, end - pos)));
    pos = end + 1;
  }
  return list;
}

bool SameTextIgnoreCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                        b.c_str(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace

std::wstring MainForm::TitleFor(const std::wstring& path) const {
  int type = settings_.ReadInteger("Options", "TitleType", 1);
  return Wide(quillo::TitleFor(Utf8(path), type));
}

void MainForm::SetFileName(const std::wstring& path) {
  currentFileName_ = LongFileName(path);
  SetWindowTextW(hwnd_, TitleFor(currentFileName_).c_str());
}

void MainForm::SetDialogFolder(const std::wstring& folder) {
  dialogFolder_ = folder;
  values_.dlg_path = Utf8ToWin1251(Utf8(folder));
  settings_.WriteString("Options", "dlgPath", values_.dlg_path);
}

void MainForm::NewDocument() {
  editor_.SetText("");
  SetFileName(L"");
  editor_.SetModified(false);
  for (auto& mark : positionMarks_) mark = {-1, -1};
  editor_.SetCodePage(values_.def_coding == cpNone ? cpWIN : values_.def_coding);
}

bool MainForm::CloseDocument() {
  if (editor_.Modified()) {
    bool autoSave = false;
    if (values_.auto_save && !currentFileName_.empty()) {
      std::wstring ext = ExtensionOf(currentFileName_);
      if (!ext.empty()) ext.erase(0, 1);
      for (const auto& item : ReadAutoSaveList())
        if (SameTextIgnoreCase(item, ext)) autoSave = true;
    }
    int answer = IDYES;
    if (!autoSave) {
      std::string text = FormatMessageText("Сохранить изменения в документе %s?",
                                           Utf8(FileNameOf(currentFileName_)));
      answer = ShowMessage(hwnd_, text, kCaptionWarning, MB_YESNOCANCEL | MB_ICONQUESTION);
    }
    if (answer == IDCANCEL) return false;
    if (answer == IDYES) {
      FileSave();
      // "Yes" and then a cancelled save dialog: the text must not be lost.
      if (editor_.Modified()) return false;
    }
  }
  if (!currentFileName_.empty()) {
    SHAddToRecentDocs(SHARD_PATHW, currentFileName_.c_str());
    SetDialogFolder(FolderOf(currentFileName_));
  }
  NewDocument();
  ReleaseFileLock();
  lastChangePos_ = -1;
  return true;
}

void MainForm::OpenFile(const std::wstring& path) {
  SendMessageW(editor_.Handle(), WM_SETREDRAW, FALSE, 0);
  struct RedrawOn {
    HWND h;
    ~RedrawOn() {
      SendMessageW(h, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(h, nullptr, TRUE);
    }
  } redraw{editor_.Handle()};

  // The bytes are read, their code page decided and the text converted in
  // memory, so that the text enters the control only once.
  std::wstring ext = ExtensionOf(path);
  CharUpperBuffW(ext.data(), static_cast<DWORD>(ext.size()));
  std::string text = ext == L".RTF" ? ReadFileBytes(path) : MyRichEdit::ReadTextFile(path);
  TCodePage page = values_.cod_auto_opt ? DetectCodePage(text, kDetectLimit, values_.def_coding) : values_.def_coding;
  if (page == cpNone) page = cpWIN;
  ConvertToWinInPlace(text, page);
  // The control would end the text at the first NUL.
  bool hadNulBytes = ReplaceNulBytes(text) > 0;

  editor_.SetText(text);
  editor_.SetSelection(0, 0);
  editor_.SetModified(false);
  editor_.SetCodePage(page);
  SetFileName(path);
  SetDialogFolder(FolderOf(currentFileName_));

  if (editor_.LineCount() > 0 && editor_.LineText(0) == ".LOG") {
    wchar_t date[128] = {}, time[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 128);
    std::string stamp = Win1251FromWide(std::wstring(date) + L" " + time);
    int line2 = static_cast<int>(SendMessageW(editor_.Handle(), EM_LINEINDEX, 1, 0));
    if (line2 < 0) {
      editor_.SetSelection(-1, -1);
      editor_.SetSelText("\r\n" + stamp + "\r\n");
    } else {
      editor_.SetSelection(line2, line2);
      editor_.SetSelText(stamp + "\r\n\r\n");
    }
    editor_.SetSelection(0, 0);
    editor_.SetModified(true);
  }

  TakeFileLock(currentFileName_);
  lastChangePos_ = -1;
  // Plug-ins are told of the open here, with `path`.
  if (hadNulBytes)
    ShowMessage(hwnd_, NulBytesWarning(Utf8(FileNameOf(currentFileName_))), kCaptionWarning,
                MB_OK | MB_ICONWARNING);
}

std::wstring MainForm::SaveFile(const std::wstring& requested) {
  // A new name that begins with a dot loses it; a file of that name that
  // already exists (a document opened from it) is written in its place.
  std::wstring path = FileExists(requested) ? requested : Wide(WithoutLeadingDot(Utf8(requested)));
  TCodePage page = editor_.CodePage();
  if (!values_.save_set_coding) page = values_.save_coding == cpNone ? cpWIN : values_.save_coding;
  std::string bytes = editor_.GetText();
  ConvertFromWinInPlace(bytes, page);
  // A failed write throws before anything of the document changes.
  WriteFileAtomically(path, bytes);
  editor_.SetCodePage(page);
  editor_.SetModified(false);
  // Plug-ins are told of the save here, with CurrentFileName.
  return path;
}

void MainForm::FileSave() {
  if (currentFileName_.empty()) {
    FileSaveAs();
    return;
  }
  SaveFile(currentFileName_);
}

bool MainForm::FileSaveAs() {
  std::wstring def = Wide(Win1251ToUtf8(values_.def_file_name));
  if (def.empty()) def = L"noname.txt";
  std::wstring base = dialogFolder_.empty() ? std::wstring() : dialogFolder_ + L"\\";
  auto taken = [&base](const std::string& name) { return FileExists(base + Wide(name)); };
  std::wstring proposal = Wide(FreeFileName(Utf8(def), taken));
  std::wstring chosen = AskFileToSave(hwnd_, dialogFolder_, proposal, OverwriteQuestion::kAsk);
  if (chosen.empty()) return false;
  std::wstring written = SaveFile(Wide(WithDefaultExtension(Utf8(chosen))));
  SetFileName(written);
  savedAs_ = true;
  return true;
}

}  // namespace quillo

// The commands of the "Файл" menu.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/platform/file_dialogs.h"
#include "app/platform/file_identity.h"
#include "app/platform/file_io.h"
#include "app/window/main_form.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "core/nul_bytes.h"

namespace quillo {
namespace {

constexpr wchar_t kPlainProposal[] = L"noname.txt";

// Text taken from the control's selection has one CR per line break; files
// get CR LF.
std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) out.push_back('\n');
  }
  return out;
}

BOOL CALLBACK PostSaveToProgramWindow(HWND hwnd, LPARAM) {
  wchar_t caption[512] = {};
  GetWindowTextW(hwnd, caption, 512);
  if (wcsstr(caption, L"Quillo")) PostMessageW(hwnd, WM_QUILLO_SAVE, 0, 0);
  return TRUE;
}

void OpenInNewProcess(HWND owner, const std::wstring& path) {
  std::wstring param = L"\"" + path + L"\"";
  ShellExecuteW(owner, L"open", ExePath().c_str(), param.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace

void MainForm::BindFileActions() {
  auto& a = actions_;
  auto hasName = [this] { return ActionState::Enabled(!currentFileName_.empty()); };
  auto hasSelection = [this] { return ActionState::Enabled(editor_.SelLength() > 0); };
  a.Bind(ActionId::FileNew, [this] { FileNew(); });
  a.Bind(ActionId::FileOpen, [this] { FileOpen(); });
  // Nothing to save greys the menu items and the button out; the save
  // message of "Сохранить все" still saves.
  a.Bind(ActionId::FileSave, [this] { FileSave(); },
         [this] { return ActionState::ShownEnabled(SaveMenuItemsEnabled()); });
  a.Bind(ActionId::FileSaveAs, [this] { FileSaveAs(); });
  a.Bind(ActionId::FileSaveInWinCod, [this] { FileSaveInCodePage(cpWIN); });
  a.Bind(ActionId::FileSaveInDosCod, [this] { FileSaveInCodePage(cpDOS); });
  a.Bind(ActionId::FileSaveInKoiCod, [this] { FileSaveInCodePage(cpKOI); });
  a.Bind(ActionId::FileSaveUnderNewName, [this] { FileSaveUnderNewName(); }, hasName);
  a.Bind(ActionId::FileUpdate, [this] { FileUpdate(); }, hasName);
  a.Bind(ActionId::FileInsertFrom, [this] { FileInsertFrom(); });
  a.Bind(ActionId::FileSaveSelText, [this] { FileSaveSelText(); }, hasSelection);
  a.Bind(ActionId::FileAddTo, [this] { FileAddTo(); });
  a.Bind(ActionId::FileSaveAll, [this] { FileSaveAll(); });
  a.Bind(ActionId::FileDelete, [this] { FileDelete(); }, hasName);
}

bool MainForm::SaveMenuItemsEnabled() const {
  // The read-only view, once it exists, also disables them.
  return currentFileName_.empty() || editor_.Modified();
}

void MainForm::FileNew() {
  if (CloseDocument()) NewDocument();
  UpdateStatusBar();
}

void MainForm::FileOpen() {
  std::vector<std::wstring> files = AskFilesToOpen(hwnd_, dialogFolder_, true);
  if (files.empty()) return;
  if (CloseDocument()) OpenFile(files.front());
  // Further files go to windows of their own, even when this one kept its document.
  for (size_t i = 1; i < files.size(); ++i) OpenInNewProcess(hwnd_, files[i]);
  UpdateStatusBar();
}

void MainForm::FileSaveInCodePage(TCodePage page) {
  struct Restore {
    MainForm& form;
    bool saveSetCoding;
    TCodePage page;
    ~Restore() {
      form.values_.save_set_coding = saveSetCoding;
      // A cancelled or failed save leaves the document's code page as it was.
      if (!form.savedAs_) form.editor_.SetCodePage(page);
    }
  } restore{*this, values_.save_set_coding, editor_.CodePage()};
  values_.save_set_coding = true;
  editor_.SetCodePage(page);
  savedAs_ = false;
  FileSaveAs();
}

void MainForm::FileSaveUnderNewName() {
  std::wstring chosen = AskFileToSave(hwnd_, dialogFolder_, kPlainProposal, OverwriteQuestion::kAsk);
  if (chosen.empty()) return;
  std::wstring old = currentFileName_;
  std::wstring written = SaveFile(chosen);
  SetFileName(written);
  savedAs_ = true;
  // Only a file that really is another one goes: C:\A.TXT and c:\a.txt are
  // the file just written.
  if (!old.empty() && FileExists(old) && !IsSameFile(old, written)) {
    SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(old.c_str());
  }
  UpdateStatusBar();
}

void MainForm::FileUpdate() {
  int caret = editor_.SelStart();
  if (editor_.Modified() &&
      ShowMessage(hwnd_, "Перечитать файл, не сохранив изменений?", kCaptionQuestion,
                  MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
    return;
  OpenFile(currentFileName_);
  editor_.SetSelStart(caret);
  SendMessageW(editor_.Handle(), EM_SCROLLCARET, 0, 0);
  UpdateStatusBar();
}

void MainForm::FileInsertFrom() {
  std::vector<std::wstring> files = AskFilesToOpen(hwnd_, dialogFolder_, false);
  if (files.empty()) return;
  int caret = editor_.SelStart();
  std::string text = MyRichEdit::ReadTextFile(files.front());
  // The control would end the inserted text at the first NUL.
  ReplaceNulBytes(text);
  editor_.BeginRussianLayout();
  editor_.SetSelText(text);
  editor_.EndRussianLayout();
  editor_.SetSelStart(caret);
  UpdateStatusBar();
}

void MainForm::FileSaveSelText() {
  std::wstring path = AskFileToSave(hwnd_, dialogFolder_, kPlainProposal, OverwriteQuestion::kAsk);
  if (path.empty()) return;
  DWORD attributes = GetFileAttributesW(path.c_str());
  editor_.BeginRussianLayout();
  std::string text = WithCrLf(editor_.SelText());
  editor_.EndRussianLayout();
  WriteFileAtomically(path, text);
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(path.c_str(), attributes);
}

void MainForm::FileAddTo() {
  std::wstring path = AskFileToSave(hwnd_, dialogFolder_, L"", OverwriteQuestion::kNone);
  if (path.empty()) return;
  AppendToFile(path, "\r\n" + editor_.GetText());
}

void MainForm::FileSaveAll() { EnumWindows(PostSaveToProgramWindow, 0); }

void MainForm::FileDelete() {
  // The list of paths ends with an empty one.
  std::wstring from = currentFileName_ + L'\0';
  SHFILEOPSTRUCTW op{};
  op.hwnd = hwnd_;
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_ALLOWUNDO;
  if (SHFileOperationW(&op) != 0 || op.fAnyOperationsAborted) return;
  editor_.SetModified(false);
  FileNew();
}

}  // namespace quillo

#include "app/document/file_commands.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/interop.h"
#include "app/platform/file_dialogs.h"
#include "app/platform/file_identity.h"
#include "app/platform/file_io.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "app/platform/window_broadcast.h"
#include "app/window/status_view.h"
#include "core/file_bytes.h"
#include "core/nul_bytes.h"

namespace quillo {
namespace {

constexpr wchar_t kPlainProposal[] = L"noname.txt";

void OpenInNewProcess(HWND owner, const std::wstring& path) {
  std::wstring param = L"\"" + path + L"\"";
  ShellExecuteW(owner, L"open", ExePath().c_str(), param.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace

void FileCommands::Bind(ActionRegistry& a) {
  Document& doc = ctx_.document;
  a.Bind(ActionId::FileNew, [this] { New(); });
  a.Bind(ActionId::FileOpen, [this] { Open(); });
  // Nothing to save greys the menu items and the button out; the save
  // message of "Сохранить все" still saves.
  a.Bind(ActionId::FileSave, [&doc] { doc.Save(); });
  a.Bind(ActionId::FileSaveAs, [&doc] { doc.SaveAs(); });
  a.Bind(ActionId::FileSaveInWinCod, [this] { SaveInCodePage(cpWIN); });
  a.Bind(ActionId::FileSaveInDosCod, [this] { SaveInCodePage(cpDOS); });
  a.Bind(ActionId::FileSaveInKoiCod, [this] { SaveInCodePage(cpKOI); });
  a.Bind(ActionId::FileSaveInUtf8, [&doc] { doc.SaveAs(FileForm{TextEncoding::Utf8, cpWIN}); });
  a.Bind(ActionId::FileSaveInUtf8Bom, [&doc] { doc.SaveAs(FileForm{TextEncoding::Utf8Bom, cpWIN}); });
  a.Bind(ActionId::FileSaveUnderNewName, [this] { SaveUnderNewName(); });
  a.Bind(ActionId::FileUpdate, [this] { Reload(); });
  a.Bind(ActionId::FileInsertFrom, [this] { InsertFrom(); });
  a.Bind(ActionId::FileSaveSelText, [this] { SaveSelection(); });
  a.Bind(ActionId::FileAddTo, [this] { AppendTo(); });
  a.Bind(ActionId::FileSaveAll, [this] { SaveAll(); });
  a.Bind(ActionId::FileDelete, [this] { Delete(); });
}

void FileCommands::New() {
  if (ctx_.document.Close()) ctx_.document.New();
  ctx_.status.Update();
}

void FileCommands::Open() {
  std::vector<std::wstring> files = AskFilesToOpen(ctx_.window, ctx_.document.DialogFolder(), true);
  if (files.empty()) return;
  if (ctx_.document.Close()) ctx_.document.Open(files.front());
  // Further files go to windows of their own, even when this one kept its document.
  for (size_t i = 1; i < files.size(); ++i) OpenInNewProcess(ctx_.window, files[i]);
  ctx_.status.Update();
}

void FileCommands::SaveInCodePage(TCodePage page) { ctx_.document.SaveAs(FileForm{TextEncoding::Ansi, page}); }

void FileCommands::SaveUnderNewName() {
  Document& doc = ctx_.document;
  std::wstring path = AskFileToSave(ctx_.window, doc.DialogFolder(), kPlainProposal, OverwriteQuestion::kAsk,
                                    [](const std::wstring& chosen) { return Document::NameToWrite(chosen, false); });
  if (path.empty()) return;
  std::wstring old = doc.FileName();
  if (!doc.Write(path)) return;
  doc.SetFileName(path);
  ctx_.status.Update();
  // Only a file that really is another one goes: C:\A.TXT and c:\a.txt are
  // the file just written.
  if (old.empty() || !FileExists(old) || IsSameFile(old, path)) return;
  DWORD attributes = GetFileAttributesW(old.c_str());
  SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileW(old.c_str())) return;
  DWORD code = GetLastError();
  SetFileAttributesW(old.c_str(), attributes);
  std::string text = FormatMessageText("Документ сохранён в файл \"%s\", но прежний файл ", Utf8(path)) +
                     FormatMessageText("\"%s\" удалить не удалось.\n", Utf8(old)) + SystemErrorText(code);
  ctx_.Ask(text, kCaptionWarning, MB_OK | MB_ICONWARNING);
}

void FileCommands::Reload() {
  MyRichEdit& editor = ctx_.editor;
  int caret = editor.SelStart();
  if (editor.Modified() &&
      ctx_.Ask("Перечитать файл, не сохранив изменений?", kCaptionQuestion, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
    return;
  ctx_.document.Open(ctx_.document.FileName());
  editor.SetSelStart(caret);
  editor.ScrollCaret();
  ctx_.status.Update();
}

void FileCommands::InsertFrom() {
  std::vector<std::wstring> files = AskFilesToOpen(ctx_.window, ctx_.document.DialogFolder(), false);
  if (files.empty()) return;
  MyRichEdit& editor = ctx_.editor;
  int caret = editor.SelStart();
  // A Unicode file's characters; an 8-bit file's bytes in the document's code page.
  DecodeOptions options;
  options.detect_code_page = false;
  options.code_page = editor.CodePage();
  DecodedFile file = DecodeFileBytes(ReadFileBytes(files.front()), options);
  // The control would end the inserted text at the first NUL.
  size_t nulCount = file.nul_count;
  editor.BeginRussianLayout();
  editor.SetSelTextWide(file.text);
  editor.EndRussianLayout();
  editor.SetSelStart(caret);
  ctx_.status.Update();
  if (nulCount > 0)
    ctx_.Ask(NulBytesWarning(Utf8(FileNameOf(files.front()))), kCaptionWarning, MB_OK | MB_ICONWARNING);
}

void FileCommands::SaveSelection() {
  std::wstring path = AskFileToSave(ctx_.window, ctx_.document.DialogFolder(), kPlainProposal, OverwriteQuestion::kAsk);
  if (path.empty()) return;
  DWORD attributes = GetFileAttributesW(path.c_str());
  ctx_.editor.BeginRussianLayout();
  const FileForm form = ctx_.document.Form();
  std::string text = EncodeFileText(ctx_.editor.SelTextWide(), form.encoding, form.page);
  ctx_.editor.EndRussianLayout();
  WriteFileAtomically(path, text);
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(path.c_str(), attributes);
}

void FileCommands::AppendTo() {
  std::wstring path = AskFileToSave(ctx_.window, ctx_.document.DialogFolder(), L"", OverwriteQuestion::kNone);
  if (path.empty()) return;
  // No byte-order mark in the middle of a file.
  FileForm form = ctx_.document.Form();
  if (form.encoding == TextEncoding::Utf8Bom) form.encoding = TextEncoding::Utf8;
  std::string bytes = EncodeFileText(u"\r" + ctx_.editor.ControlTextWide(), form.encoding, form.page);
  if (form.encoding == TextEncoding::Utf16LE || form.encoding == TextEncoding::Utf16BE) bytes.erase(0, 2);
  AppendToFile(path, bytes);
}

void FileCommands::SaveAll() { BroadcastToWindows({kBroadcastCaption, WM_QUILLO_SAVE}); }

void FileCommands::Delete() {
  // The list of paths ends with an empty one.
  std::wstring from = ctx_.document.FileName() + L'\0';
  SHFILEOPSTRUCTW op{};
  op.hwnd = ctx_.window;
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_ALLOWUNDO;
  if (SHFileOperationW(&op) != 0 || op.fAnyOperationsAborted) return;
  ctx_.editor.SetModified(false);
  New();
}

}  // namespace quillo

#include "app/document/document.h"

#include <shlobj.h>

#include <vector>

#include "app/editor/rich_edit.h"
#include "app/interop.h"
#include "app/platform/file_dialogs.h"
#include "app/platform/file_io.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "app/settings/settings_store.h"
#include "core/command_line.h"
#include "core/file_bytes.h"
#include "core/file_names.h"
#include "core/nul_bytes.h"
#include "core/title.h"

namespace quillo {
namespace {

// "<exe>.ext": one extension per line; documents of these types are saved at
// closing without a question.
std::vector<std::wstring> ReadAutoSaveList() {
  std::wstring exe = ExePath();
  std::wstring path = exe.substr(0, exe.size() - ExtensionOf(exe).size()) + kAutoSaveListExtension;
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

bool Document::Modified() const { return editor_.Modified(); }
TCodePage Document::CodePage() const { return editor_.CodePage(); }

void Document::Announce(DocumentEvent event, const std::wstring& path) {
  for (const auto& observer : observers_) observer(event, path);
}

std::wstring Document::TitleFor(const std::wstring& path) const {
  return Wide(quillo::TitleFor(Utf8(path), settings_.Values().title_type));
}

void Document::SetFileName(const std::wstring& path) {
  fileName_ = LongFileName(path);
  if (window_) SetWindowTextW(window_, TitleFor(fileName_).c_str());
}

void Document::SetDialogFolder(const std::wstring& folder) {
  dialogFolder_ = folder;
  settings_.Set(&SettingValues::dlg_path, Utf8ToWin1251(Utf8(folder)));
}

void Document::New() {
  editor_.SetText("");
  SetFileName(L"");
  editor_.SetModified(false);
  const SettingValues& values = settings_.Values();
  editor_.SetCodePage(values.def_utf8 || values.def_coding == cpNone ? cpWIN : values.def_coding);
  encoding_ = values.def_utf8 ? TextEncoding::Utf8 : TextEncoding::Ansi;
  breaks_ = LineBreak::CrLf;
  Announce(DocumentEvent::kCreated, fileName_);
}

bool Document::AutoSaves() const {
  if (!settings_.Values().auto_save || fileName_.empty()) return false;
  std::wstring ext = ExtensionOf(fileName_);
  if (!ext.empty()) ext.erase(0, 1);
  for (const auto& item : ReadAutoSaveList())
    if (SameTextIgnoreCase(item, ext)) return true;
  return false;
}

bool Document::AskToSaveChanges() {
  if (!editor_.Modified()) return true;
  int answer = IDYES;
  if (!AutoSaves()) {
    std::string text = FormatMessageText("Сохранить изменения в документе %s?", Utf8(FileNameOf(fileName_)));
    answer = ShowMessage(window_, text, kCaptionWarning, MB_YESNOCANCEL | MB_ICONQUESTION);
  }
  if (answer == IDCANCEL) return false;
  // "Yes" and then a cancelled save dialog: the text must not be lost.
  return answer == IDNO || Save();
}

bool Document::Close() {
  if (!AskToSaveChanges()) return false;
  std::wstring closed = fileName_;
  if (!closed.empty()) {
    SHAddToRecentDocs(SHARD_PATHW, closed.c_str());
    SetDialogFolder(FolderOf(closed));
  }
  Announce(DocumentEvent::kClosed, closed);
  New();
  ReleaseLock();
  lastChangePos_ = -1;
  return true;
}

void Document::Open(const std::wstring& path) {
  RedrawFreeze freeze(editor_.Control());

  // The bytes are read, their code page decided and the text converted in
  // memory, so that the text enters the control only once.
  std::wstring ext = ExtensionOf(path);
  CharUpperBuffW(ext.data(), static_cast<DWORD>(ext.size()));
  const SettingValues& values = settings_.Values();
  DecodeOptions options;
  options.detect_code_page = values.cod_auto_opt;
  options.code_page = values.def_coding;
  // ".RTF" files would go through the control's own loading; in plain-text
  // mode that shows their bytes as text, which is what the raw load does too.
  options.raw_bytes = ext == L".RTF";
  const std::string bytes = ReadFileBytes(path);
  DecodedFile file = DecodeFileBytes(bytes, options);
  // Plain ASCII is UTF-8 as well: with UTF-8 the default for new files, what
  // is typed into such a file is kept in UTF-8 too.
  if (values.def_utf8 && file.encoding == TextEncoding::Ansi && !options.raw_bytes) {
    const Utf8Check check = CheckUtf8(bytes);
    if (check.error_offset == bytes.size() && !check.multi_byte) {
      file.encoding = TextEncoding::Utf8;
      file.code_page = cpWIN;
    }
  }

  editor_.SetCodePage(file.code_page);
  editor_.LoadControlText(file.text);
  editor_.SetSelection(0, 0);
  editor_.SetModified(false);
  encoding_ = file.encoding;
  // Mixed breaks are written as CR LF.
  breaks_ = file.breaks;
  SetFileName(path);
  SetDialogFolder(FolderOf(fileName_));
  // Asked of the file's text: the editor may not hold all of it yet.
  const std::u16string_view first = std::u16string_view(file.text).substr(0, 5);
  StampLogFile(first == u".LOG" || first == u".LOG\r");

  TakeLock(fileName_);
  lastChangePos_ = -1;
  freeze.End();
  Announce(DocumentEvent::kOpened, path);
  if (file.nul_count > 0)
    ShowMessage(window_, NulBytesWarning(Utf8(FileNameOf(fileName_))), kCaptionWarning,
                MB_OK | MB_ICONWARNING);
}

// A file whose first line is ".LOG" gets the date and time on a line of
// its own at every opening.
void Document::StampLogFile(bool firstLineIsLog) {
  if (!firstLineIsLog) return;
  wchar_t date[128] = {}, time[128] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 128);
  std::string stamp = Win1251FromWide(std::wstring(date) + L" " + time);
  int line2 = editor_.RowStart(1);
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

bool Document::Write(const std::wstring& path, std::optional<FileForm> forced) {
  const SettingValues& values = settings_.Values();
  FileForm form = Form();
  if (forced)
    form = *forced;
  else if (!values.save_set_coding)
    form = {TextEncoding::Ansi, values.save_coding == cpNone ? cpWIN : values.save_coding};
  const std::u16string text = editor_.ControlTextWide();
  EncodeReport report;
  std::string bytes = EncodeFileText(text, form.encoding, form.page, breaks_, &report);
  if (report.count > 0) {
    const bool ansi = form.encoding == TextEncoding::Ansi;
    // An 8-bit code page that lacks characters: UTF-8 keeps every one.
    const int answer = ShowMessage(window_, SubstitutesWarning(report, form.encoding, form.page), kCaptionWarning,
                                   (ansi ? MB_YESNOCANCEL : MB_OKCANCEL) | MB_ICONWARNING);
    if (answer == IDCANCEL) return false;
    if (answer == IDYES) {
      form = {TextEncoding::Utf8, cpWIN};
      bytes = EncodeFileText(text, form.encoding, form.page, breaks_);
    }
  }
  // A failed write throws before anything of the document changes.
  WriteFileAtomically(path, bytes);
  if (form.page != editor_.CodePage()) {
    // The characters stay; the view of the new code page shows them.
    const int first = editor_.FirstVisibleLine();
    const CaretPos caret = editor_.GetCaretPos();
    RedrawFreeze freeze(editor_.Control());
    editor_.SetCodePage(form.page);
    DecodeOptions written;
    written.detect_code_page = false;
    written.code_page = form.page;
    written.raw_bytes = form.encoding == TextEncoding::Ansi;
    editor_.SetControlText(DecodeFileBytes(bytes, written).text);
    editor_.SetCaretPos(caret);
    editor_.ScrollLines(first - editor_.FirstVisibleLine());
  }
  encoding_ = form.encoding;
  editor_.SetModified(false);
  Announce(DocumentEvent::kSaved, path);
  return true;
}

std::wstring Document::NameToWrite(const std::wstring& chosen, bool defaultExtension) {
  auto exists = [](const std::string& name) { return FileExists(Wide(name)); };
  return Wide(quillo::NameToWrite(Utf8(chosen), defaultExtension, exists));
}

bool Document::Save() {
  if (fileName_.empty()) return SaveAs();
  // Its own name, as the title shows it: ".env" stays ".env" even when the
  // file was deleted meanwhile.
  return Write(fileName_);
}

bool Document::SaveAs(std::optional<FileForm> form) {
  std::wstring def = Wide(Win1251ToUtf8(settings_.Values().def_file_name));
  if (def.empty()) def = L"noname.txt";
  std::wstring base = dialogFolder_.empty() ? std::wstring() : dialogFolder_ + L"\\";
  auto taken = [&base](const std::string& name) { return FileExists(base + Wide(name)); };
  std::wstring proposal = Wide(FreeFileName(Utf8(def), taken));
  std::wstring path = AskFileToSave(window_, dialogFolder_, proposal, OverwriteQuestion::kAsk,
                                    [](const std::wstring& chosen) { return NameToWrite(chosen, true); });
  if (path.empty()) return false;
  if (!Write(path, form)) return false;
  SetFileName(path);
  return true;
}

bool Document::TakeLock(const std::wstring& path) {
  std::wstring name = FromU16(FileLockName(U16(path)));
  SetLastError(0);
  HANDLE h = CreateMutexW(nullptr, TRUE, name.c_str());
  bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  lock_.Reset(h);
  return !existed;
}

}  // namespace quillo

#pragma once
// The document of one window: its file name, encoding (an 8-bit code page,
// UTF-8 or UTF-16) with its form of line break, and modified state,
// the lock that tells other instances the file is open here, and opening,
// saving and closing with their results. Opening, saving and closing are
// announced from here, in one place.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/platform/win_handles.h"
#include "core/codepage.h"
#include "core/file_bytes.h"

namespace quillo {

class MyRichEdit;
class SettingsStore;

enum class DocumentEvent {
  kCreated,  // a new, empty document was set up
  kOpened,
  kSaved,
  kClosed,
};

// The bytes a document is written in: an 8-bit code page, or UTF-8 or
// UTF-16 (then the page is the view, cpWIN).
struct FileForm {
  TextEncoding encoding = TextEncoding::Ansi;
  TCodePage page = cpWIN;
  bool operator==(const FileForm&) const = default;
};

class Document {
 public:
  using Observer = std::function<void(DocumentEvent, const std::wstring& path)>;

  Document(MyRichEdit& editor, SettingsStore& settings) : editor_(editor), settings_(settings) {}
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // The window whose caption shows the title and that owns the questions.
  void SetWindow(HWND window) { window_ = window; }
  void Subscribe(Observer observer) { observers_.push_back(std::move(observer)); }

  const std::wstring& FileName() const { return fileName_; }
  bool Modified() const;
  // The code page of an 8-bit document, cpWIN (its view) for a Unicode one.
  TCodePage CodePage() const;
  TextEncoding Encoding() const { return encoding_; }
  FileForm Form() const { return {encoding_, CodePage()}; }
  // The document is now taken as being in `form` (the code-page commands).
  void SetEncoding(TextEncoding encoding) { encoding_ = encoding; }

  // Where the last change was made; -1 when there is none to go back to.
  int LastChangePos() const { return lastChangePos_; }
  void SetLastChangePos(int pos) { lastChangePos_ = pos; }

  // The folder the file dialogs open in.
  const std::wstring& DialogFolder() const { return dialogFolder_; }
  void SetDialogFolder(const std::wstring& folder);

  // An empty document without a name.
  void New();
  // The question about unsaved changes (none without changes; Yes without a
  // question for the auto-save types): true when the document may go, its
  // changes saved or given up; false when the user cancelled or nothing was
  // saved. Throws FileError when the save fails.
  bool AskToSaveChanges();
  // Asks to save unsaved changes and closes the document; false when it stays.
  bool Close();
  // Reads the file, decides its code page and shows it. Throws FileError.
  void Open(const std::wstring& path);
  // Writes the text to exactly that path, in `form` when given, else in the
  // document's own or the one the settings decide. Characters the form
  // cannot hold are counted first and the user may save in UTF-8 instead,
  // write '?' for them, or cancel (false: nothing written). Throws
  // FileError; nothing of the document changes then.
  bool Write(const std::wstring& path, std::optional<FileForm> form = std::nullopt);
  // The path a name chosen in a save dialog is written under: a new name
  // loses a leading dot; "Сохранить как…" adds ".txt" to a name without an
  // extension first.
  static std::wstring NameToWrite(const std::wstring& chosen, bool defaultExtension);
  // "Сохранить": under its own name, or through "Сохранить как…" without one.
  // False when nothing was saved.
  bool Save();
  // "Сохранить как…"; with a form, the file is written in it. False
  // when the dialog was cancelled.
  bool SaveAs(std::optional<FileForm> form = std::nullopt);

  void SetFileName(const std::wstring& path);
  std::wstring TitleFor(const std::wstring& path) const;

  // The per-file lock. Take gives false when another process holds it.
  bool TakeLock(const std::wstring& path);
  void ReleaseLock() { lock_.Reset(); }

 private:
  void Announce(DocumentEvent event, const std::wstring& path);
  bool AutoSaves() const;
  void StampLogFile(bool firstLineIsLog);

  MyRichEdit& editor_;
  SettingsStore& settings_;
  HWND window_ = nullptr;
  std::vector<Observer> observers_;
  std::wstring fileName_;
  std::wstring dialogFolder_;
  int lastChangePos_ = -1;
  TextEncoding encoding_ = TextEncoding::Ansi;
  LineBreak breaks_ = LineBreak::CrLf;
  KernelHandle lock_;
};

}  // namespace quillo

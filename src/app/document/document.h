#pragma once
// The document of one window: its file name, code page and modified state,
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

namespace quillo {

class MyRichEdit;
class SettingsStore;

enum class DocumentEvent {
  kCreated,  // a new, empty document was set up
  kOpened,
  kSaved,
  kClosed,
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
  TCodePage CodePage() const;

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
  // Writes the text to exactly that path, in `page` when given, else in the
  // code page the settings decide. Throws FileError; nothing of the document
  // changes then.
  void Write(const std::wstring& path, std::optional<TCodePage> page = std::nullopt);
  // The path a name chosen in a save dialog is written under: a new name
  // loses a leading dot; "Сохранить как…" adds ".txt" to a name without an
  // extension first.
  static std::wstring NameToWrite(const std::wstring& chosen, bool defaultExtension);
  // "Сохранить": under its own name, or through "Сохранить как…" without one.
  // False when nothing was saved.
  bool Save();
  // "Сохранить как…"; with a code page, the file is written in it. False
  // when the dialog was cancelled.
  bool SaveAs(std::optional<TCodePage> page = std::nullopt);

  void SetFileName(const std::wstring& path);
  std::wstring TitleFor(const std::wstring& path) const;

  // The per-file lock. Take gives false when another process holds it.
  bool TakeLock(const std::wstring& path);
  void ReleaseLock() { lock_.Reset(); }

 private:
  void Announce(DocumentEvent event, const std::wstring& path);
  bool AutoSaves() const;
  void StampLogFile();

  MyRichEdit& editor_;
  SettingsStore& settings_;
  HWND window_ = nullptr;
  std::vector<Observer> observers_;
  std::wstring fileName_;
  std::wstring dialogFolder_;
  int lastChangePos_ = -1;
  KernelHandle lock_;
};

}  // namespace quillo

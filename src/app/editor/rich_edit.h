#pragma once
// The document's editor: a rich-edit control in plain-text mode. Every other
// part of the program reads and changes the document through this class.
//
// The control is the Unicode one; the document is Windows-1251 bytes and is
// converted with the program's own table at this boundary, so Cyrillic shows
// correctly whatever the system's ANSI code page, and a character index is
// still one per byte.
#include <windows.h>
#include <richedit.h>

#include <array>
#include <string>
#include <string_view>

#include "app/platform/win_handles.h"
#include "core/codepage.h"

// commdlg.h maps FindText to its own function; the editor's operation keeps the name.
#ifdef FindText
#undef FindText
#endif

namespace quillo {

struct CaretPos {
  int column = 0;
  int line = 0;
  bool operator==(const CaretPos&) const = default;
};

// Modifier byte: 1 = Shift, 2 = Ctrl, 4 = Alt.
enum : unsigned { kShift = 1, kCtrl = 2, kAlt = 4 };
unsigned CurrentModifiers();

struct FindOptions {
  bool wholeWord = false;
  bool matchCase = false;
  bool backward = false;
  bool selectFound = false;
};

// What the editor tells its owner (the main window); every event may be
// left alone.
class EditorEvents {
 public:
  virtual ~EditorEvents() = default;
  virtual void OnEditorChange() {}
  virtual void OnEditorKeyDown(WPARAM /*key*/, unsigned /*modifiers*/) {}  // after the key rules
  virtual void OnEditorKeyUp() {}
  virtual void OnEditorMouseDown() {}
  virtual void OnEditorWheel(bool /*up*/, unsigned /*modifiers*/) {}
  virtual void OnEditorScroll() {}
  virtual void OnEditorLangChange(HKL /*layout*/) {}
  virtual void OnEditorUrlClick(const std::string& /*link*/, bool /*leftButton*/) {}
  virtual void OnEditorPaste() {}                     // Insert pastes when the setting says so
  virtual bool PasteOnInsert() const { return false; }
  virtual void OnEditorPositionMark(int /*digit*/, bool /*store*/) {}
  virtual void OnEditorLayoutRestored() {}            // the layout panel needs a refresh
};

class MyRichEdit {
 public:
  MyRichEdit() = default;
  MyRichEdit(const MyRichEdit&) = delete;
  MyRichEdit& operator=(const MyRichEdit&) = delete;
  ~MyRichEdit();

  // Creates the control as a child of parent and applies the fixed set-up.
  bool Create(HWND parent, EditorEvents* events);
  HWND Handle() const { return hwnd_; }

  // Whole text with CR LF line breaks, as the file is written.
  std::string GetText() const;
  // Replaces the whole text; the undo history starts afresh.
  void SetText(std::string_view text);
  // Replaces the whole text as one undoable edit and keeps the caret's line and column.
  void ReplaceAllText(std::string_view text);

  int SelStart() const;
  void SetSelStart(int pos);
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  void SetSelText(std::string_view text);
  void SelectAll();
  void SetSelection(int start, int end);

  CaretPos GetCaretPos() const;
  void SetCaretPos(CaretPos pos);
  int LineCount() const;
  std::string LineText(int line) const;
  void ScrollText(int code);

  bool Modified() const;
  void SetModified(bool modified);

  void Undo();
  bool CanUndo() const;
  void Redo();
  bool CanRedo() const;
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();
  void ClearSelection();

  void SetReadOnly(bool readOnly);
  void SetWordWrap(bool wrap);
  bool WordWrap() const { return wordWrap_; }
  void SetColor(COLORREF color);
  void SetFont(const std::wstring& name, int pointSize, bool bold, bool italic, bool underline,
               bool strikeout, COLORREF color, BYTE charset);
  void SetAutoURLDetect(bool on);
  bool AutoURLDetect() const { return autoUrl_; }
  void SetWordSelection(bool on);

  int FindText(std::string_view text, int start, int length, FindOptions options);
  std::string WordAtCaret() const;
  std::string WordAtCursor() const;

  void LoadFromFile(const std::wstring& path);
  static std::string ReadTextFile(const std::wstring& path);

  std::string Language() const;
  TCodePage CodePage() const { return codePage_; }
  void SetCodePage(TCodePage cp) { codePage_ = cp; }
  int FirstVisibleLine() const;
  void SetFirstVisibleLine(int) {}  // writing it does nothing

  void BeginRussianLayout();
  void EndRussianLayout();
  HKL SavedLayout() const { return savedLayout_; }

  // The control's Insert state and the program's idea of it flip together.
  void SendOwnInsertKey();
  bool OverwriteMode() const { return overwrite_; }

  // Called by the main window for the control's notifications.
  void HandleChangeNotification();
  void HandleLinkNotification(const ENLINK& link);

  // The text as the control indexes it: one '\r' per line break.
  std::string ControlText() const;

  // Up to these sizes a replacement is left to the control's own undo; above
  // them the text is streamed in whole and undone by the program itself.
  static constexpr int kUndoLimit = 50;
  static constexpr int kRecreateAbove = 16 * 1024;
  static constexpr size_t kUndoableInsertLimit = 4 * 1024;
  static constexpr size_t kUndoableDeleteLimit = 64 * 1024;

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled);
  bool HandleKeyDown(WPARAM key);
  void SelectWordAtCaret();
  bool CreateControl(HWND parent, RECT bounds);
  void RecreateEmpty();
  void StreamIn(std::string_view text);
  void ReplaceRange(std::string oldText, int start, int end, std::string_view text);
  std::string TextRange(int start, int end) const;
  int TextLength() const;

  struct OwnUndo {
    bool valid = false;
    std::string text;  // control form
    CaretPos caret;
  };

  HWND hwnd_ = nullptr;
  EditorEvents* events_ = nullptr;
  ModuleHandle richedLib_;
  FontHandle font_;
  TCodePage codePage_ = cpWIN;
  bool wordWrap_ = true;
  bool autoUrl_ = true;
  bool overwrite_ = false;
  bool readOnly_ = false;
  bool wordSelection_ = false;
  bool hasColor_ = false;
  COLORREF color_ = 0;
  CHARFORMAT2W charFormat_{};
  bool programChange_ = false;
  int layoutDepth_ = 0;
  HKL savedLayout_ = nullptr;
  CHARRANGE linkDown_{-1, -1};
  bool linkDownLeft_ = false;
  OwnUndo ownUndo_;
  OwnUndo ownRedo_;
};

}  // namespace quillo

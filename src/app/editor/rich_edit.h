#pragma once
// The document's editor: a rich-edit control in plain-text mode. Every other
// part of the program reads and changes the document through this class.
//
// The control is the Unicode one and holds the document's characters as
// they are, those Windows-1251 lacks included. Commands, plug-ins and other
// programs read a Windows-1251 copy in the view of the document's code page
// (shown_text.h: one byte per UTF-16 unit, '?' for what the view cannot
// hold), so a character index is still one per byte; what they write back
// is merged (text_merge.h), so characters they did not change stay as the
// control holds them.
#include <windows.h>
#include <richedit.h>

#include <array>
#include <string>
#include <string_view>

#include "app/editor/rich_edit_control.h"
#include "app/platform/keyboard.h"
#include "app/platform/win_handles.h"
#include "app/platform/window_base.h"
#include "core/caret_pos.h"
#include "core/codepage.h"
#include "core/text_merge.h"

// commdlg.h maps FindText to its own function; the editor's operation keeps the name.
#ifdef FindText
#undef FindText
#endif

namespace quillo {

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
  virtual void OnEditorSelectionChange() {}           // EN_SELCHANGE
  virtual void OnEditorWheel(bool /*up*/, unsigned /*modifiers*/) {}
  virtual void OnEditorScroll() {}
  virtual void OnEditorLangChange(HKL /*layout*/) {}
  virtual void OnEditorUrlClick(const std::string& /*link*/, bool /*leftButton*/) {}
  virtual void OnEditorPaste() {}                     // Insert pastes when the setting says so
  virtual bool PasteOnInsert() const { return false; }
  virtual void OnEditorPositionMark(int /*digit*/, bool /*store*/) {}
  virtual void OnEditorLayoutRestored() {}            // the layout panel needs a refresh
  virtual void OnEditorLoading() {}                   // a piece came in, or the last one (Loading() false)
};

class MyRichEdit : public WindowBase {
 public:
  MyRichEdit() = default;
  ~MyRichEdit() override;

  // Creates the control as a child of parent and applies the fixed set-up.
  bool Create(HWND parent, EditorEvents* events);

  // The Windows-1251 copy of the whole text with CR LF line breaks.
  std::string GetText() const;
  // Replaces the whole text by Windows-1251 text shown in the view; the
  // undo history starts afresh.
  void SetText(std::string_view text);
  // The same for text as the control holds it (UTF-16, one CR per break).
  void SetControlText(std::u16string_view text);
  std::u16string ControlTextWide() const;
  // SetControlText for a file's text: a large one goes in piece by piece.
  // The first piece shows at once, the rest is appended at the end from a
  // timer while the window stays alive; meanwhile the user cannot type into
  // the control, the document stays unmodified, and whatever reads or
  // changes the whole text (every command, plug-in and other program) takes
  // the rest in at once first, so none of them ever sees a part.
  void LoadControlText(std::u16string_view text);
  bool Loading() const { return load_.active; }
  int LoadingPercent() const;
  // Takes the rest of a loading text in at once.
  void CompleteLoading() const;
  // Puts a command's result (Windows-1251, made from the copy of the whole
  // text) back as one undoable edit of only what it changed, and keeps the
  // caret's line and column.
  void ReplaceAllText(std::string_view result, StandIns standIns = StandIns::Keep);
  // The same when the caller has read the control's text and its copy.
  void ReplaceAllText(std::u16string_view control, std::string_view held, std::string_view result,
                      StandIns standIns);
  // The control's text (`control`, as read) replaced by `text` as one
  // undoable edit of the span between their common ends; the caret keeps
  // its line and column.
  void ReplaceAllWide(std::u16string_view control, std::u16string_view text);

  int SelStart() const;
  void SetSelStart(int pos);
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  std::u16string SelTextWide() const;
  // Replaces the selection and selects what was inserted: Windows-1251
  // text shown in the view, or the characters themselves.
  void SetSelText(std::string_view text);
  void SetSelTextWide(std::u16string_view text);
  // A command's result made from the selection's copy, merged into it; the
  // selection then covers the new text.
  void MergeSelText(std::string_view result, StandIns standIns);
  void SelectAll();
  void SetSelection(int start, int end);

  CaretPos GetCaretPos() const;
  void SetCaretPos(CaretPos pos);
  int LineCount() const;
  std::string LineText(int line) const;
  void ScrollText(int code);
  void ScrollCaret();
  // Scrolls the view by whole lines (negative: up).
  void ScrollLines(int lines);

  // The control's own rows (visual rows with word wrap), their first
  // character and length; counted as the control counts them.
  int RowCount() const;
  int RowStart(int row) const;           // -1 beyond the last row
  int RowLengthAt(int charIndex) const;  // of the row holding charIndex
  // Characters the control holds, one per line break.
  int TextLength() const;
  // |height| of the text's font in screen pixels.
  int FontHeightPixels() const;
  // The control itself, for a RedrawFreeze around a series of changes.
  RichEditControl Control() const { return control_; }

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
  bool ReadOnly() const { return readOnly_; }
  // Keeps the text, selection, top of the view and modified flag. Above
  // kRewrapByStreamAbove characters the text is streamed in again with the
  // new setting; the control's own undo steps go with that, the program's
  // own undo step stays.
  void SetWordWrap(bool wrap);
  bool WordWrap() const { return wordWrap_; }
  // Both scroll bars shown (as the wrap setting allows) or none.
  void SetScrollBars(bool on);
  // The background colour: the last one set, else the system's window colour.
  COLORREF Color() const { return hasColor_ ? color_ : GetSysColor(COLOR_WINDOW); }
  void SetColor(COLORREF color);
  void SetFont(const std::wstring& name, int pointSize, bool bold, bool italic, bool underline,
               bool strikeout, COLORREF color, BYTE charset);
  // The text's font as last set (face, size in twips, effects, charset).
  const CHARFORMAT2W& CharFormat() const { return charFormat_; }
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
  void HandleSelectionNotification() { Notify(&EditorEvents::OnEditorSelectionChange); }

  // The Windows-1251 copy as the control indexes it: one '\r' per line break.
  std::string ControlText() const;

  // A replacement goes the way core/edit_cost finds cheapest: in place with
  // the control's own undo, in place with the program's own undo step, or
  // the whole text streamed again with the program's own step.
  static constexpr int kUndoLimit = 50;
  static constexpr int kRecreateAbove = 16 * 1024;
  static constexpr int kRewrapByStreamAbove = 64 * 1024;
  // Loading in pieces: the first piece, the next one to begin with, and the
  // time a piece should take (the window answers between pieces).
  static constexpr size_t kLoadInPiecesAbove = 256 * 1024;
  static constexpr size_t kFirstPiece = 64 * 1024;
  static constexpr size_t kSecondPiece = 128 * 1024;
  static constexpr double kPieceSeconds = 0.3;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  HWND ErrorOwner() const override { return GetParent(hwnd_); }

 private:
  static constexpr DWORD kEventMask = ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE | ENM_PROTECTED | ENM_LINK;

  bool HandleKeyDown(WPARAM key);
  void SelectWordAtCaret();
  bool CreateControl(HWND parent, RECT bounds);
  void RecreateEmpty();
  void StreamIn(std::u16string_view controlForm);
  void RewrapByStream();
  void ReplaceRange(std::u16string_view oldText, int start, int end, std::u16string_view text);
  // The stretch [start, end) replaced by text without the control's undo,
  // in place or by streaming the whole text, whichever costs less.
  void ReplaceWithoutUndo(std::u16string_view oldText, int start, int end, std::u16string_view text,
                          bool restream);
  // Loading in pieces (rich_edit_loading.cpp).
  static constexpr UINT_PTR kLoadTimerId = 0x51A7;
  void OnLoadTimer();
  void AppendNextPiece(size_t size);
  void LoadRest();
  void EndLoading();
  void CancelLoading();
  // A change of the selection or caret that reaches beyond what is loaded.
  void CompleteLoadingBeyond(int index) const;

  std::string TextRange(int start, int end) const;
  std::u16string TextRangeWide(int start, int end) const;
  void Notify(void (EditorEvents::*event)());

  // One step the program undoes (or redoes) itself: at start, the text it
  // left gives way to `restores` (control form). Of the text it left only
  // the length and a fingerprint are kept, enough to tell that the control
  // still holds it; a whole-text step keeps one copy of the text, not two.
  struct OwnUndo {
    bool valid = false;
    int start = 0;
    std::u16string restores;
    size_t leftLength = 0;
    uint64_t leftPrint = 0;
    CaretPos caret;  // before the step (undo) or after it (redo)
  };
  // Applies the step; returns the one that takes it back (not valid when
  // the text is no longer the one the step left).
  OwnUndo ApplyOwnStep(const OwnUndo& step);

  RichEditControl control_;
  EditorEvents* events_ = nullptr;
  ModuleHandle richedLib_;
  TCodePage codePage_ = cpWIN;
  bool wordWrap_ = true;
  bool autoUrl_ = true;
  bool overwrite_ = false;
  bool readOnly_ = false;
  bool wordSelection_ = false;
  bool scrollBars_ = true;
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

  struct PendingLoad {
    bool active = false;
    std::u16string text;  // the whole text, CR LF breaks
    size_t done = 0;      // units of text already in the control
    size_t pieceSize = 0;
  };
  PendingLoad load_;
};

}  // namespace quillo

#pragma once
// A thin typed wrapper over one rich-edit control: one small function per
// control message, in UTF-16, and nothing else. It does not own the window.
// Every EM_ message the program sends goes through here, together with the
// work-arounds Wine's control needs, each with its measured reason.
#include <windows.h>
#include <richedit.h>

#include <string>
#include <string_view>

namespace quillo {

struct TextRangeIndex {
  int start = 0;
  int end = 0;
};

class RichEditControl {
 public:
  RichEditControl() = default;
  explicit RichEditControl(HWND hwnd) : hwnd_(hwnd) {}

  // Creates a plain-text, multi-level-undo control with no length limit.
  static HWND CreatePlainText(HWND parent, RECT bounds, bool wordWrap);

  HWND Handle() const { return hwnd_; }
  void Attach(HWND hwnd) { hwnd_ = hwnd; }

  // Text. Positions count UTF-16 units, one per line break (the control's CR).
  int TextLength() const;
  // The control's UTF-16 units as they are, read without an extra copy.
  std::u16string Text() const;               // one CR per break
  std::u16string TextWithCrLf() const;       // CR LF per break
  std::u16string TextRange(int start, int end) const;
  void ClearText();                          // WM_SETTEXT ""
  void ReplaceSelection(std::wstring_view text, bool undoable);
  // Streams the text in place of the whole content (or, with selectionOnly,
  // of the selection). Large text must come this way: WM_SETTEXT and
  // EM_REPLACESEL of a megabyte take minutes under Wine. False on failure.
  // A whole text goes in as its first piece streamed and the rest appended
  // in pieces of kStreamPiece (faster under Wine). Line breaks may be CR,
  // LF or CR LF; each piece goes in with CR LF, the form the control reads
  // most reliably, so a large text is never copied whole for it.
  bool StreamIn(std::u16string_view text, bool selectionOnly = false);
  // Appends text at the end, not undoable; the selection ends up there.
  void AppendText(std::u16string_view text);
  static constexpr size_t kStreamPiece = 256 * 1024;

  // Selection, always within the text.
  TextRangeIndex Selection() const;
  void SetSelection(int start, int end);
  void ScrollCaret();

  // Lines: the control's own rows (with word wrap, visual rows).
  int LineCount() const;                      // EM_GETLINECOUNT
  int LineFromChar(int pos) const;            // EM_EXLINEFROMCHAR
  int LineIndex(int line) const;              // -1 beyond the last line
  int LineLength(int charIndex) const;        // of the line holding charIndex
  std::wstring Line(int line, int maxChars) const;
  int FirstVisibleLine() const;
  void ScrollLines(int lines);                // EM_LINESCROLL
  void Scroll(int code);                      // EM_SCROLL: SB_LINEUP, SB_PAGEDOWN, …

  // State.
  bool Modified() const;
  void SetModified(bool modified);
  bool CanUndo() const;
  bool CanRedo() const;
  void Undo();
  void Redo();
  void EmptyUndoBuffer();
  void SetUndoLimit(int steps);
  void SetReadOnly(bool readOnly);

  // Look.
  void SetBackgroundColor(COLORREF color);
  void SetCharFormat(const CHARFORMAT2W& format);  // whole text and default
  CHARFORMAT2W DefaultCharFormat() const;
  // |height| of the default font in screen pixels.
  int FontHeightPixels() const;
  void SetWordWrap(bool wrap);
  // EM_SHOWSCROLLBAR for both bars; the horizontal one only without wrap.
  void ShowScrollBars(bool on, bool wordWrap);
  void SetAutoUrlDetect(bool on);
  void SetAutoWordSelection(bool on);
  void SetRedraw(bool on);  // WM_SETREDRAW; turning it on repaints
  void SetEventMask(DWORD mask);

  // Search in the control; -1 when not found. found gets the hit's range.
  int Find(std::wstring_view text, int start, int end, DWORD flags, TextRangeIndex* found) const;

  void Cut();
  void Copy();
  void Clear();

 private:
  bool StreamInOnce(std::u16string_view text, bool selectionOnly);

  HWND hwnd_ = nullptr;
};

// The control's repainting held off for the life of the object; the control
// is repainted once at the end.
class RedrawFreeze {
 public:
  explicit RedrawFreeze(RichEditControl control) : control_(control) { control_.SetRedraw(false); }
  ~RedrawFreeze() { End(); }
  RedrawFreeze(const RedrawFreeze&) = delete;
  RedrawFreeze& operator=(const RedrawFreeze&) = delete;
  void End() {
    if (!ended_) control_.SetRedraw(true);
    ended_ = true;
  }

 private:
  RichEditControl control_;
  bool ended_ = false;
};

}  // namespace quillo

#include "app/editor/rich_edit_control.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/platform/ui_text.h"
#include "app/platform/win_handles.h"
#include "core/file_bytes.h"
#include "core/text_pieces.h"

namespace quillo {
namespace {

struct StreamSource {
  const char16_t* data;
  size_t bytesLeft;
};

DWORD CALLBACK StreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb) {
  auto* src = reinterpret_cast<StreamSource*>(cookie);
  size_t n = std::min<size_t>(src->bytesLeft, static_cast<size_t>(cb) & ~size_t{1});
  // Wine's reader takes a CR at the end of one buffer and the LF at the start
  // of the next for two line breaks, so a buffer never ends between them.
  if (n < src->bytesLeft && n >= 4 && src->data[n / 2 - 1] == u'\r') n -= 2;
  std::memcpy(buffer, src->data, n);
  src->data += n / 2;
  src->bytesLeft -= n;
  *pcb = static_cast<LONG>(n);
  return 0;
}

std::u16string GetTextEx(HWND hwnd, int length, DWORD flags) {
  if (length <= 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  GETTEXTEX ex{};
  ex.cb = static_cast<DWORD>(text.size() * sizeof(char16_t));
  ex.flags = flags;
  ex.codepage = 1200;
  LRESULT got = SendMessageW(hwnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&ex),
                             reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::min(static_cast<size_t>(std::max<LRESULT>(got, 0)), static_cast<size_t>(length)));
  return text;
}

}  // namespace

HWND RichEditControl::CreatePlainText(HWND parent, RECT bounds, bool wordWrap) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                ES_NOHIDESEL | ES_WANTRETURN;
  if (!wordWrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  HWND hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"", style, bounds.left, bounds.top,
                              bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  SendMessageW(hwnd, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
  SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageW(hwnd, EM_SETLANGOPTIONS, 0, 0);
  SendMessageW(hwnd, EM_SETTARGETDEVICE, 0, wordWrap ? 0 : 1);
  return hwnd;
}

int RichEditControl::TextLength() const {
  GETTEXTLENGTHEX len{GTL_DEFAULT | GTL_PRECISE | GTL_NUMCHARS, 1200};
  return static_cast<int>(SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0));
}

std::u16string RichEditControl::Text() const { return GetTextEx(hwnd_, TextLength(), GT_DEFAULT); }

std::u16string RichEditControl::TextWithCrLf() const {
  GETTEXTLENGTHEX len{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
  auto n = static_cast<int>(SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0));
  return GetTextEx(hwnd_, n, GT_USECRLF);
}

std::u16string RichEditControl::TextRange(int start, int end) const {
  if (end <= start) return {};
  std::u16string text(static_cast<size_t>(end - start) + 1, u'\0');
  TEXTRANGEW tr{{start, end}, reinterpret_cast<wchar_t*>(text.data())};
  LRESULT got = SendMessageW(hwnd_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
  text.resize(std::min(static_cast<size_t>(std::max<LRESULT>(got, 0)), static_cast<size_t>(end - start)));
  return text;
}

void RichEditControl::ClearText() { SendMessageW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")); }

// One insertion costs more than in proportion to its length (see StreamIn):
// a large one that need not be a single undo step goes in piece by piece,
// each where the one before ended.
void RichEditControl::ReplaceSelection(std::wstring_view text, bool undoable) {
  const std::u16string_view units = U16View(text);
  size_t done = 0;
  do {
    const size_t end = undoable ? units.size() : NextPieceEnd(units, done, kStreamPiece);
    std::wstring piece(text.substr(done, end - done));
    SendMessageW(hwnd_, EM_REPLACESEL, undoable ? TRUE : FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
    done = end;
  } while (done < units.size());
}

bool RichEditControl::StreamInOnce(std::u16string_view text, bool selectionOnly) {
  StreamSource src{text.data(), text.size() * sizeof(char16_t)};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&src), 0, StreamInCallback};
  WPARAM format = SF_TEXT | SF_UNICODE | (selectionOnly ? SFF_SELECTION : 0);
  SendMessageW(hwnd_, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
  return es.dwError == 0;
}

// Wine's control takes longer than in proportion to the length of one
// insertion, a stream-in included, while appending at the end costs no more
// than the piece: 2 MB of 90-character lines streamed in one go took 25 s,
// the first 256 KB streamed and the rest appended in 256 KB pieces 7.6 s
// (pieces of 1 MB: 19 s; 64 KB: as 256 KB). Right after a control holding
// 2 MB was destroyed: 26-29 s against 9-11 s.
bool RichEditControl::StreamIn(std::u16string_view text, bool selectionOnly) {
  if (selectionOnly || text.size() <= kStreamPiece) return StreamInOnce(WithCrLfBreaks(text), selectionOnly);
  size_t done = NextPieceEnd(text, 0, kStreamPiece);
  if (!StreamInOnce(WithCrLfBreaks(text.substr(0, done)), false)) return false;
  while (done < text.size()) {
    const size_t end = NextPieceEnd(text, done, kStreamPiece);
    AppendText(WithCrLfBreaks(text.substr(done, end - done)));
    done = end;
  }
  SetSelection(0, 0);
  if (TextLength() == static_cast<int>(ControlLength(text))) return true;
  // Should the control have taken a piece in any other way, the text goes
  // in whole after all.
  ClearText();
  return StreamInOnce(WithCrLfBreaks(text), false);
}

void RichEditControl::AppendText(std::u16string_view text) {
  SetSelection(-1, -1);
  ReplaceSelection(std::wstring(text.begin(), text.end()), false);
}

// Select-all reaches one past the text (the control's final paragraph mark):
// every selection is brought into the text here, once for every user of it.
TextRangeIndex RichEditControl::Selection() const {
  CHARRANGE cr{};
  SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
  const int length = TextLength();
  auto inside = [length](LONG pos) { return std::clamp(static_cast<int>(pos), 0, std::max(length, 0)); };
  return {inside(cr.cpMin), inside(cr.cpMax)};
}

void RichEditControl::SetSelection(int start, int end) {
  CHARRANGE cr{start, end};
  SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

void RichEditControl::ScrollCaret() { SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0); }

int RichEditControl::LineCount() const { return static_cast<int>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0)); }

int RichEditControl::LineFromChar(int pos) const {
  return static_cast<int>(SendMessageW(hwnd_, EM_EXLINEFROMCHAR, 0, pos));
}

int RichEditControl::LineIndex(int line) const {
  return static_cast<int>(SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}

int RichEditControl::LineLength(int charIndex) const {
  return static_cast<int>(SendMessageW(hwnd_, EM_LINELENGTH, static_cast<WPARAM>(charIndex), 0));
}

std::wstring RichEditControl::Line(int line, int maxChars) const {
  std::vector<wchar_t> buf(static_cast<size_t>(std::max(maxChars, 1)) + 1);
  *reinterpret_cast<WORD*>(buf.data()) = static_cast<WORD>(std::min(maxChars, 0xFFFF));
  LRESULT n = SendMessageW(hwnd_, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buf.data()));
  return std::wstring(buf.data(), static_cast<size_t>(std::max<LRESULT>(n, 0)));
}

int RichEditControl::FirstVisibleLine() const {
  return static_cast<int>(SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0));
}

void RichEditControl::ScrollLines(int lines) { SendMessageW(hwnd_, EM_LINESCROLL, 0, lines); }
void RichEditControl::Scroll(int code) { SendMessageW(hwnd_, EM_SCROLL, static_cast<WPARAM>(code), 0); }

bool RichEditControl::Modified() const { return SendMessageW(hwnd_, EM_GETMODIFY, 0, 0) != 0; }
void RichEditControl::SetModified(bool modified) { SendMessageW(hwnd_, EM_SETMODIFY, modified, 0); }
bool RichEditControl::CanUndo() const { return hwnd_ && SendMessageW(hwnd_, EM_CANUNDO, 0, 0) != 0; }
bool RichEditControl::CanRedo() const { return hwnd_ && SendMessageW(hwnd_, EM_CANREDO, 0, 0) != 0; }
void RichEditControl::Undo() { SendMessageW(hwnd_, EM_UNDO, 0, 0); }
void RichEditControl::Redo() { SendMessageW(hwnd_, EM_REDO, 0, 0); }
void RichEditControl::EmptyUndoBuffer() { SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0); }
void RichEditControl::SetUndoLimit(int steps) { SendMessageW(hwnd_, EM_SETUNDOLIMIT, static_cast<WPARAM>(steps), 0); }
void RichEditControl::SetReadOnly(bool readOnly) { SendMessageW(hwnd_, EM_SETREADONLY, readOnly, 0); }

void RichEditControl::SetBackgroundColor(COLORREF color) { SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 0, color); }

void RichEditControl::SetCharFormat(const CHARFORMAT2W& format) {
  CHARFORMAT2W copy = format;
  SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&copy));
  SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&copy));
}

CHARFORMAT2W RichEditControl::DefaultCharFormat() const {
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  SendMessageW(hwnd_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  return format;
}

int RichEditControl::FontHeightPixels() const {
  CHARFORMAT2W format = DefaultCharFormat();
  WindowDC dc(hwnd_);
  return std::abs(MulDiv(static_cast<int>(format.yHeight), GetDeviceCaps(dc, LOGPIXELSY), 1440));
}

void RichEditControl::SetWordWrap(bool wrap) {
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  style = wrap ? (style & ~(WS_HSCROLL | ES_AUTOHSCROLL)) : (style | WS_HSCROLL | ES_AUTOHSCROLL);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  SendMessageW(hwnd_, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
  ShowScrollBar(hwnd_, SB_HORZ, !wrap);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

// Wine's control takes EM_SHOWSCROLLBAR for a bar it already counts as hidden
// as nothing to do, even when a style change has shown the bar again.
void RichEditControl::ShowScrollBars(bool on, bool wordWrap) {
  SendMessageW(hwnd_, EM_SHOWSCROLLBAR, SB_VERT, on ? TRUE : FALSE);
  SendMessageW(hwnd_, EM_SHOWSCROLLBAR, SB_HORZ, on && !wordWrap ? TRUE : FALSE);
  ShowScrollBar(hwnd_, SB_VERT, on ? TRUE : FALSE);
  ShowScrollBar(hwnd_, SB_HORZ, on && !wordWrap ? TRUE : FALSE);
}

void RichEditControl::SetAutoUrlDetect(bool on) { SendMessageW(hwnd_, EM_AUTOURLDETECT, on ? TRUE : FALSE, 0); }

void RichEditControl::SetAutoWordSelection(bool on) {
  SendMessageW(hwnd_, EM_SETOPTIONS, on ? ECOOP_OR : ECOOP_AND,
               on ? ECO_AUTOWORDSELECTION : ~static_cast<LPARAM>(ECO_AUTOWORDSELECTION));
}

void RichEditControl::SetRedraw(bool on) {
  SendMessageW(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) InvalidateRect(hwnd_, nullptr, TRUE);
}

void RichEditControl::SetEventMask(DWORD mask) { SendMessageW(hwnd_, EM_SETEVENTMASK, 0, mask); }

int RichEditControl::Find(std::wstring_view text, int start, int end, DWORD flags,
                          TextRangeIndex* found) const {
  std::wstring pattern(text);
  FINDTEXTEXW ft{};
  ft.chrg.cpMin = start;
  ft.chrg.cpMax = end;
  ft.lpstrText = pattern.c_str();
  auto at = static_cast<int>(SendMessageW(hwnd_, EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&ft)));
  if (found) *found = {ft.chrgText.cpMin, ft.chrgText.cpMax};
  return at;
}

void RichEditControl::Cut() { SendMessageW(hwnd_, WM_CUT, 0, 0); }
void RichEditControl::Copy() { SendMessageW(hwnd_, WM_COPY, 0, 0); }
void RichEditControl::Clear() { SendMessageW(hwnd_, WM_CLEAR, 0, 0); }

}  // namespace quillo

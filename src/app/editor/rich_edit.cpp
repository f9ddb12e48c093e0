#include "app/editor/rich_edit.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#undef FindText

#include <algorithm>
#include <vector>

#include "app/platform/file_io.h"
#include "app/platform/ui_text.h"
#include "core/word_at_caret.h"

namespace quillo {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// A key-down the program sends itself is marked in lParam's unused high
// bits, so the Insert rule can tell it from the user's key.
constexpr LPARAM kOwnKeyMark = 0x00FF0000;

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
  memcpy(buffer, src->data, n);
  src->data += n / 2;
  src->bytesLeft -= n;
  *pcb = static_cast<LONG>(n);
  return 0;
}

struct ByteSource {
  const char* p;
  size_t left;
};

DWORD CALLBACK ByteStreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb) {
  auto* s = reinterpret_cast<ByteSource*>(cookie);
  size_t n = std::min<size_t>(s->left, static_cast<size_t>(cb));
  memcpy(buffer, s->p, n);
  s->p += n;
  s->left -= n;
  *pcb = static_cast<LONG>(n);
  return 0;
}

// Line breaks as the control keeps them: CR LF and lone LF become one CR.
std::string ToControlBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out.push_back('\r');
      ++i;
    } else if (ch == '\n') {
      out.push_back('\r');
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

std::string ToCrLfBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      out += "\r\n";
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

}  // namespace

unsigned CurrentModifiers() {
  unsigned m = 0;
  if (GetKeyState(VK_SHIFT) < 0) m |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) m |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) m |= kAlt;
  return m;
}

MyRichEdit::~MyRichEdit() {
  if (hwnd_) {
    RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
    DestroyWindow(hwnd_);
  }
}

bool MyRichEdit::Create(HWND parent, EditorEvents* events) {
  events_ = events;
  richedLib_.Reset(LoadLibraryW(L"riched20.dll"));
  if (!richedLib_) return false;
  SetFont(L"Courier New", 12, false, false, false, false, RGB(0, 0, 0), RUSSIAN_CHARSET);
  return CreateControl(parent, RECT{0, 0, 100, 100});
}

bool MyRichEdit::CreateControl(HWND parent, RECT bounds) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                ES_NOHIDESEL | ES_WANTRETURN;
  if (!wordWrap_) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"", style, bounds.left, bounds.top,
                          bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  SetWindowSubclass(hwnd_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  SendMessageW(hwnd_, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
  SendMessageW(hwnd_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageW(hwnd_, EM_AUTOURLDETECT, autoUrl_ ? TRUE : FALSE, 0);
  SendMessageW(hwnd_, EM_SETLANGOPTIONS, 0, 0);
  SendMessageW(hwnd_, EM_SETUNDOLIMIT, kUndoLimit, 0);
  SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&charFormat_));
  SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&charFormat_));
  if (hasColor_) SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 0, color_);
  if (readOnly_) SendMessageW(hwnd_, EM_SETREADONLY, TRUE, 0);
  if (wordSelection_) SendMessageW(hwnd_, EM_SETOPTIONS, ECOOP_OR, ECO_AUTOWORDSELECTION);
  SendMessageW(hwnd_, EM_SETTARGETDEVICE, 0, wordWrap_ ? 0 : 1);
  SendMessageW(hwnd_, EM_SETEVENTMASK, 0,
               ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE | ENM_PROTECTED | ENM_LINK);
  return true;
}

// Under Wine the control takes time that grows faster than linearly to delete
// a large text, whichever way it is asked to; a new, empty control costs
// next to nothing. The replacement keeps every setting and the focus.
void MyRichEdit::RecreateEmpty() {
  HWND old = hwnd_;
  HWND parent = GetParent(old);
  RECT bounds;
  GetWindowRect(old, &bounds);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
  bool focused = GetFocus() == old;
  HWND after = GetWindow(old, GW_HWNDPREV);
  if (!CreateControl(parent, bounds)) {
    hwnd_ = old;
    SendMessageW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    return;
  }
  SetWindowPos(hwnd_, after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RemoveWindowSubclass(old, SubclassProc, kSubclassId);
  ShowWindow(old, SW_HIDE);
  DestroyWindow(old);
  if (focused) SetFocus(hwnd_);
}

// ---- text ----

std::string MyRichEdit::GetText() const {
  GETTEXTLENGTHEX len{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
  LRESULT n = SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
  if (n <= 0) return {};
  std::vector<wchar_t> buf(static_cast<size_t>(n) + 1);
  GETTEXTEX ex{};
  ex.cb = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
  ex.flags = GT_USECRLF;
  ex.codepage = 1200;
  LRESULT got = SendMessageW(hwnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&ex),
                             reinterpret_cast<LPARAM>(buf.data()));
  return Win1251FromWide(std::wstring_view(buf.data(), static_cast<size_t>(got)));
}

std::string MyRichEdit::ControlText() const {
  int n = TextLength();
  if (n <= 0) return {};
  std::vector<wchar_t> buf(static_cast<size_t>(n) + 1);
  GETTEXTEX ex{};
  ex.cb = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
  ex.flags = GT_DEFAULT;
  ex.codepage = 1200;
  LRESULT got = SendMessageW(hwnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&ex),
                             reinterpret_cast<LPARAM>(buf.data()));
  return Win1251FromWide(std::wstring_view(buf.data(), static_cast<size_t>(got)));
}

int MyRichEdit::TextLength() const {
  GETTEXTLENGTHEX len{GTL_DEFAULT | GTL_PRECISE | GTL_NUMCHARS, 1200};
  return static_cast<int>(SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0));
}

std::string MyRichEdit::TextRange(int start, int end) const {
  if (end <= start) return {};
  std::vector<wchar_t> buf(static_cast<size_t>(end - start) + 1);
  TEXTRANGEW tr{{start, end}, buf.data()};
  LRESULT got = SendMessageW(hwnd_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
  return Win1251FromWide(std::wstring_view(buf.data(), static_cast<size_t>(got)));
}

// Large text must enter the control through stream-in: setting it by
// WM_SETTEXT or EM_REPLACESEL is orders of magnitude slower under Wine.
void MyRichEdit::StreamIn(std::string_view text) {
  // Every break goes in as CR LF, the form the control reads most reliably.
  std::u16string wide = Win1251ToUtf16(ToCrLfBreaks(text));
  StreamSource src{wide.data(), wide.size() * sizeof(char16_t)};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&src), 0, StreamInCallback};
  WPARAM format = SF_TEXT | SF_UNICODE;
  programChange_ = true;
  if (TextLength() > kRecreateAbove)
    RecreateEmpty();
  else
    SendMessageW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  SendMessageW(hwnd_, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
  if (es.dwError != 0) {
    // Retried once in the other text format before giving up.
    std::string bytes(text);
    ByteSource bs{bytes.data(), bytes.size()};
    EDITSTREAM es2{reinterpret_cast<DWORD_PTR>(&bs), 0, ByteStreamInCallback};
    SendMessageW(hwnd_, EM_STREAMIN, SF_TEXT,
                 reinterpret_cast<LPARAM>(&es2));
    if (es2.dwError != 0) {
      programChange_ = false;
      throw FileError("Failed to Load Stream");
    }
  }
  programChange_ = false;
}

void MyRichEdit::SetText(std::string_view text) {
  ownUndo_ = {};
  ownRedo_ = {};
  StreamIn(text);
  SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
}

void MyRichEdit::ReplaceAllText(std::string_view text) {
  CaretPos caret = GetCaretPos();
  std::string oldText = ControlText();
  std::string newText = ToControlBreaks(text);
  size_t common = std::min(oldText.size(), newText.size());
  size_t prefix = 0;
  while (prefix < common && oldText[prefix] == newText[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < common - prefix &&
         oldText[oldText.size() - 1 - suffix] == newText[newText.size() - 1 - suffix])
    ++suffix;
  if (prefix == oldText.size() && prefix == newText.size()) return;

  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  const int end = static_cast<int>(oldText.size() - suffix);
  ReplaceRange(std::move(oldText), static_cast<int>(prefix), end,
               std::string_view(newText).substr(prefix, newText.size() - prefix - suffix));
  SetModified(true);
  SetCaretPos(caret);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
  SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

// Replaces [start, end) of the control's text (oldText, when the caller has
// it already) by text in control form, as one undoable step. Under Wine the
// control's own undoable insertion grows faster than linearly with the
// inserted length, and its selection stream-in costs time in proportion to
// the whole document: a small change goes through EM_REPLACESEL; a large one
// streams the whole new text in plainly and keeps the old text as the
// program's own undo step.
void MyRichEdit::ReplaceRange(std::string oldText, int start, int end, std::string_view text) {
  bool small = text.size() <= kUndoableInsertLimit &&
               static_cast<size_t>(end - start) <= kUndoableDeleteLimit;
  if (small) {
    ownRedo_ = {};
    SetSelection(start, end);
    std::wstring wide = WideFromWin1251(text);
    programChange_ = true;
    SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
    programChange_ = false;
    return;
  }
  if (oldText.empty()) oldText = ControlText();
  OwnUndo previous{true, oldText, GetCaretPos()};
  std::string newText = oldText.substr(0, static_cast<size_t>(start));
  newText += text;
  newText += std::string_view(oldText).substr(static_cast<size_t>(end));
  StreamIn(newText);
  SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
  ownUndo_ = std::move(previous);
  ownRedo_ = {};
  SetModified(true);
}

// ---- selection and caret ----

int MyRichEdit::SelStart() const {
  CHARRANGE cr{};
  SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
  return cr.cpMin;
}

void MyRichEdit::SetSelStart(int pos) { SetSelection(pos, pos); }

int MyRichEdit::SelLength() const {
  CHARRANGE cr{};
  SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
  return cr.cpMax - cr.cpMin;
}

void MyRichEdit::SetSelLength(int length) {
  int start = SelStart();
  SetSelection(start, start + length);
  SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

void MyRichEdit::SetSelection(int start, int end) {
  CHARRANGE cr{start, end};
  SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

std::string MyRichEdit::SelText() const {
  CHARRANGE cr{};
  SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
  return TextRange(cr.cpMin, cr.cpMax);
}

void MyRichEdit::SetSelText(std::string_view text) {
  CHARRANGE sel{};
  SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  std::string inserted = ToControlBreaks(text);
  ReplaceRange({}, sel.cpMin, sel.cpMax, inserted);
  SetSelection(sel.cpMin, sel.cpMin + static_cast<int>(inserted.size()));
  SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

void MyRichEdit::SelectAll() { SetSelection(0, -1); }

CaretPos MyRichEdit::GetCaretPos() const {
  CHARRANGE cr{};
  SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
  int line = static_cast<int>(SendMessageW(hwnd_, EM_EXLINEFROMCHAR, 0, cr.cpMax));
  int lineStart = static_cast<int>(SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(-1), 0));
  return {cr.cpMax - lineStart, line};
}

void MyRichEdit::SetCaretPos(CaretPos pos) {
  int lineStart = static_cast<int>(SendMessageW(hwnd_, EM_LINEINDEX, pos.line, 0));
  if (lineStart < 0) return;
  int index = lineStart + pos.column;
  SendMessageW(hwnd_, EM_SETSEL, index, index);
}

int MyRichEdit::LineCount() const {
  int count = static_cast<int>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
  if (count <= 0) return 0;
  int lastStart = static_cast<int>(SendMessageW(hwnd_, EM_LINEINDEX, count - 1, 0));
  if (lastStart >= 0 && SendMessageW(hwnd_, EM_LINELENGTH, lastStart, 0) == 0) --count;
  return count;
}

std::string MyRichEdit::LineText(int line) const {
  if (line < 0 || line >= LineCount()) return {};
  constexpr int kMax = 4096;
  std::vector<wchar_t> buf(kMax + 1);
  *reinterpret_cast<WORD*>(buf.data()) = kMax;
  LRESULT n = SendMessageW(hwnd_, EM_GETLINE, line, reinterpret_cast<LPARAM>(buf.data()));
  std::wstring_view s(buf.data(), static_cast<size_t>(std::max<LRESULT>(n, 0)));
  while (!s.empty() && (s.back() == L'\r' || s.back() == L'\n')) s.remove_suffix(1);
  return Win1251FromWide(s);
}

void MyRichEdit::ScrollText(int code) { SendMessageW(hwnd_, EM_SCROLL, code, 0); }

bool MyRichEdit::Modified() const { return SendMessageW(hwnd_, EM_GETMODIFY, 0, 0) != 0; }
void MyRichEdit::SetModified(bool modified) { SendMessageW(hwnd_, EM_SETMODIFY, modified, 0); }

// ---- undo ----
// A whole-text replacement too large for the control's own undo keeps the
// previous text here; it lies beneath everything the control can undo.

void MyRichEdit::Undo() {
  if (SendMessageW(hwnd_, EM_CANUNDO, 0, 0)) {
    programChange_ = true;
    SendMessageW(hwnd_, EM_UNDO, 0, 0);
    programChange_ = false;
    return;
  }
  if (!ownUndo_.valid) return;
  OwnUndo redo{true, ControlText(), GetCaretPos()};
  OwnUndo undo = std::move(ownUndo_);
  ownUndo_ = {};
  StreamIn(undo.text);
  SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
  SetModified(true);
  SetCaretPos(undo.caret);
  SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
  ownRedo_ = std::move(redo);
}

bool MyRichEdit::CanUndo() const {
  return SendMessageW(hwnd_, EM_CANUNDO, 0, 0) != 0 || ownUndo_.valid;
}

void MyRichEdit::Redo() {
  if (SendMessageW(hwnd_, EM_CANREDO, 0, 0)) {
    programChange_ = true;
    SendMessageW(hwnd_, EM_REDO, 0, 0);
    programChange_ = false;
    return;
  }
  if (!ownRedo_.valid) return;
  OwnUndo undo{true, ControlText(), GetCaretPos()};
  OwnUndo redo = std::move(ownRedo_);
  ownRedo_ = {};
  StreamIn(redo.text);
  SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
  SetModified(true);
  SetCaretPos(redo.caret);
  ownUndo_ = std::move(undo);
}

bool MyRichEdit::CanRedo() const {
  if (!hwnd_) return false;
  return SendMessageW(hwnd_, EM_CANREDO, 0, 0) != 0 || ownRedo_.valid;
}

void MyRichEdit::CutToClipboard() { SendMessageW(hwnd_, WM_CUT, 0, 0); }
void MyRichEdit::CopyToClipboard() { SendMessageW(hwnd_, WM_COPY, 0, 0); }
// The clipboard's Unicode text, converted to the document's code page. The
// control's own paste is not used: Wine's inserts through a selection
// stream-in that loses the text before the caret.
void MyRichEdit::PasteFromClipboard() {
  if (readOnly_) return;
  std::wstring text;
  {
    ClipboardLock clip(hwnd_);
    if (!clip.IsOpen()) return;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return;
    auto* p = static_cast<const wchar_t*>(GlobalLock(data));
    if (!p) return;
    size_t n = GlobalSize(data) / sizeof(wchar_t);
    text.assign(p, wcsnlen(p, n));
    GlobalUnlock(data);
  }
  SetSelText(Win1251FromWide(text));
  SetSelStart(SelStart() + SelLength());
  SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}
void MyRichEdit::ClearSelection() { SendMessageW(hwnd_, WM_CLEAR, 0, 0); }

// ---- appearance ----

void MyRichEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  SendMessageW(hwnd_, EM_SETREADONLY, readOnly, 0);
}

void MyRichEdit::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  style = wrap ? (style & ~(WS_HSCROLL | ES_AUTOHSCROLL)) : (style | WS_HSCROLL | ES_AUTOHSCROLL);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  SendMessageW(hwnd_, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
  ShowScrollBar(hwnd_, SB_HORZ, !wrap);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void MyRichEdit::SetColor(COLORREF color) {
  hasColor_ = true;
  color_ = color;
  SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 0, color);
}

void MyRichEdit::SetFont(const std::wstring& name, int pointSize, bool bold, bool italic,
                         bool underline, bool strikeout, COLORREF color, BYTE charset) {
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
              CFM_COLOR | CFM_CHARSET;
  lstrcpynW(cf.szFaceName, name.c_str(), LF_FACESIZE);
  cf.yHeight = pointSize * 20;
  cf.dwEffects = (bold ? CFE_BOLD : 0) | (italic ? CFE_ITALIC : 0) |
                 (underline ? CFE_UNDERLINE : 0) | (strikeout ? CFE_STRIKEOUT : 0);
  cf.crTextColor = color;
  cf.bCharSet = charset;
  charFormat_ = cf;
  if (!hwnd_) return;
  SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&charFormat_));
  SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&charFormat_));
}

void MyRichEdit::SetAutoURLDetect(bool on) {
  autoUrl_ = on;
  SendMessageW(hwnd_, EM_AUTOURLDETECT, on ? TRUE : FALSE, 0);
}

void MyRichEdit::SetWordSelection(bool on) {
  wordSelection_ = on;
  SendMessageW(hwnd_, EM_SETOPTIONS, on ? ECOOP_OR : ECOOP_AND,
               on ? ECO_AUTOWORDSELECTION : ~static_cast<LPARAM>(ECO_AUTOWORDSELECTION));
}

// ---- search and words ----

int MyRichEdit::FindText(std::string_view text, int start, int length, FindOptions options) {
  std::wstring pattern = WideFromWin1251(text);
  FINDTEXTEXW ft{};
  ft.chrg.cpMin = start;
  ft.chrg.cpMax = start + std::abs(length);
  ft.lpstrText = pattern.c_str();
  WPARAM flags = (options.wholeWord ? FR_WHOLEWORD : 0) | (options.matchCase ? FR_MATCHCASE : 0) |
                 (options.backward ? 0 : FR_DOWN);
  LRESULT found = SendMessageW(hwnd_, EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&ft));
  if (found >= 0 && options.selectFound) {
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&ft.chrgText));
    SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
  }
  return static_cast<int>(found);
}

std::string MyRichEdit::WordAtCaret() const {
  int p = SelStart();
  if (p < 1) return {};
  // Only the line around the caret matters: words never cross a line break.
  int line = static_cast<int>(SendMessageW(hwnd_, EM_EXLINEFROMCHAR, 0, p - 1));
  int lineStart = static_cast<int>(SendMessageW(hwnd_, EM_LINEINDEX, line, 0));
  int lineLen = static_cast<int>(SendMessageW(hwnd_, EM_LINELENGTH, lineStart, 0));
  int end = std::max(p, lineStart + lineLen);
  std::string text = TextRange(lineStart, std::min(end + 1, TextLength()));
  return quillo::WordAtCaret(text, p - lineStart);
}

// The control's word breaks are asked for with EM_FINDWORDBREAK, which Wine
// does not answer; its breaks are white space, and the same rule applies here
// on the caret's line.
std::string MyRichEdit::WordAtCursor() const {
  int p = SelStart();
  int line = static_cast<int>(SendMessageW(hwnd_, EM_EXLINEFROMCHAR, 0, p));
  int lineStart = static_cast<int>(SendMessageW(hwnd_, EM_LINEINDEX, line, 0));
  int lineLen = static_cast<int>(SendMessageW(hwnd_, EM_LINELENGTH, lineStart, 0));
  std::string text = TextRange(lineStart, lineStart + lineLen);
  return quillo::WordAtCursor(text, p - lineStart);
}

// ---- files ----

std::string MyRichEdit::ReadTextFile(const std::wstring& path) {
  std::string bytes = ReadFileBytes(path);
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::u16string wide((bytes.size() - 2) / 2, u'\0');
    memcpy(wide.data(), bytes.data() + 2, wide.size() * 2);
    return Utf16ToWin1251(wide);
  }
  return bytes;
}

void MyRichEdit::LoadFromFile(const std::wstring& path) {
  std::wstring ext = ExtensionOf(path);
  CharUpperBuffW(ext.data(), static_cast<DWORD>(ext.size()));
  // ".RTF" files would go through the control's own loading; in plain-text
  // mode that shows their bytes as text, which is what the raw load does too.
  std::string text = ext == L".RTF" ? ReadFileBytes(path) : ReadTextFile(path);
  SetText(text);
  SetSelection(0, 0);
  SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

// ---- keyboard layout ----

std::string MyRichEdit::Language() const {
  char name[KL_NAMELENGTH] = {};
  GetKeyboardLayoutNameA(name);
  return name;
}

int MyRichEdit::FirstVisibleLine() const {
  return static_cast<int>(SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0));
}

void MyRichEdit::BeginRussianLayout() {
  if (layoutDepth_++ > 0) return;
  savedLayout_ = GetKeyboardLayout(0);
  if (!ActivateKeyboardLayout(reinterpret_cast<HKL>(static_cast<ULONG_PTR>(0x04190419)), 0))
    ActivateKeyboardLayout(reinterpret_cast<HKL>(static_cast<ULONG_PTR>(0x0419)), 0);
}

void MyRichEdit::EndRussianLayout() {
  if (layoutDepth_ == 0 || --layoutDepth_ > 0) return;
  if (savedLayout_) ActivateKeyboardLayout(savedLayout_, 0);
  if (events_) events_->OnEditorLayoutRestored();
}

void MyRichEdit::SendOwnInsertKey() {
  SendMessageW(hwnd_, WM_KEYDOWN, VK_INSERT, kOwnKeyMark | 1);
}

// ---- notifications ----

void MyRichEdit::HandleChangeNotification() {
  if (!programChange_) ownRedo_ = {};
  if (events_) events_->OnEditorChange();
}

void MyRichEdit::HandleLinkNotification(const ENLINK& link) {
  switch (link.msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      linkDown_ = link.chrg;
      linkDownLeft_ = link.msg == WM_LBUTTONDOWN;
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      bool left = link.msg == WM_LBUTTONUP;
      if (left == linkDownLeft_ && linkDown_.cpMin == link.chrg.cpMin &&
          linkDown_.cpMax == link.chrg.cpMax && events_) {
        linkDown_ = {-1, -1};
        events_->OnEditorUrlClick(TextRange(link.chrg.cpMin, link.chrg.cpMax), left);
      }
      break;
    }
    default:
      break;
  }
}

// ---- the control's messages ----

LRESULT CALLBACK MyRichEdit::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                          DWORD_PTR ref) {
  auto* self = reinterpret_cast<MyRichEdit*>(ref);
  bool handled = false;
  LRESULT r = self->OnMessage(msg, wp, lp, handled);
  if (handled) return r;
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT MyRichEdit::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      bool own = (lp & kOwnKeyMark) == kOwnKeyMark;
      if (wp == VK_INSERT && (own || CurrentModifiers() == 0)) {
        // The control flips its overwrite state on every Insert; with
        // "paste on Insert" one more Insert of our own flips it back.
        overwrite_ = !overwrite_;
        if (!own && events_ && events_->PasteOnInsert()) {
          SendOwnInsertKey();
          overwrite_ = false;
          events_->OnEditorPaste();
        }
        LRESULT r = DefSubclassProc(hwnd_, msg, wp, lp);
        handled = true;
        if (events_) events_->OnEditorKeyDown(wp, own ? 0 : CurrentModifiers());
        return r;
      }
      if (HandleKeyDown(wp)) {
        handled = true;
        if (events_) events_->OnEditorKeyDown(wp, CurrentModifiers());
        return 0;
      }
      LRESULT r = DefSubclassProc(hwnd_, msg, wp, lp);
      handled = true;
      if (events_) events_->OnEditorKeyDown(wp, CurrentModifiers());
      return r;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      LRESULT r = DefSubclassProc(hwnd_, msg, wp, lp);
      handled = true;
      if (events_) events_->OnEditorKeyUp();
      return r;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (events_) events_->OnEditorMouseDown();
      return 0;
    case WM_MOUSEWHEEL: {
      unsigned mods = CurrentModifiers();
      if (mods == kCtrl && events_) {
        events_->OnEditorWheel(GET_WHEEL_DELTA_WPARAM(wp) > 0, mods);
        handled = true;
        return 0;
      }
      LRESULT r = DefSubclassProc(hwnd_, msg, wp, lp);
      handled = true;
      if (events_) events_->OnEditorWheel(GET_WHEEL_DELTA_WPARAM(wp) > 0, mods);
      return r;
    }
    case WM_VSCROLL: {
      LRESULT r = DefSubclassProc(hwnd_, msg, wp, lp);
      handled = true;
      if (events_) events_->OnEditorScroll();
      return r;
    }
    case WM_INPUTLANGCHANGEREQUEST: {
      LRESULT r = DefSubclassProc(hwnd_, msg, wp, lp);
      handled = true;
      if (events_) events_->OnEditorLangChange(reinterpret_cast<HKL>(lp));
      return r;
    }
    case WM_PASTE:
      handled = true;
      if (events_) events_->OnEditorPaste(); else PasteFromClipboard();
      return 0;
    case WM_CHAR:
      // Ctrl+Z and Ctrl+Y come as control characters too; undo goes through
      // the program so that its own undo step is reached.
      if (wp == 0x1A || wp == 0x19) {
        handled = true;
        return 0;
      }
      // Overwrite mode is carried out here: not every rich-edit control
      // (Wine's among them) has one. Selecting the next character makes the
      // typed one replace it, which is the same on a control that has it.
      if (overwrite_ && wp >= 0x20 && SelLength() == 0) {
        int p = SelStart();
        std::string next = TextRange(p, p + 1);
        if (!next.empty() && next[0] != '\r' && next[0] != '\n') SetSelection(p, p + 1);
      }
      return 0;
    default:
      return 0;
  }
}

// The key rules; true when the key is swallowed.
bool MyRichEdit::HandleKeyDown(WPARAM key) {
  unsigned mods = CurrentModifiers();
  if (GetKeyState(VK_SCROLL) & 1) {
    switch (key) {
      case VK_PRIOR: ScrollText(SB_PAGEUP); return true;
      case VK_NEXT: ScrollText(SB_PAGEDOWN); return true;
      case VK_UP: ScrollText(SB_LINEUP); return true;
      case VK_DOWN: ScrollText(SB_LINEDOWN); return true;
      default: break;
    }
  }
  if (mods == kAlt && (key == VK_UP || key == VK_DOWN)) {
    ScrollText(key == VK_UP ? SB_LINEUP : SB_LINEDOWN);
    return false;
  }
  if (mods == kAlt && key == VK_F8) {
    if (SelLength() == 0) SelectWordAtCaret();
    return true;
  }
  if ((key == 'V' && mods == kCtrl) || (key == VK_INSERT && mods == kShift)) {
    if (events_) events_->OnEditorPaste(); else PasteFromClipboard();
    return true;
  }
  if ((key == 'Z' || key == 'Y') && mods == kCtrl) {
    if (key == 'Z') Undo(); else Redo();
    return true;
  }
  if (key >= '0' && key <= '9' && events_) {
    if (mods == (kCtrl | kShift)) {
      events_->OnEditorPositionMark(static_cast<int>(key - '0'), true);
      return true;
    }
    if (mods == kCtrl) {
      events_->OnEditorPositionMark(static_cast<int>(key - '0'), false);
      return true;
    }
  }
  return false;
}

void MyRichEdit::SelectWordAtCaret() {
  std::string word = WordAtCaret();
  while (WordAtCaret() == word && SelStart() > 0) SetSelStart(SelStart() - 1);
  SetSelLength(static_cast<int>(word.size()));
}

}  // namespace quillo

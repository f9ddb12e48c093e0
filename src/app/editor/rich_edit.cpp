#include "app/editor/rich_edit.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#undef FindText

#include <algorithm>

#include "app/editor/control_memory.h"
#include "app/platform/clipboard.h"
#include "app/platform/file_io.h"
#include "app/platform/ui_text.h"
#include "core/edit_cost.h"
#include "core/file_bytes.h"
#include "core/line_ops.h"
#include "core/shown_text.h"
#include "core/word_at_caret.h"

namespace quillo {
namespace {

// A key-down the program sends itself is marked in lParam's unused high
// bits, so the Insert rule can tell it from the user's key.
constexpr LPARAM kOwnKeyMark = 0x00FF0000;
constexpr int kWheelLines = 3;

// The edit of [start, start + removed) into inserted, as the cost model sees it.
EditShape ShapeOf(const RichEditControl& control, int start, std::u16string_view removed,
                  std::u16string_view inserted) {
  EditShape shape;
  shape.inserted = inserted.size();
  shape.insertedBreaks = static_cast<size_t>(std::count(inserted.begin(), inserted.end(), u'\r'));
  shape.removed = removed.size();
  shape.removedBreaks = static_cast<size_t>(std::count(removed.begin(), removed.end(), u'\r'));
  shape.length = static_cast<size_t>(control.TextLength());
  const int rows = control.LineCount();
  const int row = control.LineFromChar(start + static_cast<int>(removed.size()));
  shape.rows = static_cast<size_t>(std::max(rows, 0));
  shape.rowsAfter = static_cast<size_t>(std::max(rows - row, 0));
  return shape;
}

// FNV-1a over the UTF-16 units.
uint64_t Fingerprint(std::u16string_view text) {
  uint64_t hash = 14695981039346656037ull;
  for (char16_t unit : text) {
    hash ^= unit;
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

MyRichEdit::~MyRichEdit() {
  if (HWND hwnd = hwnd_) {
    RemoveSubclass();
    DestroyWindow(hwnd);
  }
}

bool MyRichEdit::Create(HWND parent, EditorEvents* events) {
  events_ = events;
  richedLib_.Reset(LoadLibraryW(L"riched20.dll"));
  if (!richedLib_) return false;
  GiveControlItsOwnMemory(richedLib_);
  SetFont(L"Courier New", 12, false, false, false, false, RGB(0, 0, 0), RUSSIAN_CHARSET);
  return CreateControl(parent, RECT{0, 0, 100, 100});
}

bool MyRichEdit::CreateControl(HWND parent, RECT bounds) {
  HWND hwnd = RichEditControl::CreatePlainText(parent, bounds, wordWrap_);
  if (!hwnd) return false;
  Subclass(hwnd);
  control_.Attach(hwnd);
  control_.SetAutoUrlDetect(autoUrl_);
  control_.SetUndoLimit(kUndoLimit);
  control_.SetCharFormat(charFormat_);
  if (hasColor_) control_.SetBackgroundColor(color_);
  if (readOnly_) control_.SetReadOnly(true);
  if (wordSelection_) control_.SetAutoWordSelection(true);
  if (!scrollBars_) control_.ShowScrollBars(false, wordWrap_);
  control_.SetEventMask(kEventMask);
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
  RemoveSubclass();
  if (!CreateControl(parent, bounds)) {
    Subclass(old);
    control_.Attach(old);
    control_.ClearText();
    return;
  }
  SetWindowPos(hwnd_, after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(old, SW_HIDE);
  DestroyWindow(old);
  if (focused) SetFocus(hwnd_);
}

// ---- text ----

std::string MyRichEdit::GetText() const {
  CompleteLoading();
  return Win1251FromShown(control_.TextWithCrLf(), codePage_);
}

std::string MyRichEdit::ControlText() const { return Win1251FromShown(ControlTextWide(), codePage_); }

int MyRichEdit::TextLength() const { return control_.TextLength(); }

std::string MyRichEdit::TextRange(int start, int end) const {
  return Win1251FromShown(TextRangeWide(start, end), codePage_);
}

std::u16string MyRichEdit::TextRangeWide(int start, int end) const { return control_.TextRange(start, end); }

void MyRichEdit::StreamIn(std::u16string_view controlForm) {
  programChange_ = true;
  if (TextLength() > kRecreateAbove)
    RecreateEmpty();
  else
    control_.ClearText();
  bool ok = control_.StreamIn(controlForm);
  programChange_ = false;
  if (!ok) throw FileError("Не удалось передать текст в окно редактора.");
}

void MyRichEdit::SetText(std::string_view text) { SetControlText(ShownText(WithCrBreaks(text), codePage_)); }

void MyRichEdit::SetControlText(std::u16string_view text) {
  CancelLoading();
  ownUndo_ = {};
  ownRedo_ = {};
  StreamIn(text);
  control_.EmptyUndoBuffer();
}

std::u16string MyRichEdit::ControlTextWide() const {
  CompleteLoading();
  return control_.Text();
}

void MyRichEdit::ReplaceAllText(std::string_view result, StandIns standIns) {
  std::u16string control = ControlTextWide();
  std::string held = Win1251FromShown(control, codePage_);
  ReplaceAllText(control, held, result, standIns);
}

void MyRichEdit::ReplaceAllText(std::u16string_view control, std::string_view held, std::string_view result,
                                StandIns standIns) {
  TextChange change = MergeResult(control, held, result, codePage_, standIns);
  if (change.empty()) return;
  CaretPos caret = GetCaretPos();
  RedrawFreeze freeze(control_);
  ReplaceRange(control, static_cast<int>(change.start), static_cast<int>(change.end),
               change.replacement);
  SetModified(true);
  SetCaretPos(caret);
  freeze.End();
  control_.ScrollCaret();
}

void MyRichEdit::ReplaceAllWide(std::u16string_view control, std::u16string_view text) {
  const size_t common = std::min(control.size(), text.size());
  size_t prefix = 0;
  while (prefix < common && control[prefix] == text[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < common - prefix && control[control.size() - 1 - suffix] == text[text.size() - 1 - suffix])
    ++suffix;
  if (prefix == control.size() && prefix == text.size()) return;
  CaretPos caret = GetCaretPos();
  RedrawFreeze freeze(control_);
  ReplaceRange(control, static_cast<int>(prefix), static_cast<int>(control.size() - suffix),
               text.substr(prefix, text.size() - prefix - suffix));
  SetModified(true);
  SetCaretPos(caret);
  freeze.End();
  control_.ScrollCaret();
}

// Replaces [start, end) of the control's text (oldText, when the caller has
// it already) by text in control form, as one undoable step. Wine's control
// moves the offsets of every paragraph after an edit for each line it puts
// in, and walks the whole text for each line it takes out (core/edit_cost):
// an edit whose undo would cost more than streaming the old text back keeps
// its own undo step, and one that costs more itself than streaming the new
// text whole is made by that stream.
void MyRichEdit::ReplaceRange(std::u16string_view oldText, int start, int end, std::u16string_view text) {
  CompleteLoading();
  std::u16string removed = oldText.empty() ? TextRangeWide(start, end)
                                           : std::u16string(oldText.substr(static_cast<size_t>(start),
                                                                           static_cast<size_t>(end - start)));
  const EditWay way = ChooseEditWay(ShapeOf(control_, start, removed, text));
  if (way == EditWay::ControlUndo) {
    ownRedo_ = {};
    SetSelection(start, end);
    programChange_ = true;
    control_.ReplaceSelection(FromU16(text), true);
    programChange_ = false;
    return;
  }
  OwnUndo step{true, start, std::move(removed), text.size(), Fingerprint(text), GetCaretPos()};
  ReplaceWithoutUndo(oldText, start, end, text, way == EditWay::Restream);
  ownUndo_ = std::move(step);
  ownRedo_ = {};
  SetModified(true);
}

void MyRichEdit::ReplaceWithoutUndo(std::u16string_view oldText, int start, int end,
                                    std::u16string_view text, bool restream) {
  if (!restream) {
    SetSelection(start, end);
    programChange_ = true;
    control_.ReplaceSelection(FromU16(text), false);
    programChange_ = false;
    control_.EmptyUndoBuffer();
    return;
  }
  if (start == 0 && end == TextLength()) {
    StreamIn(text);
  } else {
    const std::u16string current = oldText.empty() ? ControlTextWide() : std::u16string();
    const std::u16string_view old = oldText.empty() ? std::u16string_view(current) : oldText;
    std::u16string whole;
    whole.reserve(old.size() - static_cast<size_t>(end - start) + text.size());
    whole.append(old.substr(0, static_cast<size_t>(start))).append(text).append(old.substr(static_cast<size_t>(end)));
    StreamIn(whole);
  }
  control_.EmptyUndoBuffer();
}

// The control forgets its oldest steps past its limit, so the text may no
// longer be the one the program's step left: then the step is dropped.
MyRichEdit::OwnUndo MyRichEdit::ApplyOwnStep(const OwnUndo& step) {
  const int end = step.start + static_cast<int>(step.leftLength);
  if (end > TextLength()) return {};
  std::u16string present = TextRangeWide(step.start, end);
  if (present.size() != step.leftLength || Fingerprint(present) != step.leftPrint) return {};
  const EditWay way = ChooseOwnStepWay(ShapeOf(control_, step.start, present, step.restores));
  ReplaceWithoutUndo({}, step.start, end, step.restores, way == EditWay::Restream);
  return OwnUndo{true, step.start, std::move(present), step.restores.size(), Fingerprint(step.restores), {}};
}

// ---- selection and caret ----

int MyRichEdit::SelStart() const { return control_.Selection().start; }

void MyRichEdit::SetSelStart(int pos) { SetSelection(pos, pos); }

int MyRichEdit::SelLength() const {
  TextRangeIndex sel = control_.Selection();
  return sel.end - sel.start;
}

void MyRichEdit::SetSelLength(int length) {
  int start = SelStart();
  SetSelection(start, start + length);
  control_.ScrollCaret();
}

void MyRichEdit::SetSelection(int start, int end) {
  // -1 stands for the end of the text.
  CompleteLoadingBeyond(start < 0 || end < 0 ? -1 : std::max(start, end));
  control_.SetSelection(start, end);
}

std::string MyRichEdit::SelText() const {
  TextRangeIndex sel = control_.Selection();
  return TextRange(sel.start, sel.end);
}

std::u16string MyRichEdit::SelTextWide() const {
  TextRangeIndex sel = control_.Selection();
  return TextRangeWide(sel.start, sel.end);
}

void MyRichEdit::SetSelText(std::string_view text) { SetSelTextWide(ShownText(text, codePage_)); }

void MyRichEdit::SetSelTextWide(std::u16string_view text) {
  TextRangeIndex sel = control_.Selection();
  std::u16string inserted = WithCrBreaks(text);
  ReplaceRange({}, sel.start, sel.end, inserted);
  SetSelection(sel.start, sel.start + static_cast<int>(inserted.size()));
  control_.ScrollCaret();
}

void MyRichEdit::MergeSelText(std::string_view result, StandIns standIns) {
  TextRangeIndex sel = control_.Selection();
  std::u16string control = TextRangeWide(sel.start, sel.end);
  TextChange change = MergeResult(control, Win1251FromShown(control, codePage_), result, codePage_, standIns);
  const int length = static_cast<int>(control.size() - (change.end - change.start) + change.replacement.size());
  if (!change.empty())
    ReplaceRange({}, sel.start + static_cast<int>(change.start), sel.start + static_cast<int>(change.end),
                 change.replacement);
  SetSelection(sel.start, sel.start + length);
  control_.ScrollCaret();
}

void MyRichEdit::SelectAll() { SetSelection(0, -1); }

CaretPos MyRichEdit::GetCaretPos() const {
  TextRangeIndex sel = control_.Selection();
  int line = control_.LineFromChar(sel.end);
  int lineStart = control_.LineIndex(-1);
  return {sel.end - lineStart, line};
}

void MyRichEdit::SetCaretPos(CaretPos pos) {
  int lineStart = control_.LineIndex(pos.line);
  if (lineStart < 0 && load_.active) {
    CompleteLoading();
    lineStart = control_.LineIndex(pos.line);
  }
  if (lineStart < 0) return;
  int index = lineStart + pos.column;
  CompleteLoadingBeyond(index);
  control_.SetSelection(index, index);
}

int MyRichEdit::LineCount() const {
  CompleteLoading();
  int count = control_.LineCount();
  if (count <= 0) return 0;
  int lastStart = control_.LineIndex(count - 1);
  if (lastStart >= 0 && control_.LineLength(lastStart) == 0) --count;
  return count;
}

std::string MyRichEdit::LineText(int line) const {
  // A line the loaded part holds whole needs no more of the text.
  if (line < 0 || control_.LineIndex(line + 1) < 0) CompleteLoading();
  if (line < 0 || line >= LineCount()) return {};
  std::wstring text = control_.Line(line, 4096);
  std::u16string s = U16(text);
  while (!s.empty() && (s.back() == u'\r' || s.back() == u'\n')) s.pop_back();
  return Win1251FromShown(s, codePage_);
}

void MyRichEdit::ScrollText(int code) { control_.Scroll(code); }
void MyRichEdit::ScrollCaret() { control_.ScrollCaret(); }
void MyRichEdit::ScrollLines(int lines) { control_.ScrollLines(lines); }
int MyRichEdit::RowCount() const {
  CompleteLoading();
  return control_.LineCount();
}
int MyRichEdit::RowStart(int row) const {
  const int start = control_.LineIndex(row);
  if (start >= 0 || !load_.active) return start;
  CompleteLoading();
  return control_.LineIndex(row);
}
int MyRichEdit::RowLengthAt(int charIndex) const { return control_.LineLength(charIndex); }
int MyRichEdit::FontHeightPixels() const { return control_.FontHeightPixels(); }

bool MyRichEdit::Modified() const { return control_.Modified(); }
void MyRichEdit::SetModified(bool modified) { control_.SetModified(modified); }

// ---- undo ----
// A whole-text replacement too large for the control's own undo keeps the
// previous text here; it lies beneath everything the control can undo.

void MyRichEdit::Undo() {
  CompleteLoading();
  if (control_.CanUndo()) {
    programChange_ = true;
    control_.Undo();
    programChange_ = false;
    return;
  }
  if (!ownUndo_.valid) return;
  const OwnUndo step = std::move(ownUndo_);
  ownUndo_ = {};
  const CaretPos after = GetCaretPos();
  OwnUndo back = ApplyOwnStep(step);
  if (!back.valid) return;
  SetModified(true);
  SetCaretPos(step.caret);
  control_.ScrollCaret();
  back.caret = after;
  ownRedo_ = std::move(back);
}

bool MyRichEdit::CanUndo() const { return control_.CanUndo() || ownUndo_.valid; }

void MyRichEdit::Redo() {
  CompleteLoading();
  if (control_.CanRedo()) {
    programChange_ = true;
    control_.Redo();
    programChange_ = false;
    return;
  }
  if (!ownRedo_.valid) return;
  const OwnUndo step = std::move(ownRedo_);
  ownRedo_ = {};
  const CaretPos before = GetCaretPos();
  OwnUndo back = ApplyOwnStep(step);
  if (!back.valid) return;
  SetModified(true);
  SetCaretPos(step.caret);
  control_.ScrollCaret();
  back.caret = before;
  ownUndo_ = std::move(back);
}

bool MyRichEdit::CanRedo() const { return control_.CanRedo() || ownRedo_.valid; }

void MyRichEdit::CutToClipboard() {
  CompleteLoading();
  control_.Cut();
}
void MyRichEdit::CopyToClipboard() { control_.Copy(); }

// The clipboard's Unicode text as it is. The control's own paste is not
// used: Wine's inserts through a selection stream-in that loses the text
// before the caret.
void MyRichEdit::PasteFromClipboard() {
  if (readOnly_) return;
  CompleteLoading();
  std::optional<std::wstring> text = ReadClipboardText(hwnd_);
  if (!text) return;
  SetSelTextWide(U16(*text));
  SetSelStart(SelStart() + SelLength());
  control_.ScrollCaret();
}

void MyRichEdit::ClearSelection() {
  CompleteLoading();
  control_.Clear();
}

// ---- appearance ----

void MyRichEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  // While loading the control stays read-only; the end of loading sets it.
  if (!load_.active) control_.SetReadOnly(readOnly);
}

void MyRichEdit::SetWordWrap(bool wrap) {
  if (wrap == wordWrap_) return;
  CompleteLoading();
  wordWrap_ = wrap;
  if (TextLength() > kRewrapByStreamAbove) {
    RewrapByStream();
  } else {
    control_.SetWordWrap(wrap);
    if (!scrollBars_) control_.ShowScrollBars(false, wrap);
  }
}

// Wine's control re-wraps a loaded text in its own way at a cost that depends
// on the font and the line shapes and can grow faster than linearly: 24 s
// for 2 MB of 73-letter Cyrillic lines in Courier New, where streaming the
// same text into a control created with the new setting takes about 3 s.
// A new control with the setting gets the text by stream-in instead.
void MyRichEdit::RewrapByStream() {
  const TextRangeIndex selection = control_.Selection();
  const int topChar = control_.LineIndex(control_.FirstVisibleLine());
  const bool modified = Modified();
  const std::u16string text = control_.Text();
  const HWND before = hwnd_;
  programChange_ = true;
  RecreateEmpty();
  if (hwnd_ == before) control_.SetWordWrap(wordWrap_);  // no new control: the old one, emptied
  RedrawFreeze freeze(control_);
  // The same text in another layout is no change of the document.
  control_.SetEventMask(0);
  const bool ok = control_.StreamIn(text);
  control_.EmptyUndoBuffer();
  control_.SetModified(modified);
  control_.SetSelection(selection.start, selection.end);
  control_.ScrollLines(control_.LineFromChar(topChar) - control_.FirstVisibleLine());
  control_.SetEventMask(kEventMask);
  programChange_ = false;
  if (!ok) throw FileError("Не удалось передать текст в окно редактора.");
}

void MyRichEdit::SetScrollBars(bool on) {
  scrollBars_ = on;
  control_.ShowScrollBars(on, wordWrap_);
}

void MyRichEdit::SetColor(COLORREF color) {
  hasColor_ = true;
  color_ = color;
  control_.SetBackgroundColor(color);
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
  if (hwnd_) control_.SetCharFormat(charFormat_);
}

void MyRichEdit::SetAutoURLDetect(bool on) {
  autoUrl_ = on;
  control_.SetAutoUrlDetect(on);
}

void MyRichEdit::SetWordSelection(bool on) {
  wordSelection_ = on;
  control_.SetAutoWordSelection(on);
}

// ---- search and words ----

int MyRichEdit::FindText(std::string_view text, int start, int length, FindOptions options) {
  CompleteLoading();
  DWORD flags = (options.wholeWord ? FR_WHOLEWORD : 0) | (options.matchCase ? FR_MATCHCASE : 0) |
                (options.backward ? 0 : FR_DOWN);
  TextRangeIndex hit;
  int found = control_.Find(FromU16(ShownText(text, codePage_)), start, start + std::abs(length), flags, &hit);
  if (found >= 0 && options.selectFound) {
    control_.SetSelection(hit.start, hit.end);
    control_.ScrollCaret();
  }
  return found;
}

std::string MyRichEdit::WordAtCaret() const {
  int p = SelStart();
  if (p < 1) return {};
  // Only the line around the caret matters: words never cross a line break.
  int line = control_.LineFromChar(p - 1);
  int lineStart = control_.LineIndex(line);
  int lineLen = control_.LineLength(lineStart);
  int end = std::max(p, lineStart + lineLen);
  std::string text = TextRange(lineStart, std::min(end + 1, TextLength()));
  return quillo::WordAtCaret(text, p - lineStart);
}

// The control's word breaks are asked for with EM_FINDWORDBREAK, which Wine
// does not answer (it splits at white space only, punctuation included in
// the word); the program's own word delimiters stand in, on the caret's line.
std::string MyRichEdit::WordAtCursor() const {
  int p = SelStart();
  int line = control_.LineFromChar(p);
  int lineStart = control_.LineIndex(line);
  int lineLen = control_.LineLength(lineStart);
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
  control_.ScrollCaret();
}

// ---- keyboard layout ----

std::string MyRichEdit::Language() const {
  char name[KL_NAMELENGTH] = {};
  GetKeyboardLayoutNameA(name);
  return name;
}

int MyRichEdit::FirstVisibleLine() const { return control_.FirstVisibleLine(); }

void MyRichEdit::BeginRussianLayout() {
  if (layoutDepth_++ > 0) return;
  savedLayout_ = GetKeyboardLayout(0);
  if (!ActivateKeyboardLayout(reinterpret_cast<HKL>(static_cast<ULONG_PTR>(0x04190419)), 0))
    ActivateKeyboardLayout(reinterpret_cast<HKL>(static_cast<ULONG_PTR>(0x0419)), 0);
}

void MyRichEdit::EndRussianLayout() {
  if (layoutDepth_ == 0 || --layoutDepth_ > 0) return;
  if (savedLayout_) ActivateKeyboardLayout(savedLayout_, 0);
  Notify(&EditorEvents::OnEditorLayoutRestored);
}

void MyRichEdit::SendOwnInsertKey() { SendMessageW(hwnd_, WM_KEYDOWN, VK_INSERT, kOwnKeyMark | 1); }

// ---- notifications ----

void MyRichEdit::Notify(void (EditorEvents::*event)()) {
  if (events_) (events_->*event)();
}

void MyRichEdit::HandleChangeNotification() {
  if (!programChange_) ownRedo_ = {};
  Notify(&EditorEvents::OnEditorChange);
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

LRESULT MyRichEdit::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
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
        LRESULT r = DefaultProc(msg, wp, lp);
        if (events_) events_->OnEditorKeyDown(wp, own ? 0 : CurrentModifiers());
        return r;
      }
      if (HandleKeyDown(wp)) {
        // Wine opens the window menu when Alt is released unless the default
        // procedure saw another key while Alt was down (Alt+F8).
        if (msg == WM_SYSKEYDOWN && wp != VK_F4) DefWindowProcW(hwnd_, msg, wp, lp);
        if (events_) events_->OnEditorKeyDown(wp, CurrentModifiers());
        return 0;
      }
      LRESULT r = DefaultProc(msg, wp, lp);
      if (events_) events_->OnEditorKeyDown(wp, CurrentModifiers());
      return r;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      LRESULT r = DefaultProc(msg, wp, lp);
      Notify(&EditorEvents::OnEditorKeyUp);
      return r;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      Notify(&EditorEvents::OnEditorMouseDown);
      break;
    case WM_TIMER:
      if (wp == kLoadTimerId) {
        OnLoadTimer();
        return 0;
      }
      break;
    case WM_MOUSEWHEEL: {
      unsigned mods = CurrentModifiers();
      if (mods == kCtrl && events_) {
        events_->OnEditorWheel(GET_WHEEL_DELTA_WPARAM(wp) > 0, mods);
        return 0;
      }
      if (!scrollBars_) {
        // Without scroll bars each wheel step scrolls three lines here.
        const bool up = GET_WHEEL_DELTA_WPARAM(wp) > 0;
        const int steps = std::max(1, std::abs(GET_WHEEL_DELTA_WPARAM(wp)) / WHEEL_DELTA);
        for (int i = 0; i < steps * kWheelLines; ++i) ScrollText(up ? SB_LINEUP : SB_LINEDOWN);
        if (events_) events_->OnEditorWheel(up, mods);
        return 0;
      }
      LRESULT r = DefaultProc(msg, wp, lp);
      if (events_) events_->OnEditorWheel(GET_WHEEL_DELTA_WPARAM(wp) > 0, mods);
      return r;
    }
    case WM_VSCROLL: {
      LRESULT r = DefaultProc(msg, wp, lp);
      Notify(&EditorEvents::OnEditorScroll);
      return r;
    }
    case WM_INPUTLANGCHANGEREQUEST: {
      LRESULT r = DefaultProc(msg, wp, lp);
      if (events_) events_->OnEditorLangChange(reinterpret_cast<HKL>(lp));
      return r;
    }
    case WM_PASTE:
      if (events_) events_->OnEditorPaste(); else PasteFromClipboard();
      return 0;
    case WM_CHAR:
      // Ctrl+Z and Ctrl+Y come as control characters too; undo goes through
      // the program so that its own undo step is reached.
      if (wp == 0x1A || wp == 0x19) return 0;
      // Overwrite mode is carried out here: not every rich-edit control
      // (Wine's among them) has one. Selecting the next character makes the
      // typed one replace it, which is the same on a control that has it.
      if (overwrite_ && wp >= 0x20 && SelLength() == 0) {
        int p = SelStart();
        std::u16string next = TextRangeWide(p, p + 2);
        // A character of two units is replaced whole.
        const int units = next.size() == 2 && IsHighSurrogate(next[0]) && IsLowSurrogate(next[1]) ? 2 : 1;
        if (!next.empty() && next[0] != u'\r' && next[0] != u'\n') SetSelection(p, p + units);
      }
      break;
    default:
      break;
  }
  return DefaultProc(msg, wp, lp);
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

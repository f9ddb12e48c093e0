// A large file's text goes into the editor piece by piece: the first piece
// at once, so the window shows the first screen, and the rest appended at
// the end from a timer. Appending at the end costs Wine's control no more
// than streaming the whole text (nothing follows to be moved).
#include <windows.h>

#include <chrono>

#include "app/editor/rich_edit.h"
#include "core/text_pieces.h"

namespace quillo {
namespace {

constexpr size_t kSmallestPiece = 32 * 1024;
// Larger pieces cost more than their share (see RichEditControl::StreamIn).
constexpr size_t kLargestPiece = RichEditControl::kStreamPiece;

}  // namespace

void MyRichEdit::LoadControlText(std::u16string_view text) {
  if (text.size() <= kLoadInPiecesAbove) {
    SetControlText(text);
    return;
  }
  const size_t first = NextPieceEnd(text, 0, kFirstPiece);
  SetControlText(text.substr(0, first));
  load_.active = true;
  load_.text.assign(text);
  load_.done = first;
  load_.pieceSize = kSecondPiece;
  control_.SetReadOnly(true);
  // A timer's turn comes when the window has nothing else to do: it paints
  // and answers the user between pieces.
  SetTimer(hwnd_, kLoadTimerId, 0, nullptr);
}

int MyRichEdit::LoadingPercent() const { return LoadedPercent(load_.done, load_.text.size()); }

void MyRichEdit::AppendNextPiece(size_t size) {
  const size_t end = NextPieceEnd(load_.text, load_.done, size);
  const std::u16string_view piece = std::u16string_view(load_.text).substr(load_.done, end - load_.done);
  const TextRangeIndex selection = control_.Selection();
  const int firstLine = control_.FirstVisibleLine();
  const bool modified = control_.Modified();
  {
    RedrawFreeze freeze(control_);
    programChange_ = true;
    control_.SetEventMask(0);
    control_.AppendText(piece);
    control_.SetSelection(selection.start, selection.end);
    control_.ScrollLines(firstLine - control_.FirstVisibleLine());
    control_.SetModified(modified);
    control_.SetEventMask(kEventMask);
    programChange_ = false;
  }
  load_.done = end;
}

void MyRichEdit::OnLoadTimer() {
  // Armed again only after a piece came in: a failing piece is reported
  // once, and the rest comes when something needs the whole text.
  KillTimer(hwnd_, kLoadTimerId);
  if (!load_.active) return;
  const auto start = std::chrono::steady_clock::now();
  const size_t size = load_.pieceSize;
  AppendNextPiece(size);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  load_.pieceSize = NextPieceSize(size, seconds, kPieceSeconds, kSmallestPiece, kLargestPiece);
  if (load_.done >= load_.text.size()) {
    EndLoading();
    return;
  }
  SetTimer(hwnd_, kLoadTimerId, 0, nullptr);
  if (events_) events_->OnEditorLoading();
}

void MyRichEdit::CompleteLoading() const {
  // Logically const: the document's text is the same, only all of it is in.
  if (load_.active) const_cast<MyRichEdit*>(this)->LoadRest();
}

void MyRichEdit::CompleteLoadingBeyond(int index) const {
  if (load_.active && (index < 0 || index >= control_.TextLength())) CompleteLoading();
}

void MyRichEdit::LoadRest() {
  AppendNextPiece(load_.text.size());
  EndLoading();
}

void MyRichEdit::EndLoading() {
  KillTimer(hwnd_, kLoadTimerId);
  // Every piece must have come in whole; if the control holds anything
  // else, the text is streamed again in one go rather than left short.
  const bool whole = static_cast<size_t>(control_.TextLength()) == load_.text.size();
  std::u16string text = std::move(load_.text);
  load_ = {};
  control_.SetReadOnly(readOnly_);
  if (!whole) {
    const TextRangeIndex selection = control_.Selection();
    const bool modified = control_.Modified();
    SetControlText(text);
    control_.SetSelection(selection.start, selection.end);
    control_.SetModified(modified);
  }
  if (events_) events_->OnEditorLoading();
}

void MyRichEdit::CancelLoading() {
  if (!load_.active) return;
  KillTimer(hwnd_, kLoadTimerId);
  load_ = {};
  control_.SetReadOnly(readOnly_);
  if (events_) events_->OnEditorLoading();
}

}  // namespace quillo

#pragma once
// The clipboard's text, as Unicode. Another program's clipboard data is
// read no further than the memory block it owns, even when it lacks its
// terminating zero.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillo {

// Opens the clipboard for the life of the object. Another program may hold
// it for a moment, so opening is retried briefly.
class ClipboardLock {
 public:
  explicit ClipboardLock(HWND owner);
  ~ClipboardLock();
  ClipboardLock(const ClipboardLock&) = delete;
  ClipboardLock& operator=(const ClipboardLock&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

bool ClipboardHasText();

// The clipboard's Unicode text up to its first NUL; nothing when it holds
// no text or cannot be opened.
std::optional<std::wstring> ReadClipboardText(HWND owner);

// Replaces the clipboard's content by the text; false when that failed.
bool WriteClipboardText(HWND owner, std::wstring_view text);

// The clipboard's text followed by `text`, read and written while the
// clipboard stays open, so no other program's copy slips in between; just
// `text` when the clipboard held no text. False when that failed.
bool AppendClipboardText(HWND owner, std::wstring_view text);

// Puts `text` on the clipboard and gives what it held before (empty when no
// text); nothing when the clipboard could not be changed.
std::optional<std::wstring> ExchangeClipboardText(HWND owner, std::wstring_view text);

}  // namespace quillo

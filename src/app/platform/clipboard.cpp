#include "app/platform/clipboard.h"

#include <cstring>
#include <cwchar>

#include "app/platform/win_handles.h"

namespace quillo {

ClipboardLock::ClipboardLock(HWND owner) {
  for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
    open_ = OpenClipboard(owner) != 0;
    if (!open_) Sleep(10);
  }
}

ClipboardLock::~ClipboardLock() {
  if (open_) CloseClipboard();
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; }

namespace {

// The text of the open clipboard.
std::optional<std::wstring> OpenClipboardText() {
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  GlobalLockScope<const wchar_t> chars(data);
  if (!chars.Data()) return std::nullopt;
  size_t units = chars.Size() / sizeof(wchar_t);
  return std::wstring(chars.Data(), wcsnlen(chars.Data(), units));
}

// Replaces the content of the open clipboard. The block is ready before the
// clipboard is emptied, so a failed allocation leaves the old content.
bool PutOpenClipboardText(std::wstring_view text) {
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  if (!memory) return false;
  {
    GlobalLockScope<wchar_t> chars(memory);
    if (!chars.Data()) return false;
    std::memcpy(chars.Data(), text.data(), text.size() * sizeof(wchar_t));
    chars.Data()[text.size()] = L'\0';
  }
  if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory)) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

}  // namespace

std::optional<std::wstring> ReadClipboardText(HWND owner) {
  ClipboardLock clip(owner);
  if (!clip.IsOpen()) return std::nullopt;
  return OpenClipboardText();
}

bool WriteClipboardText(HWND owner, std::wstring_view text) {
  ClipboardLock clip(owner);
  return clip.IsOpen() && PutOpenClipboardText(text);
}

bool AppendClipboardText(HWND owner, std::wstring_view text) {
  ClipboardLock clip(owner);
  if (!clip.IsOpen()) return false;
  std::wstring joined = OpenClipboardText().value_or(std::wstring());
  joined += text;
  return PutOpenClipboardText(joined);
}

std::optional<std::wstring> ExchangeClipboardText(HWND owner, std::wstring_view text) {
  ClipboardLock clip(owner);
  if (!clip.IsOpen()) return std::nullopt;
  std::wstring before = OpenClipboardText().value_or(std::wstring());
  if (!PutOpenClipboardText(text)) return std::nullopt;
  return before;
}

}  // namespace quillo

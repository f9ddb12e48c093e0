#include "app/platform/window_broadcast.h"

#include <cwchar>

#include "app/interop.h"

namespace quillo {
namespace {

struct Broadcast {
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

BOOL CALLBACK PostIfProgramWindow(HWND hwnd, LPARAM data) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (wcscmp(name, kMainWindowClass) != 0) return TRUE;
  wchar_t caption[1024] = {};
  GetWindowTextW(hwnd, caption, 1024);
  if (!wcsstr(caption, kBroadcastCaption)) return TRUE;
  const auto* message = reinterpret_cast<const Broadcast*>(data);
  PostMessageW(hwnd, message->msg, message->wp, message->lp);
  return TRUE;
}

BOOL CALLBACK PostIfSelected(HWND hwnd, LPARAM data) {
  const auto* order = reinterpret_cast<const WindowBroadcast*>(data);
  wchar_t caption[kBroadcastNameBuffer] = {};
  wchar_t className[kBroadcastNameBuffer] = {};
  GetWindowTextW(hwnd, caption, kBroadcastNameBuffer);
  GetClassNameW(hwnd, className, kBroadcastNameBuffer);
  auto view = [](const wchar_t* s) {
    return std::u16string_view(reinterpret_cast<const char16_t*>(s), std::wcslen(s));
  };
  if (BroadcastSelects(order->mode, view(order->text.c_str()), view(caption), view(className)))
    PostMessageW(hwnd, order->msg, order->wParam, order->lParam);
  return TRUE;
}

}  // namespace

void BroadcastToWindows(const WindowBroadcast& broadcast) {
  EnumWindows(PostIfSelected, reinterpret_cast<LPARAM>(&broadcast));
}

void PostToProgramWindows(UINT msg, WPARAM wp, LPARAM lp) {
  Broadcast message{msg, wp, lp};
  EnumWindows(PostIfProgramWindow, reinterpret_cast<LPARAM>(&message));
}

}  // namespace quillo

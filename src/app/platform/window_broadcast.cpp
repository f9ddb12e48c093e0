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

}  // namespace

void PostToProgramWindows(UINT msg, WPARAM wp, LPARAM lp) {
  Broadcast message{msg, wp, lp};
  EnumWindows(PostIfProgramWindow, reinterpret_cast<LPARAM>(&message));
}

}  // namespace quillo

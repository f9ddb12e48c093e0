#include "app/window/window_layout.h"

#include <algorithm>

namespace quillo {

void WindowLayout::Dock(HWND bar, bool top, std::function<int()> height) {
  docked_.push_back({bar, top, std::move(height)});
  Relayout();
}

void WindowLayout::Relayout() {
  if (!window_) return;
  RECT rc;
  GetClientRect(window_, &rc);
  int top = rc.top, bottom = rc.bottom;
  for (const auto& bar : docked_) {
    int h = bar.height();
    if (bar.top) {
      MoveWindow(bar.hwnd, 0, top, rc.right, h, TRUE);
      top += h;
    } else {
      bottom -= h;
      MoveWindow(bar.hwnd, 0, bottom, rc.right, h, TRUE);
    }
  }
  HWND editor = editor_ ? editor_() : nullptr;
  if (editor) MoveWindow(editor, 0, top, rc.right, std::max(0, bottom - top), TRUE);
}

}  // namespace quillo

#include "app/window/status_bar.h"

#include <commctrl.h>

#include <vector>

#include "app/platform/ui_text.h"
#include "core/layout_names.h"
#include "core/status_text.h"

namespace quillo {

bool StatusBar::Create(HWND parent) {
  // Left to size itself: it keeps to the bottom edge of its parent, which is
  // where it is docked first.
  hwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | SBARS_SIZEGRIP, 0, 0, 0, 0,
                          parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  std::vector<int> rightEdges;
  int right = 0;
  for (const StatusPanel& panel : StatusPanels()) rightEdges.push_back(right += panel.width);
  rightEdges.back() = -1;  // the path panel takes the rest
  SendMessageW(hwnd_, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
  for (int i = 0; i < kStatusPanelCount; ++i) SetText(i, Wide(StatusPanels()[i].designText));
  SendMessageW(hwnd_, WM_SIZE, 0, 0);
  return true;
}

int StatusBar::Height() const {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return 0;
  RECT rc{};
  GetWindowRect(hwnd_, &rc);
  return rc.bottom - rc.top;
}

void StatusBar::SetText(int panel, std::wstring_view text) {
  if (!hwnd_ || Text(panel) == text) return;
  std::wstring copy(text);
  SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(copy.c_str()));
}

std::wstring StatusBar::Text(int panel) const {
  if (!hwnd_) return {};
  const auto length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0));
  std::wstring text(length + 1u, L'\0');
  SendMessageW(hwnd_, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

}  // namespace quillo

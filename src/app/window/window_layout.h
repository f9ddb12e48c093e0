#pragma once
// The main window's client area: bars docked along the top and bottom edges
// in the order they were docked (bottom bars from the bottom up), and the
// editor in what is left.
#include <windows.h>

#include <functional>
#include <vector>

namespace quillo {

class WindowLayout {
 public:
  void SetWindow(HWND window) { window_ = window; }
  void SetEditor(std::function<HWND()> editor) { editor_ = std::move(editor); }

  // height() gives 0 while the bar is hidden.
  void Dock(HWND bar, bool top, std::function<int()> height);
  void Relayout();

 private:
  struct DockedBar {
    HWND hwnd;
    bool top;
    std::function<int()> height;
  };
  HWND window_ = nullptr;
  std::function<HWND()> editor_;
  std::vector<DockedBar> docked_;
};

}  // namespace quillo

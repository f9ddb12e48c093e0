#pragma once
// What the status bar shows of the document and the editor, and what its
// clicks do.
#include <windows.h>

#include "app/window/status_bar.h"

namespace quillo {

struct AppContext;

class StatusView {
 public:
  explicit StatusView(AppContext& ctx) : ctx_(ctx) {}

  bool Create(HWND parent);
  HWND Handle() const { return bar_.Handle(); }
  int Height() const { return bar_.Height(); }

  // The panels (all but the layout) and the layout panel.
  void Update();
  void UpdateLayoutPanel();

  // NM_DBLCLK and NM_RCLICK of the bar.
  void OnClick(bool doubleClick);

 private:
  void UpdateLinePanels();  // the line count and how far down the view reaches

  AppContext& ctx_;
  StatusBar bar_;
};

}  // namespace quillo

#pragma once
// "Во весь экран": the window without border, maximised, keeping of the
// bars, scroll bars and menu only what section "Options" asks for.
#include <windows.h>

namespace quillo {

struct AppContext;
class ActionRegistry;
class ToolBar;

class FullScreen {
 public:
  FullScreen(AppContext& ctx, ToolBar& toolBar) : ctx_(ctx), toolBar_(toolBar) {}
  void Bind(ActionRegistry& actions);
  bool On() const { return on_; }

 private:
  void Toggle();
  void Enter();
  void Leave();
  void ShowBars(bool toolBar, bool statusBar);

  AppContext& ctx_;
  ToolBar& toolBar_;
  bool on_ = false;
  LONG_PTR style_ = 0;       // the window's style before
  WINDOWPLACEMENT placement_{};
};

}  // namespace quillo

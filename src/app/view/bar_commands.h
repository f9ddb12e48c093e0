#pragma once
// The view commands that show or hide the tool bar and the status bar, and
// the tool bar's customisation and its saved button layout.
#include <windows.h>

namespace quillo {

struct AppContext;
class ActionRegistry;
class ToolBar;

class BarCommands {
 public:
  BarCommands(AppContext& ctx, ToolBar& toolBar) : ctx_(ctx), toolBar_(toolBar) {}
  void Bind(ActionRegistry& actions);

  // Ctrl+Shift+… window key: both bars at once.
  void ToggleBoth();
  // The bars shown as "ToolBar" and "StatusBar" say, and the tool bar's
  // hints as "ShowHint" says.
  void ApplySettings();

 private:
  AppContext& ctx_;
  ToolBar& toolBar_;
};

}  // namespace quillo

#pragma once
// Going to a line, a line and column or a percentage of the document, and
// back to the place of the last change.
#include "core/goto_input.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class GoToCommands {
 public:
  explicit GoToCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

  // The status bar's "0%"…"100%" items.
  void GoToPercent(int percent);

 private:
  void GoToLine();
  void GoBack();
  void MoveCaretTo(CaretTarget target);

  AppContext& ctx_;
};

}  // namespace quillo

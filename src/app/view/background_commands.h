#pragma once
// The editor's background colour: the colour dialog with the sixteen custom
// colours of the settings, and those colours listed in "Фон" and in the tool
// bar's background drop-down (with a swatch each) for a choice in one click.
#include <windows.h>

#include <array>

#include "app/platform/win_handles.h"
#include "core/setting_values.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class BackgroundCommands {
 public:
  explicit BackgroundCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

 private:
  void AskColor();
  void UseColor(Color color);
  void FillMenu(HMENU menu);
  HBITMAP Swatch(size_t index, Color color);

  AppContext& ctx_;
  std::array<BitmapHandle, 16> swatches_;  // made on the drop-down's first opening
};

}  // namespace quillo

#include "app/view/bar_commands.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/settings/settings_store.h"
#include "app/window/status_view.h"
#include "app/window/tool_bar.h"
#include "app/window/window_layout.h"

namespace quillo {

void BarCommands::Bind(ActionRegistry& actions) {
  struct BarToggle {
    ActionId action;
    bool SettingValues::*value;
    HWND (*bar)(BarCommands&);
  };
  static constexpr BarToggle kBars[] = {
      {ActionId::OptToolBar, &SettingValues::tool_bar, [](BarCommands& c) { return c.toolBar_.Handle(); }},
      {ActionId::OptStatusBar, &SettingValues::status_bar, [](BarCommands& c) { return c.ctx_.status.Handle(); }},
  };
  for (const BarToggle& toggle : kBars) {
    actions.Bind(
        toggle.action,
        [this, toggle] {
          bool visible = !(ctx_.settings.Values().*toggle.value);
          ctx_.settings.Set(toggle.value, visible);
          if (HWND bar = toggle.bar(*this)) ShowWindow(bar, visible ? SW_SHOWNA : SW_HIDE);
          ctx_.layout.Relayout();
          ctx_.status.Update();
        },
        [this, toggle] { return ActionState::Checked(ctx_.settings.Values().*toggle.value); });
  }
  actions.BindCommand(CommandId::ToolBarCustomize, [this](int) { toolBar_.Customize(); });
  actions.BindCommand(CommandId::ToolBarSave, [this](int) { toolBar_.SaveLayout(); });
  actions.BindCommand(CommandId::ToolBarRestore, [this](int) {
    toolBar_.RestoreLayout();
    ctx_.layout.Relayout();
  });
}

void BarCommands::ApplySettings() {
  const SettingValues& values = ctx_.settings.Values();
  if (HWND bar = toolBar_.Handle()) {
    ShowWindow(bar, values.tool_bar ? SW_SHOWNA : SW_HIDE);
    toolBar_.ShowHints(values.show_hint);
  }
  if (HWND bar = ctx_.status.Handle()) ShowWindow(bar, values.status_bar ? SW_SHOWNA : SW_HIDE);
  ctx_.layout.Relayout();
}

void BarCommands::ToggleBoth() {
  ctx_.actions.Run(ActionId::OptToolBar);
  ctx_.actions.Run(ActionId::OptStatusBar);
}

}  // namespace quillo

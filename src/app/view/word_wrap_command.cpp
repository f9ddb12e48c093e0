#include "app/view/word_wrap_command.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/settings/settings_apply.h"
#include "app/settings/settings_store.h"
#include "app/window/status_view.h"

namespace quillo {

void WordWrapCommand::Bind(ActionRegistry& actions) {
  actions.Bind(ActionId::OptWordWrap, [this] { Toggle(); },
               [this] { return ActionState::Checked(ctx_.settings.Values().word_wrap); });
}

// The editor keeps the caret on its character, whatever rows the text
// breaks into now.
void WordWrapCommand::Toggle() {
  SettingsStore& settings = ctx_.settings;
  const bool wrap = !settings.Values().word_wrap;
  ctx_.editor.SetWordWrap(wrap);
  settings.Set(&SettingValues::word_wrap, wrap);
  // A font set without being stored gives way to the stored one.
  const FontSetting shown = settings.Values().font;
  settings.Reread(&SettingValues::font);
  if (!(settings.Values().font == shown)) ApplyEditorFont(ctx_.editor, settings.Values().font);
  ctx_.status.Update();
}

}  // namespace quillo

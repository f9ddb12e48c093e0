#include "app/view/font_commands.h"

#include <algorithm>
#include <cstdio>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/platform/keyboard.h"
#include "app/settings/settings_apply.h"
#include "app/settings/settings_store.h"
#include "app/view/font_dialog.h"
#include "app/window/status_view.h"
#include "core/win1251.h"

namespace quillo {
namespace {

// A size below one point would be no size at all (the control takes it for
// its default), and the font dialog offers nothing above this.
constexpr int kSmallestPoints = 1;
constexpr int kLargestPoints = 1638;

struct PresetAction {
  ActionId action;
  FontSetting SettingValues::*font;
};
constexpr PresetAction kPresets[] = {
    {ActionId::OptFont1, &SettingValues::font1},
    {ActionId::OptFont2, &SettingValues::font2},
    {ActionId::OptFont3, &SettingValues::font3},
    {ActionId::OptFont4, &SettingValues::font4},
};

std::string PresetCaption(const FontSetting& font) {
  char caption[160];
  std::snprintf(caption, sizeof caption, "%s, %d", Win1251ToUtf8(font.name).c_str(), font.size);
  return caption;
}

}  // namespace

void FontCommands::Bind(ActionRegistry& actions) {
  actions.Bind(ActionId::OptFont, [this] { ChooseEditorFont(); });
  actions.Bind(ActionId::OptFontp1, [this] { StepSize(+1); });
  actions.Bind(ActionId::OptFontm1, [this] { StepSize(-1); });
  for (int n = 1; n <= 4; ++n) {
    const PresetAction& preset = kPresets[n - 1];
    actions.Bind(preset.action, [this, n] { Preset(n); },
                 [this, preset] {
                   ActionState state;
                   state.caption = PresetCaption(ctx_.settings.Values().*preset.font);
                   return state;
                 });
  }
}

void FontCommands::UseFont(const FontSetting& font) {
  ctx_.settings.Set(&SettingValues::font, font);
  ApplyEditorFont(ctx_.editor, font);
  ctx_.status.Update();
}

void FontCommands::ChooseEditorFont() {
  FontSetting font = ctx_.settings.Values().font;
  if (AskFont(ctx_.window, font)) UseFont(font);
}

void FontCommands::StepSize(int points) {
  FontSetting font = ctx_.settings.Values().font;
  font.size = std::clamp(font.size + points, kSmallestPoints, kLargestPoints);
  UseFont(font);
}

// Shift: choose the preset in the font dialog; Ctrl: the preset takes the
// editor's font; no key: the editor takes the preset.
void FontCommands::Preset(int number) {
  FontSetting SettingValues::*field = kPresets[number - 1].font;
  SettingsStore& settings = ctx_.settings;
  const unsigned modifiers = CurrentModifiers();
  if (modifiers & kShift) {
    FontSetting font = settings.Values().*field;
    if (AskFont(ctx_.window, font)) settings.Set(field, font);
  } else if (modifiers & kCtrl) {
    settings.Set(field, settings.Values().font);
  } else {
    UseFont(settings.Values().*field);
  }
}

}  // namespace quillo

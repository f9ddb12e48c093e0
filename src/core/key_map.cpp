#include "core/key_map.h"

#include <algorithm>
#include <iterator>

namespace quillo {
namespace {

using E = WindowKeyEffect;

constexpr WindowKey kWindowKeys[] = {
    {"Ctrl+F3", E::FocusFindBoxOrFind},
    {"F4", E::ToggleMaximized},
    {"Alt+F10", E::ToggleMaximized},
    {"Shift+Ctrl+F10", E::Swallow},
    {"Ctrl+Alt+F10", E::MinimizeApplication},
    {"Shift+Alt+F10", E::MinimizeToTray},
    {"Ctrl+Alt+F11", E::ToggleBothBars},
    {"Shift+Ctrl+H", E::ToggleBothBars},
    {"Shift+Ctrl+D", E::InsertDateAndTime},
    {"Shift+Ctrl+T", E::InsertDateAndTime},
    {"Esc", E::CloseProgram},
    {"Space", E::PageDownInReadOnly},
};

constexpr ActionId kSecondShortcutPrecedence[] = {
    ActionId::TextLatToRusInvert,
    ActionId::FileOpenFolder,
    ActionId::FileSaveSelText,
};

void AddSecondShortcuts(const ActionInfo& action, std::vector<KeyBinding>& bindings) {
  for (const Shortcut& shortcut : SecondShortcuts(action)) {
    bindings.push_back({shortcut, action.id});
  }
}

}  // namespace

std::span<const WindowKey> WindowKeys() { return kWindowKeys; }

std::span<const ActionId> SecondShortcutPrecedence() { return kSecondShortcutPrecedence; }

KeyMap::KeyMap() {
  for (const ActionInfo& action : Actions()) {
    if (const std::optional<Shortcut> primary = PrimaryShortcut(action)) {
      bindings_.push_back({*primary, action.id});
    }
  }
  for (ActionId id : kSecondShortcutPrecedence) AddSecondShortcuts(GetAction(id), bindings_);
  for (const ActionInfo& action : Actions()) {
    if (std::find(std::begin(kSecondShortcutPrecedence), std::end(kSecondShortcutPrecedence),
                  action.id) == std::end(kSecondShortcutPrecedence)) {
      AddSecondShortcuts(action, bindings_);
    }
  }
  for (const WindowKey& windowKey : kWindowKeys) {
    if (const std::optional<Shortcut> shortcut = ParseShortcut(windowKey.shortcut)) {
      windowKeys_.emplace_back(*shortcut, windowKey.effect);
    }
  }
}

std::optional<ActionId> KeyMap::ActionFor(int key, std::uint8_t modifiers) const {
  for (const KeyBinding& binding : bindings_) {
    if (ShortcutMatches(binding.shortcut, key, modifiers)) return binding.action;
  }
  return std::nullopt;
}

std::optional<WindowKeyEffect> KeyMap::WindowKeyFor(int key, std::uint8_t modifiers) const {
  for (const auto& [shortcut, effect] : windowKeys_) {
    if (ShortcutMatches(shortcut, key, modifiers)) return effect;
  }
  return std::nullopt;
}

}  // namespace quillo

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

// With Ctrl, the keys of editing a line in a field.
constexpr std::string_view kFieldCtrlKeys[] = {"A", "C", "X", "Z", "Y", "Ins", "Del", "BkSp",
                                               "Left", "Right", "Home", "End"};
// Without Ctrl and Alt, the keys that are not typing.
constexpr std::string_view kNotFieldKeys[] = {"Enter", "Esc", "Tab"};
constexpr int kFirstFunctionKey = 0x70;  // F1
constexpr int kFunctionKeyCount = 24;

constexpr std::string_view kControlKeysWhenUnavailable[] = {"Del"};

int KeyOf(std::string_view name) {
  std::optional<Shortcut> shortcut = ParseShortcut(name);
  return shortcut ? shortcut->key : 0;
}

template <std::size_t N>
bool NamesKey(const std::string_view (&names)[N], int key) {
  return std::any_of(std::begin(names), std::end(names), [key](std::string_view name) { return KeyOf(name) == key; });
}

void AddSecondShortcuts(const ActionInfo& action, std::vector<KeyBinding>& bindings) {
  for (const Shortcut& shortcut : SecondShortcuts(action)) {
    bindings.push_back({shortcut, action.id});
  }
}

}  // namespace

std::span<const WindowKey> WindowKeys() { return kWindowKeys; }

std::span<const ActionId> SecondShortcutPrecedence() { return kSecondShortcutPrecedence; }

bool BelongsToFocusedField(int key, std::uint8_t modifiers) {
  if (modifiers & kModAlt) return false;
  if (key >= kFirstFunctionKey && key < kFirstFunctionKey + kFunctionKeyCount) return false;
  if (modifiers & kModCtrl) return NamesKey(kFieldCtrlKeys, key);
  return !NamesKey(kNotFieldKeys, key);
}

bool GoesToControlWhenUnavailable(int key, std::uint8_t modifiers) {
  return std::any_of(std::begin(kControlKeysWhenUnavailable), std::end(kControlKeysWhenUnavailable),
                     [&](std::string_view text) {
                       std::optional<Shortcut> shortcut = ParseShortcut(text);
                       return shortcut && ShortcutMatches(*shortcut, key, modifiers);
                     });
}

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

#pragma once
// Key combinations as the menus write them ("Shift+Ctrl+Alt+W", "Ctrl+]",
// "Alt+Shift+BkSp", "Num +"). Keys are Windows virtual-key codes kept as
// plain integers so the window layer can use them directly.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillo {

// The modifier byte shared with plug-ins: 1 Shift, 2 Ctrl, 4 Alt.
enum ModifierBits : std::uint8_t {
  kModNone = 0,
  kModShift = 1,
  kModCtrl = 2,
  kModAlt = 4,
};

struct Shortcut {
  int key = 0;                 // virtual-key code; 0 = no key
  std::uint8_t modifiers = 0;  // ModifierBits

  friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

// Parses a shortcut text. Modifier words may come in any order and any
// letter case; "BkSp" and "Backspace" name the same key. A text that names
// no key ("Alt+Shift") or an unknown key gives nothing.
std::optional<Shortcut> ParseShortcut(std::string_view text);

// The menu spelling: "Shift+", "Ctrl+", "Alt+" in that order, then the
// key's short name. Empty for a shortcut without a key.
std::string ShortcutToText(const Shortcut& shortcut);

// Short name of a key ("F5", "BkSp", "]", "Num +"); empty when unknown.
std::string_view KeyName(int key);

// True when a pressed key with the given modifier state runs this shortcut.
// A shortcut without a key never matches.
bool ShortcutMatches(const Shortcut& shortcut, int key, std::uint8_t modifiers);

}  // namespace quillo

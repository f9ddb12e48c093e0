#pragma once
// Which command a key runs. A pressed key is looked up in this order:
//   1. the primary shortcuts of the actions (they are all distinct);
//   2. the second shortcuts, first those of the actions listed in
//      SecondShortcutPrecedence(), then the others in action-table order;
//   3. the keys the main window handles itself (WindowKeys()).
// So Ctrl+Alt+E runs FileOpenFolder (its primary shortcut) rather than
// TextLatToRusInvert, Ctrl+Alt+F12 runs FileOpenFolder rather than
// FileSaveSelText, and Shift+Ctrl+F10 runs FileExecute before the window's
// rule for it is reached. The result does not depend on whether menus show
// their shortcut texts.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "core/action_table.h"
#include "core/shortcut.h"

namespace quillo {

enum class WindowKeyEffect {
  FocusFindBoxOrFind,   // Ctrl+F3: find box when the panel is shown, else FindFind
  ToggleMaximized,      // maximised <-> normal
  Swallow,              // nothing happens and the control never sees the key
  MinimizeApplication,
  MinimizeToTray,       // even when the tray setting is off
  ToggleBothBars,       // OptToolBar, then OptStatusBar
  InsertDateAndTime,    // current date and time formats joined by a space
  CloseProgram,         // Esc without modifiers
  PageDownInReadOnly,   // Space typed while OptReadOnly is on
};

struct WindowKey {
  std::string_view shortcut;  // modifier state is compared exactly
  WindowKeyEffect effect;
};

std::span<const WindowKey> WindowKeys();

// Keys typed while a text field (or another control of a panel) has the
// focus that belong to that control rather than to the command table:
// typing and its editing keys, that is every key without Ctrl and Alt but
// the function keys, Enter, Esc and Tab, and with Ctrl the keys of editing a
// line: A, C, X, Z, Y, Ins, Del, BkSp and the moves Left, Right, Home, End
// (Shift or not). Ctrl+V is the paste action's, which knows the fields.
bool BelongsToFocusedField(int key, std::uint8_t modifiers);

// A key bound to a command that cannot run now does nothing, except these,
// which the editor control then handles itself: Del with nothing selected
// deletes the next character.
bool GoesToControlWhenUnavailable(int key, std::uint8_t modifiers);

// Actions whose second shortcuts are consulted before all other second
// shortcuts, in this order.
std::span<const ActionId> SecondShortcutPrecedence();

struct KeyBinding {
  Shortcut shortcut;
  ActionId action;
};

class KeyMap {
 public:
  KeyMap();

  std::optional<ActionId> ActionFor(int key, std::uint8_t modifiers) const;
  std::optional<WindowKeyEffect> WindowKeyFor(int key, std::uint8_t modifiers) const;

  // The action bindings in lookup order, primary shortcuts first.
  std::span<const KeyBinding> Bindings() const { return bindings_; }

 private:
  std::vector<KeyBinding> bindings_;
  std::vector<std::pair<Shortcut, WindowKeyEffect>> windowKeys_;
};

}  // namespace quillo

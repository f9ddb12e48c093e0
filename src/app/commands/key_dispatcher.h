#pragma once
// Keys pressed anywhere in the main window, looked up before the focused
// control sees them: the actions' shortcuts, then the window's own keys. A
// key bound to a command never reaches the control, also when the command
// cannot run now (Wine's control has keys of its own, Ctrl+W opens a
// debugging box); the control keeps only what it must do itself then.
#include <windows.h>

#include <functional>
#include <map>

#include "core/key_map.h"

namespace quillo {

class ActionRegistry;

// Where a key goes, as a panel with the focus decides before the lookup.
enum class KeyRoute {
  Used,       // the panel used it
  ToControl,  // the focused control's own key (typing in a field)
  Lookup,     // the command table's and the window's
};

class KeyDispatcher {
 public:
  explicit KeyDispatcher(ActionRegistry& actions) : actions_(actions) {}

  // What a window key does; a key whose effect has no handler goes on to
  // the control.
  void OnWindowKey(WindowKeyEffect effect, std::function<void()> handler) {
    windowKeys_[effect] = {std::move(handler), {}};
  }
  // A window key that acts only while `when` holds; otherwise it goes on to
  // the control (Space pages down only in read-only mode).
  void OnWindowKey(WindowKeyEffect effect, std::function<void()> handler, std::function<bool()> when) {
    windowKeys_[effect] = {std::move(handler), std::move(when)};
  }
  // Offered every key first (the find panel's keys); modifiers as in
  // core/shortcut.h.
  void SetPreview(std::function<KeyRoute(UINT key, std::uint8_t modifiers)> preview) {
    preview_ = std::move(preview);
  }
  // Run after an action ran from its key.
  void SetAfterAction(std::function<void()> after) { afterAction_ = std::move(after); }

  // True when the key was used and must not reach the control.
  bool Handle(UINT key);
  bool Handle(UINT key, std::uint8_t modifiers);

 private:
  ActionRegistry& actions_;
  KeyMap keyMap_;
  struct WindowKeyHandler {
    std::function<void()> run;
    std::function<bool()> when;  // empty: always
  };
  std::map<WindowKeyEffect, WindowKeyHandler> windowKeys_;
  std::function<KeyRoute(UINT, std::uint8_t)> preview_;
  std::function<void()> afterAction_;
};

}  // namespace quillo

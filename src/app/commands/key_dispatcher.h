#pragma once
// Keys pressed anywhere in the main window, looked up before the focused
// control sees them: the actions' shortcuts, then the window's own keys.
#include <windows.h>

#include <functional>
#include <map>

#include "core/key_map.h"

namespace quillo {

class ActionRegistry;

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
  // Offered every key first (the find panel's own keys); true when used.
  void SetPreview(std::function<bool(UINT key)> preview) { preview_ = std::move(preview); }
  // Run after an action ran from its key.
  void SetAfterAction(std::function<void()> after) { afterAction_ = std::move(after); }

  // True when the key was used and must not reach the control.
  bool Handle(UINT key);

 private:
  ActionRegistry& actions_;
  KeyMap keyMap_;
  struct WindowKeyHandler {
    std::function<void()> run;
    std::function<bool()> when;  // empty: always
  };
  std::map<WindowKeyEffect, WindowKeyHandler> windowKeys_;
  std::function<bool(UINT)> preview_;
  std::function<void()> afterAction_;
};

}  // namespace quillo

#pragma once
// The "Правка" commands that act on the editor directly: undo and redo, the
// clipboard, deleting and selecting, the insert mode and the keyboard layout.
#include <functional>

namespace quillo {

struct AppContext;
class ActionRegistry;

class EditCommands {
 public:
  explicit EditCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

  // A field of another feature that takes Ctrl+V for itself while it has the
  // focus (the find panel's); true when it did.
  void SetFieldPaste(std::function<bool()> pasteIntoFocusedField) {
    pasteIntoField_ = std::move(pasteIntoFocusedField);
  }

  // "Вставить": the clipboard's text at the caret.
  void Paste();

 private:
  void ToggleInsertMode();
  void ChangeKeyboardLayout();
  void Deselect();

  AppContext& ctx_;
  std::function<bool()> pasteIntoField_;
};

}  // namespace quillo

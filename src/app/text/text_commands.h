#pragma once
// The text commands: keyboard layout and letter case, numbers in words, date
// and time, tabs, spaces, line breaks and whole lines.
namespace quillo {

struct AppContext;
class ActionRegistry;

class TextCommands {
 public:
  explicit TextCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

  // The current date and time formats joined by a space, at the caret.
  void InsertDateAndTime();

 private:
  AppContext& ctx_;
};

}  // namespace quillo

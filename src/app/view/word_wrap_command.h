#pragma once
// "Перенос по словам": the editor's word wrap, remembered in the settings.
namespace quillo {

struct AppContext;
class ActionRegistry;

class WordWrapCommand {
 public:
  explicit WordWrapCommand(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

 private:
  void Toggle();

  AppContext& ctx_;
};

}  // namespace quillo

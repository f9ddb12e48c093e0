#pragma once
// "Создать в новом окне…" and "Открыть в новом окне…": another process of
// the program, after this one's settings are on disk for it to read.
namespace quillo {

struct AppContext;
class ActionRegistry;

class NewWindowCommands {
 public:
  explicit NewWindowCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

 private:
  void NewWindow();
  void OpenInNewWindow();

  AppContext& ctx_;
};

}  // namespace quillo

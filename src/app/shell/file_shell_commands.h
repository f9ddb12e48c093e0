#pragma once
// The document's file handed to the shell: "Выполнить" runs it, "Открыть
// папку…" shows its folder in the file manager of the settings, "Свойства
// файла..." shows the shell's properties dialog.
#include <string>

namespace quillo {

struct AppContext;
class ActionRegistry;

class FileShellCommands {
 public:
  explicit FileShellCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

 private:
  void Execute();
  void OpenFolder();
  void Properties();

  AppContext& ctx_;
};

}  // namespace quillo

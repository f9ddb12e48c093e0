#pragma once
// The help commands: the help file, the about box, the home page and the
// feedback mail.
#include <memory>

namespace quillo {

struct AppContext;
class ActionRegistry;
class HelpViewer;

class HelpCommands {
 public:
  explicit HelpCommands(AppContext& ctx);
  ~HelpCommands();
  void Bind(ActionRegistry& actions);

  // Also the system menu's "О программе...".
  void ShowAbout();

 private:
  AppContext& ctx_;
  std::unique_ptr<HelpViewer> viewer_;
};

}  // namespace quillo

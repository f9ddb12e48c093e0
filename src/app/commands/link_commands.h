#pragma once
// Links in the text: a click on one, "Перейти по ссылке" and "Копировать ссылку".
#include <string>

namespace quillo {

struct AppContext;
class ActionRegistry;

class LinkCommands {
 public:
  explicit LinkCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

  // A click on a link; the left button with Ctrl opens it.
  void OnClick(const std::string& link, bool leftButton);
  bool HasLink() const { return !link_.empty(); }

 private:
  void GoToLink();
  void CopyLink();

  AppContext& ctx_;
  std::string link_;  // Windows-1251
};

}  // namespace quillo

#pragma once
// Links in the text: a click on one, "Перейти по ссылке" and "Копировать ссылку".
#include <string>
#include <utility>

namespace quillo {

struct AppContext;
class ActionRegistry;

class LinkCommands {
 public:
  explicit LinkCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

  // A click on a link; the left button with Ctrl opens it. The right button
  // with nothing selected makes the next context menu the link menu.
  void OnClick(const std::string& link, bool leftButton);
  bool HasLink() const { return !link_.empty(); }
  // A mouse button went down in the text: the context menu is the text's again.
  void OnMouseDown() { linkMenuDue_ = false; }
  // Whether the context menu about to open is the link menu; asked once per menu.
  bool TakeLinkMenu() { return std::exchange(linkMenuDue_, false); }

 private:
  void GoToLink();
  void CopyLink();

  AppContext& ctx_;
  std::string link_;  // Windows-1251
  bool linkMenuDue_ = false;
};

}  // namespace quillo

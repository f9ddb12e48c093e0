#include "app/commands/link_commands.h"

#include <windows.h>
#include <shellapi.h>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/platform/clipboard.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"
#include "app/settings/settings_store.h"

namespace quillo {

void LinkCommands::Bind(ActionRegistry& a) {
  a.Bind(ActionId::URLGoToLink, [this] { GoToLink(); });
  a.Bind(ActionId::URLCopyLink, [this] { CopyLink(); });
}

void LinkCommands::OnClick(const std::string& link, bool leftButton) {
  link_ = link;
  if (!leftButton) {
    linkMenuDue_ = ctx_.editor.SelLength() == 0;
    return;
  }
  if (ctx_.settings.Values().url_click_hint) {
    ctx_.Ask("Для того чтобы перейти по ссылке, кликните по ней, удерживая клавишу Ctrl.",
             kCaptionInformation, MB_OK | MB_ICONINFORMATION);
    ctx_.settings.Set(&SettingValues::url_click_hint, false);
  }
  if (GetKeyState(VK_CONTROL) < 0) GoToLink();
}

void LinkCommands::GoToLink() {
  ShellExecuteW(ctx_.window, L"open", WideFromWin1251(link_).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void LinkCommands::CopyLink() { WriteClipboardText(ctx_.window, WideFromWin1251(link_)); }

}  // namespace quillo

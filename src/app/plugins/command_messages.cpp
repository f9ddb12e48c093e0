#include "app/plugins/command_messages.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/interop.h"
#include "app/settings/settings_apply.h"
#include "app/window/menus.h"
#include "app/window/status_view.h"
#include "quillo_plugin.h"

namespace quillo {

// The numbers plug-ins and other programs are built with.
static_assert(QM_FILENEW == static_cast<unsigned>(CommandMessage::FileNew));
static_assert(QM_FILESAVEAS2 == static_cast<unsigned>(CommandMessage::FileSaveAs2));
static_assert(QM_GOTOLINE == static_cast<unsigned>(CommandMessage::GoToLine));
static_assert(QM_READONLY == static_cast<unsigned>(CommandMessage::ReadOnly));
static_assert(WM_TRAYNOTIFY == WM_QUILLO_TRAY && WM_SAVEDOCUMENT == WM_QUILLO_SAVE &&
              WM_ACTIVATEINSTANCE == WM_QUILLO_ACTIVATE && WM_RELOADBOOKMARKS == WM_QUILLO_RELOAD_BOOKMARKS &&
              WM_RELOADSETTINGS == WM_QUILLO_APPLY_SETTINGS);

bool CommandMessages::Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  result = 0;
  if (auto plan = PlanCommandMessage(msg, wp, static_cast<std::uint64_t>(lp))) {
    result = Carry(*plan);
    ctx_.status.Update();
    return true;
  }
  switch (msg) {
    case WM_QUILLO_ACTIVATE:
      // The tray takes this over when it is there (the window may be hidden in it).
      if (auto it = privateHandlers_.find(msg); it != privateHandlers_.end() && it->second)
        it->second(wp, lp);
      else
        BringToFront();
      return true;
    case WM_QUILLO_SAVE:
      // "Сохранить все": a document only viewed is not rewritten.
      if (ctx_.document.Modified()) ctx_.actions.Run(ActionId::FileSave);
      ctx_.status.Update();
      return true;
    case WM_QUILLO_APPLY_SETTINGS:
    case WM_QUILLO_TRAY:
    case WM_QUILLO_RELOAD_BOOKMARKS: {
      auto it = privateHandlers_.find(msg);
      if (it != privateHandlers_.end() && it->second) it->second(wp, lp);
      return true;
    }
    case WM_SYSCOMMAND:
      if (wp != kSysMenuAbout) return false;
      ctx_.actions.Run(ActionId::HelpAbout);
      return true;
    case WM_EXITSIZEMOVE:
      StoreWindowPlacement(ctx_);
      return true;
    default:
      return false;
  }
}

LRESULT CommandMessages::Carry(const MessagePlan& plan) {
  ActionRegistry& actions = ctx_.actions;
  switch (plan.effect) {
    case MessageEffect::kRun:
      return actions.Run(plan.action) ? 1 : 0;
    case MessageEffect::kRunRepeated: {
      LRESULT last = 0;
      // Once the action cannot run, the runs left cannot either: their
      // result is the same 0 without taking the time of a huge count.
      for (int i = 0; i < plan.count; ++i)
        if ((last = actions.Run(plan.action) ? 1 : 0) == 0) break;
      return last;
    }
    case MessageEffect::kOpenRecent:
      return OpenRecentFile(plan.index);
    case MessageEffect::kSetToggle:
      actions.TakeSnapshot();
      if (actions.State(plan.action).checked != plan.on) actions.Run(plan.action);
      return 0;
    case MessageEffect::kSetWordWrap:
      ctx_.editor.SetWordWrap(plan.on);
      return 0;
    case MessageEffect::kFontPreset:
      try {
        return actions.Run(plan.action) ? 1 : 0;
      } catch (...) {
        return 0;
      }
    case MessageEffect::kSetBackground:
      ctx_.editor.SetColor(plan.color);
      return 0;
    case MessageEffect::kNothing:
      return 0;
  }
  return 0;
}

// Chooses the child of "История" at that index, as a click on it would.
LRESULT CommandMessages::OpenRecentFile(int index) {
  std::vector<HMENU> copies = ctx_.menus.NativeMenus(MenuId::mnFileHistory);
  if (copies.empty()) return 0;
  HMENU history = copies.front();
  // The list's owner fills the menu as it would before it opens.
  ctx_.menus.OnInitMenuPopup(history);
  if (index < 0 || index >= GetMenuItemCount(history)) return 0;
  const UINT id = GetMenuItemID(history, index);
  if (id == static_cast<UINT>(-1)) return 0;
  try {
    return ctx_.actions.RunMenuCommand(static_cast<int>(id)) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

void CommandMessages::BringToFront() {
  HWND window = ctx_.window;
  if (!IsWindowVisible(window) || IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

}  // namespace quillo

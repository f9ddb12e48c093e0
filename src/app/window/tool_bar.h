#pragma once
// The tool bar: flat buttons with hints for the actions of the tool-bar
// table, drop-down menus beside some of them. A button without an image
// shows its caption instead.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "app/commands/action_registry.h"
#include "app/window/icons.h"
#include "app/platform/window_base.h"
#include "app/window/menus.h"

namespace quillo {

class ToolBar : public WindowBase {
 public:

  bool Create(HWND parent, const Icons& icons, const ActionRegistry& actions, WindowMenus& menus);
  // The height it takes at the top of the window, 0 while hidden. The
  // buttons that do not fit the window's width go to further rows, so
  // every one stays within reach.
  int Height();

  // Enables and checks the buttons as their actions say; also runs by
  // itself a few times a second, as the actions' update handlers would.
  void UpdateButtons();

  // Setting "ShowHint": the buttons' tool tips on or off.
  void ShowHints(bool on);

  // The system's customisation dialog; the button layout saved to or
  // restored from the registry (HKEY_CURRENT_USER, key "Quillo").
  void Customize();
  void SaveLayout();
  void RestoreLayout();

  // WM_NOTIFY from the tool bar or its hint window; false when not ours.
  bool OnNotify(NMHDR& header, LRESULT& result);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool OnCustomizeNotify(NMHDR& header, LRESULT& result);

  HWND parent_ = nullptr;
  const ActionRegistry* actions_ = nullptr;
  WindowMenus* menus_ = nullptr;
  // Lays the buttons out in rows for this width; the height they take.
  int FitRows(int width);

  int rowHeight_ = 0;
  int fittedWidth_ = -1;
  int fittedHeight_ = 0;
  std::unordered_map<int, std::wstring> hints_;  // by command id
  std::wstring liveHint_;
  // Every button the bar can hold, for the customisation dialog and the
  // restored layout; texts_ holds their strings.
  std::vector<TBBUTTON> buttons_;
  std::vector<std::wstring> texts_;
};

}  // namespace quillo

#pragma once
// The plug-ins of one window: loading and starting the libraries of the
// folder "PlugIns" beside the program, the host object they are given, their
// menu items, and the notifications they registered for.
//
// Every call into a plug-in (Execute, a notification, a menu item) runs
// under the fault guard: a plug-in that faults ends only its own call. A
// start that fails drops the library and its menu items silently; a fault in
// a notification is reported (once the program is back in its message loop)
// and later plug-ins still get the event; after kFaultLimit such faults the
// plug-in gets no more notifications; a failing menu item says "Ошибка
// выполнения модуля.".
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/plugins/fault_guard.h"
#include "app/plugins/host_table.h"
#include "app/plugins/plugin_list.h"
#include "app/plugins/plugin_menu_items.h"
#include "app/plugins/plugin_reports.h"
#include "app/plugins/work_plugin.h"

namespace quillo {

struct AppContext;
class ActionRegistry;
class Icons;
class ToolBar;

class PlugIns {
 public:
  static constexpr int kFaultLimit = 3;

  // closing: whether an exit is under way (key and change notifications
  // are silenced then).
  PlugIns(AppContext& ctx, Icons& icons, ToolBar& toolBar, std::function<bool()> closing);
  PlugIns(const PlugIns&) = delete;
  PlugIns& operator=(const PlugIns&) = delete;
  ~PlugIns();

  // The plug-in items' commands and the document's announcements.
  void Bind(ActionRegistry& actions);
  // Loads every "*.dll" of the folder "PlugIns" beside the program, starts
  // each (all before any is dropped), drops those whose start failed, and
  // disables "Надстройки" when none is left.
  void Load();
  // Frees the libraries in load order, then forgets their menu items. Runs
  // once the window is gone, so no window of a plug-in outlives its code.
  void Unload();

  size_t Count() const { return list_.Count(); }
  // One line per plug-in for the settings dialog (UTF-8), in load order.
  std::vector<std::string> Listing() const;

  // Keys of the main window and its children, before anything else sees
  // them: WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP, WM_SYSKEYUP and WM_CHAR.
  void OnKeyMessage(UINT msg, WPARAM wp);
  // The editor's text changed.
  void OnTextChanged();
  // A key no command took: runs the plug-in item whose shortcut it is.
  bool RunShortcut(UINT key);

 private:
  template <typename F>
  FaultCode CallInto(HMODULE plugin, F& call);
  void Broadcast(PluginEvent event, const std::function<void(CallbackAddress)>& call);
  void OnCallbackFault(PlugIn& plugin, PluginEvent event, FaultCode code);
  void ChooseItem(int index);
  void ShowPlugInsMenuState();

  AppContext& ctx_;
  std::function<bool()> closing_;
  PlugInList list_;
  PlugInMenuItems items_;
  WorkPlugIn host_;
  HostTable table_{host_};
  FaultGuard guard_;
  PlugInReports reports_;
  HMODULE calling_ = nullptr;
  bool changedDuringUpdate_ = false;
};

}  // namespace quillo

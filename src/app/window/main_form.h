#pragma once
// The main window of one editor process. It owns the editor, the document,
// the settings and every feature, wires them to each other through the
// application context, routes the window's messages, and runs start-up and
// exit in their fixed order. What a command does lives with its feature.
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/commands/clipboard_commands.h"
#include "app/commands/edit_commands.h"
#include "app/commands/key_dispatcher.h"
#include "app/commands/link_commands.h"
#include "app/document/codepage_commands.h"
#include "app/document/document.h"
#include "app/document/file_commands.h"
#include "app/editor/rich_edit.h"
#include "app/find/find_commands.h"
#include "app/find/goto_commands.h"
#include "app/help/help_commands.h"
#include "app/history/bookmarks.h"
#include "app/history/position_mark_keys.h"
#include "app/history/recent_files.h"
#include "app/interop.h"
#include "app/printing/printing_commands.h"
#include "app/platform/window_base.h"
#include "app/plugins/command_messages.h"
#include "app/plugins/plug_ins.h"
#include "app/settings/options_command.h"
#include "app/settings/settings_store.h"
#include "app/text/text_commands.h"
#include "app/shell/dropped_files.h"
#include "app/shell/file_shell_commands.h"
#include "app/shell/new_windows.h"
#include "app/shell/tray.h"
#include "app/view/background_commands.h"
#include "app/view/bar_commands.h"
#include "app/view/font_commands.h"
#include "app/view/full_screen.h"
#include "app/view/read_only_mode.h"
#include "app/view/word_wrap_command.h"
#include "app/window/editor_event_router.h"
#include "app/window/icons.h"
#include "app/window/menus.h"
#include "app/window/status_view.h"
#include "app/window/tool_bar.h"
#include "app/window/window_layout.h"
#include "core/command_line.h"

namespace quillo {

class MainForm : public WindowBase {
 public:
  MainForm();

  // Process entry: start-up, then the message loop until the program ends.
  int Run(HINSTANCE instance, const std::vector<std::u16string>& args);

  // "Выход": the exit sequence; the save question's Cancel keeps the program.
  void CloseProgram();

  MyRichEdit& Editor() { return editor_; }
  ActionRegistry& Actions() { return actions_; }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // Start-up (startup.cpp); false when this process hands over to another
  // window and ends.
  bool StartUp(const std::vector<std::u16string>& args);
  bool ApplyInstanceRule();
  void CreateEditor();
  void CreateBars();
  void OpenStartupDocument();
  void AskToCreateMissingFile(const std::wstring& path);
  void ReportUnreadableSettings();

  // Every feature binds its actions, keys and events.
  void WireFeatures();
  bool OnCommand(UINT id);
  bool OnNotify(NMHDR& header, LRESULT& result);
  void ShowEditorMenu(LPARAM screenPoint);
  void FileSaveExit();
  void StoreSessionState();
  void WriteFilesAtEnd();
  void EndSession();
  // Every feature applies the values as this window holds them now; first
  // the values another window stored are taken in (settings_store.h).
  void TakeInSettings();
  void ApplyAllSettings();

  SettingsStore settings_;
  MyRichEdit editor_;
  Document document_{editor_, settings_};
  ActionRegistry actions_;
  KeyDispatcher keys_{actions_};
  Icons icons_;
  WindowMenus menus_;
  WindowLayout layout_;
  StatusView status_{ctx_};
  ToolBar toolBar_;
  AppContext ctx_;

  EditCommands edit_{ctx_};
  LinkCommands links_{ctx_};
  FileCommands files_{ctx_};
  CodePageCommands codePages_{ctx_};
  TextCommands text_{ctx_};
  FindCommands find_{ctx_};
  GoToCommands goTo_{ctx_};
  BarCommands bars_{ctx_, toolBar_};
  WordWrapCommand wordWrap_{ctx_};
  FontCommands fonts_{ctx_};
  BackgroundCommands background_{ctx_};
  FullScreen fullScreen_{ctx_, toolBar_};
  ReadOnlyMode readOnly_{ctx_};
  NewWindowCommands newWindows_{ctx_};
  FileShellCommands fileShell_{ctx_};
  DroppedFiles droppedFiles_{ctx_};
  Tray tray_{ctx_};
  HelpCommands help_{ctx_};
  PositionMarkKeys marks_{ctx_};
  ClipboardCommands clipboard_{ctx_};
  RecentFiles recent_{ctx_};
  Bookmarks bookmarks_{ctx_};
  PrintingCommands printing_{ctx_};
  PlugIns plugIns_{ctx_, icons_, toolBar_, [this] { return closing_; }};
  CommandMessages messages_{ctx_};
  OptionsCommand options_{ctx_, [this] { return plugIns_.Listing(); }};
  EditorEventRouter editorEvents_{ctx_, edit_, links_, marks_, plugIns_};

  StartCommand start_;
  bool closing_ = false;
};

}  // namespace quillo

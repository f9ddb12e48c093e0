#include "app/shell/new_windows.h"

#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/platform/file_dialogs.h"
#include "app/platform/new_window.h"
#include "app/settings/settings_store.h"

namespace quillo {

void NewWindowCommands::Bind(ActionRegistry& actions) {
  actions.Bind(ActionId::FileNewWindow, [this] { NewWindow(); });
  actions.Bind(ActionId::FileOpenNewWindow, [this] { OpenInNewWindow(); });
}

// The new window finds no last file to reopen; this one stores its own
// again when it exits.
void NewWindowCommands::NewWindow() {
  SettingsStore& settings = ctx_.settings;
  settings.Set(&SettingValues::file_name, std::string());
  settings.Set(&SettingValues::caret_pos_x, 0);
  settings.Set(&SettingValues::caret_pos_y, 0);
  settings.Save();
  StartProgramWindow(ctx_.window, L"");
}

// The new process hands the file to a window that shows it already.
void NewWindowCommands::OpenInNewWindow() {
  ctx_.settings.Save();
  std::vector<std::wstring> files = AskFilesToOpen(ctx_.window, ctx_.document.DialogFolder(), false);
  if (!files.empty()) quillo::OpenInNewWindow(ctx_.window, files.front());
}

}  // namespace quillo

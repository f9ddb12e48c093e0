#pragma once
// "Настройки…" (Ctrl+Alt+O): fills the settings dialog from the window's
// values, applies what the user confirmed in its fixed order, stores the
// settings, tells every window of the program to take them in, and makes the
// shell's associations. Also keeps the App Paths entry after every save.
#include <functional>
#include <string>
#include <vector>

#include "app/settings/options_dialog.h"
#include "app/shell/shell_registration.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class OptionsCommand : private OptionsDialogHost {
 public:
  using Lines = std::function<std::vector<std::string>()>;
  // plugInLines: one line per loaded plug-in (UTF-8).
  OptionsCommand(AppContext& ctx, Lines plugInLines);
  void Bind(ActionRegistry& actions);

  void Run();

  // "<program>.ext": the extensions offered for association, one a line
  // (also the auto-save list).
  static std::wstring ExtensionListFile();

 private:
  OptionsFields Fill();
  void Apply(const OptionsFields& fields);
  void ApplyAssociations(const OptionsFields& fields);
  void WriteExtensionList(const OptionsFields& fields);

  // OptionsDialogHost
  std::vector<std::wstring> PlugInLines() override;
  FontSetting Font(int number) override;
  void PickFont(HWND owner, int number) override;
  bool PickColor(HWND owner, Color& color) override;
  void OpenPlugInsFolder() override;
  bool BrowseProgram(HWND owner, std::wstring& path) override;
  void UnassociateNow(const std::wstring& ext) override;
  std::wstring ExtensionIcon(const std::wstring& ext) override;
  void SetExtensionIconNow(const std::wstring& icon, const std::wstring& ext) override;

  AppContext& ctx_;
  Lines plugInLines_;
  ShellRegistration shell_;
};

}  // namespace quillo

#include "app/shell/file_shell_commands.h"

#include <windows.h>
#include <shellapi.h>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/platform/error_box.h"
#include "app/platform/file_io.h"
#include "app/platform/ui_text.h"
#include "app/settings/settings_store.h"
#include "core/shell_command.h"

namespace quillo {
namespace {

// shell32's object-properties function, exported only by its number.
using ShowObjectProperties = BOOL(WINAPI*)(HWND, DWORD, const wchar_t*, const wchar_t*);
constexpr WORD kObjectPropertiesOrdinal = 178;
constexpr DWORD kObjectIsFilePath = 2;

}  // namespace

void FileShellCommands::Bind(ActionRegistry& actions) {
  actions.Bind(ActionId::FileExecute, [this] { Execute(); },
               [this] { return ActionState::Enabled(FileExists(ctx_.document.FileName())); });
  actions.Bind(ActionId::FileOpenFolder, [this] { OpenFolder(); });
  actions.Bind(ActionId::FileProperties, [this] { Properties(); });
}

// The file as it is on disk; the document is not saved first. What the
// shell makes of it is the shell's: a failed start shows nothing.
void FileShellCommands::Execute() {
  const std::wstring& path = ctx_.document.FileName();
  if (!FileExists(path)) return;
  const std::wstring folder = FolderOf(path);
  ShellExecuteW(ctx_.window, L"open", path.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}

void FileShellCommands::OpenFolder() {
  const std::wstring& path = ctx_.document.FileName();
  if (path.empty()) return;
  const ShellCommand manager = SplitShellCommand(U16(WideFromWin1251(ctx_.settings.Values().file_manager)));
  std::u16string parameters = manager.arguments;
  if (!parameters.empty()) parameters += u' ';
  parameters += QuotedFolderOf(U16(path));
  const std::wstring program = FromU16(manager.program);
  const std::wstring arguments = FromU16(parameters);
  ShellExecuteW(ctx_.window, L"open", program.c_str(), arguments.c_str(), nullptr, SW_SHOWNORMAL);
}

void FileShellCommands::Properties() {
  const std::wstring& path = ctx_.document.FileName();
  if (path.empty()) return;
  HMODULE shell = GetModuleHandleW(L"shell32.dll");
  auto show = shell ? reinterpret_cast<ShowObjectProperties>(reinterpret_cast<void*>(
                          GetProcAddress(shell, MAKEINTRESOURCEA(kObjectPropertiesOrdinal))))
                    : nullptr;
  if (!show || !show(ctx_.window, kObjectIsFilePath, path.c_str(), L""))
    throw UserError("Не удалось показать свойства файла \"" + Utf8(path) + "\".");
}

}  // namespace quillo

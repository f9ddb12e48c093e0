#include "app/settings/options_command.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/interop.h"
#include "app/platform/file_io.h"
#include "app/platform/file_write.h"
#include "app/platform/ui_text.h"
#include "app/platform/window_broadcast.h"
#include "app/settings/settings_apply.h"
#include "app/settings/settings_store.h"
#include "app/view/font_dialog.h"
#include "core/mru_manager.h"
#include "core/options_choices.h"
#include "core/shell_command.h"

namespace quillo {
namespace {

constexpr std::array<FontSetting SettingValues::*, 5> kFonts = {
    &SettingValues::font, &SettingValues::font1, &SettingValues::font2, &SettingValues::font3, &SettingValues::font4};

std::vector<std::string> ExtensionsOffered() {
  const std::wstring path = OptionsCommand::ExtensionListFile();
  if (!FileExists(path)) return BuiltInExtensions();
  try {
    return ExtensionsFromText(ReadFileBytes(path));
  } catch (const FileError&) {
    return BuiltInExtensions();
  }
}

}  // namespace

OptionsCommand::OptionsCommand(AppContext& ctx, Lines plugInLines)
    : ctx_(ctx), plugInLines_(std::move(plugInLines)), shell_(ExePath()) {}

std::wstring OptionsCommand::ExtensionListFile() {
  std::wstring exe = ExePath();
  return exe.substr(0, exe.size() - ExtensionOf(exe).size()) + kAutoSaveListExtension;
}

void OptionsCommand::Bind(ActionRegistry& actions) {
  actions.Bind(ActionId::Options, [this] { Run(); });
  // App Paths after every save; written only when it changed, and a failure
  // there never stands between the user and the exit.
  ctx_.settings.AfterSave([this] {
    try {
      shell_.RegisterAppPath();
    } catch (const UserError&) {
    }
  });
}

OptionsFields OptionsCommand::Fill() {
  SettingsStore& settings = ctx_.settings;
  // The full-screen flags are read afresh from the file's image.
  for (bool SettingValues::*flag : {&SettingValues::fs_scroll_bars, &SettingValues::fs_status_bar,
                                    &SettingValues::fs_tool_bar, &SettingValues::fs_menu})
    settings.Reread(flag);
  const SettingValues& v = settings.Values();
  OptionsFields f;
  f.autoSave = v.auto_save;
  f.pasteIns = v.ins;
  f.historyCount = std::to_wstring(RecentFilesCapacity(v.mru));
  f.fileManager = WideFromWin1251(v.file_manager);
  f.saveCoding = v.save_set_coding ? static_cast<int>(SaveCodePageChoices().size())
                                   : CodePageChoiceIndex(SaveCodePageChoices(), v.save_coding);
  f.defCoding = CodePageChoiceIndex(DefaultCodePageChoices(), v.def_coding);
  f.openFileStrat = v.start_open_file ? 1 : 0;
  f.openWith = shell_.IsOpenWithRegistered();
  for (const std::string& ext : ExtensionsOffered()) {
    std::wstring wide = WideFromWin1251(ext);
    f.extensions.push_back({wide, shell_.IsExtensionRegistered(wide), shell_.GetExtensionIcon(wide)});
  }
  f.titleType = v.title_type;
  f.minToTray = v.min_to_tray;
  f.url = v.url_detect;
  f.hints = v.show_hint;
  f.clipbrdPlus = v.clipbrd_plus;
  f.iconsInMenus = v.icons;
  f.showShortCut = v.show_short_cut;
  f.popupSimple = v.simple_popup_menu;
  f.fsToolBar = v.fs_tool_bar;
  f.fsScrollBar = v.fs_scroll_bars;
  f.fsStatusBar = v.fs_status_bar;
  f.fsMenu = v.fs_menu;
  f.roEnable = v.read_only_enable_options;
  f.scrollLock = v.read_only_scroll_lock;
  f.savePosition = v.save_position;
  f.roBackground = v.read_only_background;
  f.defFileName = WideFromWin1251(v.def_file_name);
  return f;
}

void OptionsCommand::Run() {
  OptionsFields fields = Fill();
  if (!RunOptionsDialog(ctx_.window, fields, *this)) return;
  Apply(fields);
  // The file first, then the broadcast: the other windows read what this
  // one stored. The registry comes last, so that a refused write costs only
  // the associations.
  try {
    ctx_.settings.Save();
  } catch (...) {
    PostToProgramWindows(WM_QUILLO_APPLY_SETTINGS);
    throw;
  }
  PostToProgramWindows(WM_QUILLO_APPLY_SETTINGS);
  shell_.SetOpenWith(fields.openWith);
  ApplyAssociations(fields);
}

void OptionsCommand::Apply(const OptionsFields& f) {
  SettingsStore& s = ctx_.settings;
  SettingValues& v = s.Values();
  // 1. code pages
  auto def = DefaultCodePageChoices();
  v.def_coding = def[static_cast<size_t>(std::clamp(f.defCoding, 0, static_cast<int>(def.size()) - 1))].page;
  v.save_set_coding = false;
  auto save = SaveCodePageChoices();
  if (f.saveCoding >= 0 && f.saveCoding < static_cast<int>(save.size()))
    v.save_coding = save[static_cast<size_t>(f.saveCoding)].page;
  else
    v.save_set_coding = true;
  // 2.-3.
  v.min_to_tray = f.minToTray;
  v.url_detect = f.url;
  ctx_.editor.SetAutoURLDetect(f.url);
  v.show_hint = f.hints;
  v.auto_save = f.autoSave;
  v.clipbrd_plus = f.clipbrdPlus;
  // 4. Paste on Insert: overwrite mode goes off as a key press would turn it.
  v.ins = f.pasteIns;
  if (ctx_.editor.OverwriteMode()) ctx_.editor.SendOwnInsertKey();
  // 5.
  v.title_type = std::clamp(f.titleType, 0, 2);
  // 6. the full-screen flags, into the file's image at once
  s.SetAndStore(&SettingValues::fs_scroll_bars, f.fsScrollBar);
  s.SetAndStore(&SettingValues::fs_status_bar, f.fsStatusBar);
  s.SetAndStore(&SettingValues::fs_tool_bar, f.fsToolBar);
  s.SetAndStore(&SettingValues::fs_menu, f.fsMenu);
  // 7.
  v.save_position = f.savePosition;
  v.mru = MruSettingFor(HistoryCapacityFromText(Utf8(f.historyCount)));
  // 8.
  v.file_manager = Win1251FromWide(f.fileManager);
  v.icons = f.iconsInMenus;
  v.read_only_background = f.roBackground;
  v.read_only_enable_options = f.roEnable;
  v.show_short_cut = f.showShortCut;
  v.simple_popup_menu = f.popupSimple;
  v.read_only_scroll_lock = f.scrollLock;
  v.def_file_name = Win1251FromWide(f.defFileName);
  // 9.
  WriteExtensionList(f);
  // 10.
  v.start_open_file = f.openFileStrat == 1;
}

void OptionsCommand::WriteExtensionList(const OptionsFields& f) {
  std::string text;
  for (const ExtensionLine& line : f.extensions) text += Win1251FromWide(line.ext) + "\r\n";
  try {
    WriteFileAtomically(ExtensionListFile(), text);
  } catch (const FileError&) {
    // The list is only what the dialog offers next time.
  }
}

void OptionsCommand::ApplyAssociations(const OptionsFields& f) {
  for (const ExtensionLine& line : f.extensions) {
    const bool newDocument = ExtensionHasNewDocument(Utf8(line.ext));
    if (line.checked) {
      shell_.RegisterExtension(line.ext, newDocument, Wide(ExtensionTypeName(Utf8(line.ext))));
      // The icon registered when the list was read: one chosen with
      // "Иконка..." stays, and a newly associated extension keeps the icon of
      // its previous owner; with none, the program's own icon stays.
      if (!line.icon.empty()) shell_.SetExtensionIcon(line.icon, line.ext);
    } else if (shell_.IsExtensionRegistered(line.ext)) {
      shell_.UnregisterExtension(line.ext, newDocument);
    }
  }
}

std::vector<std::wstring> OptionsCommand::PlugInLines() {
  std::vector<std::wstring> lines;
  if (plugInLines_)
    for (const std::string& line : plugInLines_()) lines.push_back(Wide(line));
  return lines;
}

FontSetting OptionsCommand::Font(int number) {
  return ctx_.settings.Values().*kFonts[static_cast<size_t>(std::clamp(number, 0, 4))];
}

void OptionsCommand::PickFont(HWND owner, int number) {
  auto field = kFonts[static_cast<size_t>(std::clamp(number, 0, 4))];
  FontSetting font = ctx_.settings.Values().*field;
  const bool chosen = AskFont(owner, font);
  if (number == 0) {
    // The editor's font is stored whether or not it changed.
    if (chosen) ApplyEditorFont(ctx_.editor, font);
    ctx_.settings.SetAndStore(field, font);
  } else if (chosen) {
    ctx_.settings.Set(field, font);
  }
}

bool OptionsCommand::PickColor(HWND owner, Color& color) {
  const std::array<Color, 16> stored = ctx_.settings.CustomColors();
  std::array<COLORREF, 16> custom{};
  std::copy(stored.begin(), stored.end(), custom.begin());
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = owner;
  choose.rgbResult = color;
  choose.lpCustColors = custom.data();
  choose.Flags = CC_RGBINIT;
  if (!ChooseColorW(&choose)) return false;
  color = choose.rgbResult;
  std::array<Color, 16> chosen{};
  std::copy(custom.begin(), custom.end(), chosen.begin());
  ctx_.settings.SetCustomColors(chosen);
  return true;
}

// The file manager in effect (the stored one, not the text being edited).
void OptionsCommand::OpenPlugInsFolder() {
  const ShellCommand manager = SplitShellCommand(U16(WideFromWin1251(ctx_.settings.Values().file_manager)));
  std::u16string parameters = manager.arguments;
  if (!parameters.empty()) parameters += u' ';
  parameters += QuotedFolderOf(U16(ExeFolder() + L"\\PlugIns\\x"));
  const std::wstring program = FromU16(manager.program), arguments = FromU16(parameters);
  ShellExecuteW(ctx_.window, L"open", program.c_str(), arguments.c_str(), nullptr, SW_SHOWNORMAL);
}

bool OptionsCommand::BrowseProgram(HWND owner, std::wstring& path) {
  std::wstring filter = Wide("Программы (*.exe)");
  filter += L'\0';
  filter += L"*.exe";
  filter += L'\0';
  std::array<wchar_t, 32768> name{};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrDefExt = L"exe";
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&ofn)) return false;
  path = name.data();
  return true;
}

void OptionsCommand::UnassociateNow(const std::wstring& ext) {
  if (shell_.IsExtensionRegistered(ext)) shell_.UnregisterExtension(ext, ExtensionHasNewDocument(Utf8(ext)));
}

std::wstring OptionsCommand::ExtensionIcon(const std::wstring& ext) { return shell_.GetExtensionIcon(ext); }

void OptionsCommand::SetExtensionIconNow(const std::wstring& icon, const std::wstring& ext) {
  shell_.SetExtensionIcon(icon, ext);
}

}  // namespace quillo

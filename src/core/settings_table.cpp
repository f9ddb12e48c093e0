#include "core/settings_table.h"

#include <array>
#include <type_traits>

namespace quillo {
namespace {

using K = SettingKind;
using W = SettingWritten;
using A = SettingArea;
using D = SettingDefault;
using S = SettingValues;

constexpr std::string_view kOptions = "Options";

const SettingKey kTable[] = {
    // section, key, kind, default, written, area, field[, default rule, save rule, start-up only]
    {kOptions, "Background", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, &S::background,
     D::kFixed, SettingSave::kValue, true},
    {kOptions, "WordWrap", K::kBoolean, "1", W::kAtOnce, A::kView, &S::word_wrap},
    {kOptions, "ToolBar", K::kBoolean, "1", W::kAtOnce, A::kView, &S::tool_bar},
    {kOptions, "StatusBar", K::kBoolean, "1", W::kAtOnce, A::kStatusBar, &S::status_bar},
    {kOptions, "DefCoding", K::kCodePage, "WIN", W::kSaveSettings, A::kCodePages, &S::def_coding},
    {kOptions, "SaveCoding", K::kCodePage, "WIN", W::kSaveSettings, A::kDocument, &S::save_coding},
    {kOptions, "SaveSetCoding", K::kBoolean, "1", W::kSaveSettings, A::kDocument,
     &S::save_set_coding},
    {kOptions, "MinToTray", K::kBoolean, "1", W::kSaveSettings, A::kShell, &S::min_to_tray},
    {kOptions, "URLDetect", K::kBoolean, "1", W::kSaveSettings, A::kEditor, &S::url_detect},
    {kOptions, "ShowHint", K::kBoolean, "1", W::kSaveSettings, A::kView, &S::show_hint},
    {kOptions, "DateFormat", K::kInteger, "1", W::kSaveSettings, A::kDateTime, &S::date_format},
    {kOptions, "TimeFormat", K::kInteger, "1", W::kSaveSettings, A::kDateTime, &S::time_format},
    {kOptions, "NumToStrFormat", K::kInteger, "1", W::kSaveSettings, A::kNumberWords,
     &S::num_to_str_format},
    {kOptions, "dlgPath", K::kString, "", W::kAtOnce, A::kDocument, &S::dlg_path},
    {kOptions, "CodAutoOpt", K::kBoolean, "1", W::kAtOnce, A::kCodePages, &S::cod_auto_opt},
    {kOptions, "DefUTF8", K::kBoolean, "0", W::kAtOnce, A::kCodePages, &S::def_utf8},
    {kOptions, "StartOpenFile", K::kBoolean, "1", W::kSaveSettings, A::kStartup,
     &S::start_open_file},
    {kOptions, "AutoSave", K::kBoolean, "0", W::kSaveSettings, A::kDocument, &S::auto_save},
    {kOptions, "WordSelection", K::kBoolean, "0", W::kSaveSettings, A::kEditor,
     &S::word_selection},
    {kOptions, "Clipbrd+", K::kBoolean, "1", W::kSaveSettings, A::kClipboard, &S::clipbrd_plus},
    {kOptions, "Ins", K::kBoolean, "0", W::kSaveSettings, A::kEditor, &S::ins},
    {kOptions, "TitleType", K::kInteger, "1", W::kSaveSettings, A::kStatusBar, &S::title_type},
    {kOptions, "FileManager", K::kString, "explorer.exe", W::kSaveSettings, A::kShell,
     &S::file_manager},
    {kOptions, "Icons", K::kBoolean, "1", W::kSaveSettings, A::kView, &S::icons},
    {kOptions, "ShowShortCut", K::kBoolean, "1", W::kSaveSettings, A::kCommands,
     &S::show_short_cut},
    {kOptions, "SimplePopupMenu", K::kBoolean, "0", W::kSaveSettings, A::kEditor,
     &S::simple_popup_menu},
    {kOptions, "FindPanel", K::kBoolean, "0", W::kSaveSettings, A::kFind, &S::find_panel,
     D::kFixed, SettingSave::kAlwaysFalse},
    {kOptions, "SavePosition", K::kBoolean, "0", W::kSaveSettings, A::kRecentFiles,
     &S::save_position},
    {kOptions, "DefFileName", K::kString, "noname.txt", W::kSaveSettings, A::kDocument,
     &S::def_file_name},
    {kOptions, "MRU", K::kInteger, "19", W::kSaveSettings, A::kRecentFiles, &S::mru},
    {kOptions, "FileName", K::kString, "", W::kAtExit, A::kStartup, &S::file_name},
    {kOptions, "CaretPosX", K::kInteger, "0", W::kAtExit, A::kStartup, &S::caret_pos_x},
    {kOptions, "CaretPosY", K::kInteger, "0", W::kAtExit, A::kStartup, &S::caret_pos_y},
    {kOptions, "FSScrollBars", K::kBoolean, "0", W::kSettingsDialog, A::kView,
     &S::fs_scroll_bars},
    {kOptions, "FSStatusBar", K::kBoolean, "1", W::kSettingsDialog, A::kView, &S::fs_status_bar},
    {kOptions, "FSToolBar", K::kBoolean, "1", W::kSettingsDialog, A::kView, &S::fs_tool_bar},
    {kOptions, "FSMenu", K::kBoolean, "0", W::kSettingsDialog, A::kView, &S::fs_menu},
    {kOptions, "1URLClick", K::kBoolean, "1", W::kAtOnce, A::kEditor, &S::url_click_hint},

    {"View", "", K::kPlacement, "1", W::kAtExit, A::kStartup, &S::view, D::kPresentValue},
    {"Font", "", K::kFont, "Courier New,12", W::kAtOnce, A::kView, &S::font, D::kPresentValue},
    // The extra fonts start as the platform's default dialog font.
    {"Font1", "", K::kFont, "MS Sans Serif,8", W::kSaveSettings, A::kView, &S::font1,
     D::kPresentValue},
    {"Font2", "", K::kFont, "MS Sans Serif,8", W::kSaveSettings, A::kView, &S::font2,
     D::kPresentValue},
    {"Font3", "", K::kFont, "MS Sans Serif,8", W::kSaveSettings, A::kView, &S::font3,
     D::kPresentValue},
    {"Font4", "", K::kFont, "MS Sans Serif,8", W::kSaveSettings, A::kView, &S::font4,
     D::kPresentValue},
    {"Print", "Left", K::kFloat, "20", W::kSaveSettings, A::kPrinting, &S::print_left},
    {"Print", "Right", K::kFloat, "20", W::kSaveSettings, A::kPrinting, &S::print_right},
    {"Print", "Top", K::kFloat, "20", W::kSaveSettings, A::kPrinting, &S::print_top},
    {"Print", "Bottom", K::kFloat, "20", W::kSaveSettings, A::kPrinting, &S::print_bottom},
    {"Print", "Orientation", K::kInteger, "0", W::kSaveSettings, A::kPrinting,
     &S::print_orientation, D::kFixed, SettingSave::kZeroOrOne},
    {"Print", "PrintIndex", K::kInteger, "-1", W::kAtOnce, A::kPrinting, &S::print_index},
    {"Find", "MatchCase", K::kBoolean, "0", W::kSaveSettings, A::kFind, &S::find_match_case},
    {"Find", "WholeWord", K::kBoolean, "0", W::kSaveSettings, A::kFind, &S::find_whole_word},
    {"Find", "Down", K::kBoolean, "1", W::kSaveSettings, A::kFind, &S::find_down},
    {"Find", "", K::kHistory, "", W::kAtExit, A::kFind, {}},
    {"Replace", "", K::kHistory, "", W::kAtExit, A::kFind, {}},
    {"ReadOnly", "Background", K::kColor, "$FFFFFF", W::kSaveSettings, A::kView,
     &S::read_only_background, D::kEditorBackground},
    {"ReadOnly", "EnableOptions", K::kBoolean, "0", W::kSaveSettings, A::kView,
     &S::read_only_enable_options},
    {"ReadOnly", "ScrollLock", K::kBoolean, "0", W::kSaveSettings, A::kView,
     &S::read_only_scroll_lock},
    {"CustomColors", "ColorA", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorB", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorC", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorD", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorE", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorF", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorG", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorH", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorI", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorJ", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorK", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorL", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorM", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorN", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorO", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"CustomColors", "ColorP", K::kColor, "$FFFFFF", W::kAtOnce, A::kView, {}},
    {"MRU", "", K::kRecentFiles, "", W::kOnDisk, A::kRecentFiles, {}},
};

const SettingName kSaveOrder[] = {
    {kOptions, "DefCoding"},     {kOptions, "SaveCoding"},      {kOptions, "SaveSetCoding"},
    {kOptions, "MinToTray"},     {kOptions, "URLDetect"},       {kOptions, "ShowHint"},
    {kOptions, "DateFormat"},    {kOptions, "TimeFormat"},      {kOptions, "NumToStrFormat"},
    {"Print", "Left"},           {"Print", "Right"},            {"Print", "Top"},
    {"Print", "Bottom"},         {"Print", "Orientation"},      {kOptions, "StartOpenFile"},
    {kOptions, "AutoSave"},      {kOptions, "WordSelection"},   {kOptions, "MRU"},
    {kOptions, "Clipbrd+"},      {kOptions, "Ins"},             {kOptions, "TitleType"},
    {"Font1", ""},               {"Font2", ""},                 {"Font3", ""},
    {"Font4", ""},               {kOptions, "FileManager"},     {kOptions, "Icons"},
    {"ReadOnly", "Background"},  {"ReadOnly", "EnableOptions"}, {kOptions, "ShowShortCut"},
    {kOptions, "SimplePopupMenu"}, {kOptions, "FindPanel"},     {"Find", "MatchCase"},
    {"Find", "WholeWord"},       {"Find", "Down"},              {"ReadOnly", "ScrollLock"},
    {kOptions, "SavePosition"},  {kOptions, "DefFileName"},
};

// Value forms by type: the default parsed from the table, a read with a
// default, and a write.
bool ParseDefault(std::string_view text, bool*) { return ParseIniInteger(text).value_or(0) != 0; }
int ParseDefault(std::string_view text, int*) { return ParseIniInteger(text).value_or(0); }
double ParseDefault(std::string_view text, double*) { return ParseIniFloat(text).value_or(0); }
std::string ParseDefault(std::string_view text, std::string*) { return std::string(text); }
Color ParseDefault(std::string_view text, Color*) { return SettingToColor(text); }
TCodePage ParseDefault(std::string_view text, TCodePage*) { return CodePageFromName(text); }

FontSetting ParseDefault(std::string_view text, FontSetting*) {
  FontSetting font;
  const size_t comma = text.rfind(',');
  font.name = std::string(text.substr(0, comma));
  if (comma != std::string_view::npos) {
    font.size = ParseIniInteger(text.substr(comma + 1)).value_or(0);
  }
  return font;
}

WindowPlacement ParseDefault(std::string_view text, WindowPlacement*) {
  WindowPlacement placement;
  placement.state = ParseIniInteger(text).value_or(kWindowNormal);
  return placement;
}

void Read(const IniFile& ini, const SettingKey& e, bool& value, bool def) {
  value = ini.ReadBool(e.section, e.key, def);
}
void Read(const IniFile& ini, const SettingKey& e, int& value, int def) {
  value = ini.ReadInteger(e.section, e.key, def);
}
void Read(const IniFile& ini, const SettingKey& e, double& value, double def) {
  value = ini.ReadFloat(e.section, e.key, def);
}
void Read(const IniFile& ini, const SettingKey& e, std::string& value, const std::string& def) {
  value = ini.ReadString(e.section, e.key, def);
}
void Read(const IniFile& ini, const SettingKey& e, Color& value, Color def) {
  value = ReadColor(ini, e.section, e.key, def);
}
void Read(const IniFile& ini, const SettingKey& e, TCodePage& value, TCodePage def) {
  value = ReadCodePage(ini, e.section, e.key, def);
}
void Read(const IniFile& ini, const SettingKey& e, FontSetting& value, const FontSetting&) {
  ReadFont(ini, e.section, value);  // each key defaults to the present value
}
void Read(const IniFile& ini, const SettingKey& e, WindowPlacement& value,
          const WindowPlacement&) {
  ReadPlacement(ini, e.section, value);
}

void Write(IniFile& ini, const SettingKey& e, bool value) {
  ini.WriteBool(e.section, e.key, e.save == SettingSave::kAlwaysFalse ? false : value);
}
void Write(IniFile& ini, const SettingKey& e, int value) {
  if (e.save == SettingSave::kZeroOrOne) value = value == 1 ? 1 : 0;
  ini.WriteInteger(e.section, e.key, value);
}
void Write(IniFile& ini, const SettingKey& e, double value) {
  ini.WriteFloat(e.section, e.key, value);
}
void Write(IniFile& ini, const SettingKey& e, const std::string& value) {
  ini.WriteString(e.section, e.key, value);
}
void Write(IniFile& ini, const SettingKey& e, Color value) {
  WriteColor(ini, e.section, e.key, value);
}
void Write(IniFile& ini, const SettingKey& e, TCodePage value) {
  WriteCodePage(ini, e.section, e.key, value);
}
void Write(IniFile& ini, const SettingKey& e, const FontSetting& value) {
  WriteFont(ini, e.section, value);
}
void Write(IniFile& ini, const SettingKey& e, const WindowPlacement& value) {
  WritePlacement(ini, e.section, value);
}

}  // namespace

std::span<const SettingKey> SettingsTable() { return kTable; }

std::span<const SettingName> SaveSettingsOrder() { return kSaveOrder; }

const SettingKey* FindSetting(std::string_view section, std::string_view key) {
  for (const SettingKey& entry : kTable) {
    if (IniNamesEqual(entry.section, section) && IniNamesEqual(entry.key, key)) return &entry;
  }
  return nullptr;
}

SettingValues DefaultSettingValues() {
  SettingValues values;
  for (const SettingKey& entry : kTable) {
    std::visit(
        [&](auto member) {
          if constexpr (!std::is_same_v<decltype(member), std::monostate>) {
            auto& field = values.*member;
            field = ParseDefault(entry.default_text, &field);
          }
        },
        entry.field);
  }
  return values;
}

bool ReadSetting(const IniFile& ini, const SettingKey& entry, SettingValues& values,
                 Color editor_background) {
  return std::visit(
      [&](auto member) {
        if constexpr (std::is_same_v<decltype(member), std::monostate>) {
          return false;
        } else {
          auto& field = values.*member;
          using T = std::remove_reference_t<decltype(field)>;
          T def = ParseDefault(entry.default_text, &field);
          if (entry.default_rule == SettingDefault::kPresentValue) def = field;
          if constexpr (std::is_same_v<T, Color>) {
            if (entry.default_rule == SettingDefault::kEditorBackground) def = editor_background;
          }
          Read(ini, entry, field, def);
          return true;
        }
      },
      entry.field);
}

bool WriteSetting(IniFile& ini, const SettingKey& entry, const SettingValues& values) {
  return std::visit(
      [&](auto member) {
        if constexpr (std::is_same_v<decltype(member), std::monostate>) {
          return false;
        } else {
          Write(ini, entry, values.*member);
          return true;
        }
      },
      entry.field);
}

void LoadSettingValues(const IniFile& ini, SettingValues& values, bool with_background,
                       Color editor_background) {
  for (const SettingKey& entry : kTable) {
    if (entry.read_at_startup_only && !with_background) continue;
    ReadSetting(ini, entry, values, editor_background);
  }
}

void SaveSettingValues(IniFile& ini, const SettingValues& values) {
  for (const SettingName& name : kSaveOrder) {
    if (const SettingKey* entry = FindSetting(name.section, name.key)) {
      WriteSetting(ini, *entry, values);
    }
  }
}

}  // namespace quillo

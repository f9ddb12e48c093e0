#pragma once
// Every section and key of the settings file with its type and default, the
// values they hold in memory, and the order in which the program saves them.
//
// Reading and writing here never touch other keys: whatever the settings
// object holds beyond these (and the values of features that do not read
// theirs yet) is written back as it was read.
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/codepage.h"
#include "core/ini_file.h"
#include "core/setting_values.h"

namespace quillo {

// Every value the table reads, as the program holds it. The defaults come
// from the table (DefaultSettingValues), not from here.
struct SettingValues {
  // "Options"
  Color background{};
  bool word_wrap{}, tool_bar{}, status_bar{};
  TCodePage def_coding{}, save_coding{};
  bool def_utf8{};  // new documents are UTF-8 (without a mark) rather than def_coding
  bool save_set_coding{}, min_to_tray{}, url_detect{}, show_hint{};
  int date_format{}, time_format{}, num_to_str_format{};
  std::string dlg_path;
  bool cod_auto_opt{}, start_open_file{}, auto_save{}, word_selection{}, clipbrd_plus{}, ins{};
  int title_type{};
  std::string file_manager;
  bool icons{}, show_short_cut{}, simple_popup_menu{}, find_panel{}, save_position{};
  std::string def_file_name;
  int mru{};  // the recent-files list holds this many plus one
  std::string file_name;
  int caret_pos_x{}, caret_pos_y{};
  bool fs_scroll_bars{}, fs_status_bar{}, fs_tool_bar{}, fs_menu{};
  bool url_click_hint{};
  // Other sections
  WindowPlacement view;
  FontSetting font, font1, font2, font3, font4;
  double print_left{}, print_right{}, print_top{}, print_bottom{};
  int print_orientation{};  // 1 landscape, 0 portrait
  int print_index{};        // -1 or beyond the printers: the default printer
  bool find_match_case{}, find_whole_word{}, find_down{};
  Color read_only_background{};
  bool read_only_enable_options{}, read_only_scroll_lock{};

  bool operator==(const SettingValues&) const = default;
};

enum class SettingKind {
  kBoolean,
  kInteger,
  kFloat,
  kString,
  kColor,
  kCodePage,
  kFont,         // a whole section of font keys
  kPlacement,    // a whole section of window-placement keys
  kHistory,      // a whole section of keys "0" … "15"
  kRecentFiles,  // a whole section kept by the recent-files list
};

// Who writes the value, and when.
enum class SettingWritten {
  kSaveSettings,    // by SaveSettings
  kAtOnce,          // into memory as soon as the user changes it
  kAtExit,          // by the exit sequence itself, before SaveSettings
  kSettingsDialog,  // by the settings dialog when it is confirmed
  kOnDisk,          // straight into the file on disk, not through the object
};

// The feature that uses the value.
enum class SettingArea {
  kStartup,
  kDocument,
  kEditor,
  kStatusBar,
  kCommands,
  kCodePages,
  kNumberWords,
  kDateTime,
  kFind,
  kRecentFiles,
  kClipboard,
  kPrinting,
  kView,
  kShell,
};

enum class SettingDefault {
  kFixed,             // the table's default
  kPresentValue,      // the value held in memory before reading
  kEditorBackground,  // the editor's current background colour
};

enum class SettingSave {
  kValue,
  kAlwaysFalse,  // written as false whatever it holds
  kZeroOrOne,    // 1 stays 1, anything else is written as 0
};

using SettingField =
    std::variant<std::monostate, bool SettingValues::*, int SettingValues::*,
                 double SettingValues::*, std::string SettingValues::*, Color SettingValues::*,
                 TCodePage SettingValues::*, FontSetting SettingValues::*,
                 WindowPlacement SettingValues::*>;

struct SettingKey {
  std::string_view section;
  std::string_view key;  // empty for the whole-section kinds
  SettingKind kind;
  // As written in the file; a font's is "name,size"; "" for lists.
  std::string_view default_text;
  SettingWritten written;
  SettingArea area;
  SettingField field;  // monostate for lists kept by their own feature
  SettingDefault default_rule = SettingDefault::kFixed;
  SettingSave save = SettingSave::kValue;
  bool read_at_startup_only = false;
};

struct SettingName {
  std::string_view section;
  std::string_view key;  // empty for a whole section
};

std::span<const SettingKey> SettingsTable();
// The entry for a key (or for a whole section with an empty key), matched
// without regard to letter case; nullptr if the table has none.
const SettingKey* FindSetting(std::string_view section, std::string_view key);

// The order in which SaveSettings writes its keys.
std::span<const SettingName> SaveSettingsOrder();

// Every value at its table default. The window bounds are zero: the window's
// present bounds are to be put there before loading.
SettingValues DefaultSettingValues();

// Reads every value the table holds a field for. `values` holds the present
// state on entry: fonts and the window placement default to it. "Options" /
// "Background" is read only when `with_background` is set; "ReadOnly" /
// "Background" defaults to `editor_background`. The caller applies them in
// its own order.
void LoadSettingValues(const IniFile& ini, SettingValues& values, bool with_background,
                       Color editor_background);

// Writes the keys of SaveSettingsOrder() in that order. Writing the file to
// disk is the caller's.
void SaveSettingValues(IniFile& ini, const SettingValues& values);

// Reads or writes one entry's value; false when the entry has no field.
bool ReadSetting(const IniFile& ini, const SettingKey& entry, SettingValues& values,
                 Color editor_background);
bool WriteSetting(IniFile& ini, const SettingKey& entry, const SettingValues& values);

}  // namespace quillo

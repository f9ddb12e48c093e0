#pragma once
// The main menu, every pop-up menu and the tool bar as data. The window
// layer builds each native menu by walking these tables; items refer to the
// action table by id. Captions are UTF-8.
//
// A menu may be referenced from several places (the "История" submenu hangs
// in "Файл" and under the tool bar's history button): the window layer
// builds one native menu per place, and fills every copy of a run-time list.
// Separators at either end of a menu, or next to each other once hidden and
// run-time items are accounted for, are not shown.
#include <optional>
#include <span>
#include <string_view>

#include "core/action_table.h"

namespace quillo {

enum class MenuId : int {
  None = -1,
  // The menu bar and its menus.
  MainMenu = 0,
  mnFile,
  mnEdit,
  mnSearch,
  mnService,
  mnText,
  mnBookmarks,
  mnPlugIns,
  mnHelp,
  // Submenus.
  mnFileHistory,
  mnFileExtra,
  mnSaveInCoding,
  mnSelectPrinter,
  mnLocalBM,
  mnFonts,
  mnBackground,
  mnCoding,
  mnLayout,
  mnCase,
  mnNumber,
  mnDate,
  mnTime,
  // Context menus.
  pmMain,
  pmMainSimple,
  pmURL,
  TaskBarPopup,
  // Drop-down menus of tool-bar buttons.
  pmNewFile,
  SavePopup,
  pmCut,
  pmCopy,
  pmPaste,
  pmFind,
  pmPrint,
  pmDate,
  pmTime,
  pmFont,
  pmBackground,
  // Right-click menus of the status bar's panels 1 to 6.
  pmStatusBar1,
  pmStatusBar2,
  pmStatusBar3,
  pmStatusBar4,
  pmStatusBar5,
  pmStatusBar6,
};

// Menu items that run no action. Their numbers are menu command ids and
// never change; they sit between the action ids and the run-time lists.
enum class CommandId : int {
  TrayRestore = 1800,       // mnRestore
  TrayExit = 1801,          // mnPopupClose
  ToolBarCustomize = 1810,  // the tool bar's customisation dialog
  ToolBarSave = 1811,       // save the tool bar's button layout
  ToolBarRestore = 1812,    // restore it
  GoToPercent0 = 1820,      // ... GoToPercent0 + 10 for 100 %, tag = percentage
};

struct CommandInfo {
  CommandId id;
  std::string_view name;
  std::string_view caption;
  int tag;
};

std::span<const CommandInfo> Commands();
const CommandInfo* FindCommand(int commandId);

// Menus or menu tails that other parts of the program fill while running.
// Each gets its own block of command ids: item i has id firstCommandId + i.
enum class RuntimeList {
  RecentFiles,
  Printers,
  Bookmarks,
  FindHistory,
  CustomColors,
  PlugInItems,
};

struct RuntimeListInfo {
  RuntimeList list;
  std::string_view name;
  int firstCommandId;
  int capacity;
};

const RuntimeListInfo& GetRuntimeList(RuntimeList list);
// The run-time list whose id block holds commandId, with the item index.
struct RuntimeListHit {
  RuntimeList list;
  int index;
};
std::optional<RuntimeListHit> FindRuntimeListItem(int commandId);

enum class MenuItemKind {
  Action,
  Separator,
  Submenu,
  Command,
  RuntimeList,  // the place where run-time items go
};

enum MenuItemFlags : unsigned {
  kItemHidden = 1,   // exists but is not visible
  kItemDefault = 2,  // the menu's default (bold) item
};

struct MenuItem {
  MenuItemKind kind;
  int ref;  // ActionId, MenuId, CommandId or RuntimeList, by kind
  unsigned flags;

  ActionId action() const { return static_cast<ActionId>(ref); }
  MenuId submenu() const { return static_cast<MenuId>(ref); }
  CommandId command() const { return static_cast<CommandId>(ref); }
  RuntimeList runtimeList() const { return static_cast<RuntimeList>(ref); }
  bool Has(MenuItemFlags flag) const { return (flags & flag) != 0; }
};

enum class MenuKind {
  MenuBar,
  Submenu,  // hangs in another menu; shows what its root shows
  PopUp,    // opened on its own: a context, drop-down or status-bar menu
};

enum class MenuImages {
  None,
  FollowIconsSetting,  // the main image list's images while "Icons" is on
  Always,              // its own images (the colour swatches)
};

struct MenuInfo {
  MenuId id;
  std::string_view name;
  std::string_view caption;  // for submenus; empty for the others
  MenuKind kind;
  MenuImages images;         // for the menu bar and pop-ups
  std::span<const MenuItem> items;
};

std::span<const MenuInfo> Menus();
const MenuInfo& GetMenu(MenuId id);
const MenuInfo* FindMenu(std::string_view name);

// Shortcut texts appear beside captions only in the menu bar's tree, and
// there only while the "ShowShortCut" setting is on. Pop-up menus and their
// submenus never show them; the keys work through the key map either way.
// root: the menu bar or the pop-up menu a walk starts from.
bool ShowsShortcuts(MenuId root, bool showShortCutSetting);

struct ToolButton {
  bool separator;
  ActionId action;
  std::string_view caption;  // empty: the action's caption
  std::string_view hint;     // empty: the action's hint
  MenuId dropDown;           // MenuId::None for a plain button

  // The command id the button sends: the action's.
  int CommandId() const { return static_cast<int>(action); }
};

std::span<const ToolButton> ToolBarButtons();

// The menu a plug-in names by a negative parent number (-1 "Файл" ... -21
// the Font button's drop-down; -8 is the menu bar itself). Nothing for
// other numbers.
std::optional<MenuId> MenuForPlugInParent(int parent);

}  // namespace quillo

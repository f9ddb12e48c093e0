#pragma once
// Every user command of the main window, as one table. Menus, pop-up menus,
// tool-bar buttons, keys and command messages all refer to these rows; the
// window layer binds the execute and update handlers by id.
// Captions and hints are UTF-8.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/shortcut.h"

namespace quillo {

enum class ActionCategory {
  File,
  Edit,
  Find,
  Text,
  Coding,
  Bookmark,
  Print,
  Options,
  URL,
  Help,
};

// The numbers are the menu command ids of the window layer and never change:
// new actions are appended with new numbers. The range starts above the
// system-menu item 200 and the small ids of dialog controls.
enum class ActionId : int {
  FileNew = 1000,
  FileNewWindow = 1001,
  FileNewFromClipbrd = 1002,
  FileOpen = 1003,
  FileOpenNewWindow = 1004,
  FileOpenFolder = 1005,
  FileSave = 1006,
  FileSaveAs = 1007,
  FileSaveUnderNewName = 1008,
  CloseProgram = 1009,
  FileInsertFrom = 1010,
  FileSaveSelText = 1011,
  FileSaveInWinCod = 1012,
  FileSaveInDosCod = 1013,
  FileSaveInKoiCod = 1014,
  FileUpdate = 1015,
  FileSaveClipbrd = 1016,
  FileSaveAll = 1017,
  FileDelete = 1018,
  FileExecute = 1019,
  FileAddTo = 1020,
  FileSaveExit = 1021,
  FileProperties = 1022,
  EditCut = 1023,
  EditCutAdd = 1024,
  EditCopy = 1025,
  EditCopyAdd = 1026,
  EditPaste = 1027,
  EditSelectAll = 1028,
  EditUndo = 1029,
  EditRedo = 1030,
  EditDelete = 1031,
  EditSwapClipbrd = 1032,
  EditCopyFileName = 1033,
  EditDeleteLine = 1034,
  EditCopyAll = 1035,
  EditNoSelText = 1036,
  EditDeleteAll = 1037,
  EditCutAll = 1038,
  EditGoToLine = 1039,
  FindFind = 1040,
  FindFindNext = 1041,
  FindClipbrd = 1042,
  FindSelTextNoDlg = 1043,
  FindWordAtCaretNoDlg = 1044,
  FindClipbrdNoDlgCur = 1045,
  FindClipbrdNoDlg = 1046,
  FindGoToBack = 1047,
  FindReplaceNext = 1048,
  TextLatToRusInvert = 1049,
  TextLatToRus = 1050,
  TextRusToLat = 1051,
  TextRegInvert = 1052,
  TextRegUpper = 1053,
  TextRegLower = 1054,
  TextDate1 = 1055,
  TextDate2 = 1056,
  TextDate3 = 1057,
  TextDate4 = 1058,
  TextDate = 1059,
  TextTime = 1060,
  TextTime1 = 1061,
  TextTime2 = 1062,
  TextTime3 = 1063,
  TextReplaceTabToSpace = 1064,
  TextDeleteSpace = 1065,
  TextNumToStr = 1066,
  TextNumtoStr1 = 1067,
  TextNumtoStr2 = 1068,
  TextNumtoStr3 = 1069,
  TextRegTitle = 1070,
  TextDelCLRF = 1071,
  TextAddSpace = 1072,
  TextDelSpace = 1073,
  CodAutoOpt = 1074,
  CodAuto = 1075,
  CodWIN = 1076,
  CodDOS = 1077,
  CodKOI = 1078,
  BMAdd = 1079,
  BMDelete = 1080,
  LocalBM1 = 1081,
  LocalBM2 = 1082,
  LocalBM3 = 1083,
  LocalBM4 = 1084,
  LocalBM5 = 1085,
  LocalBM6 = 1086,
  LocalBM7 = 1087,
  LocalBM8 = 1088,
  LocalBM9 = 1089,
  LocalBM0 = 1090,
  PrintPageDlg = 1091,
  Print = 1092,
  PrintSelText = 1093,
  OptFont = 1094,
  OptBackground = 1095,
  Options = 1096,
  OptWordWrap = 1097,
  OptStatusBar = 1098,
  OptToolBar = 1099,
  OptFullScreen = 1100,
  OptFontp1 = 1101,
  OptFontm1 = 1102,
  OptFont1 = 1103,
  OptFont2 = 1104,
  OptFont3 = 1105,
  OptFont4 = 1106,
  OptInsMode = 1107,
  OptChangeKeybLayout = 1108,
  OptReadOnly = 1109,
  URLGoToLink = 1110,
  URLCopyLink = 1111,
  HelpContents = 1112,
  HelpAbout = 1113,
  HelpHomePage = 1114,
  HelpCallingBack = 1115,
  HelpShortCuts = 1116,
  FileSaveInUtf8 = 1117,
  FileSaveInUtf8Bom = 1118,
  CodUTF8 = 1119,
  CodUTF16 = 1120,
  CodDefUTF8 = 1121,
};

inline constexpr int kFirstActionId = 1000;
inline constexpr int kLastActionId = 1121;

enum ActionFlags : unsigned {
  kActionAutoCheck = 1,      // the check mark flips before the handler runs
  kActionStartsChecked = 2,  // checked when the window is created
  kActionHidden = 4,         // never shown in a menu
  kActionAlwaysDisabled = 8,
};

struct ActionInfo {
  ActionId id;
  std::string_view name;
  ActionCategory category;
  std::string_view caption;
  std::string_view hint;      // may be empty
  std::string_view shortcut;  // shown in the main menu; empty for none
  // Further keys for the same command, as stored text; unused slots are
  // empty. Entries that name no key are kept but never match.
  std::array<std::string_view, 3> secondShortcuts;
  int tag;         // tells apart actions that share one handler
  int groupIndex;  // radio group of the menu; 0 for none
  unsigned flags;  // ActionFlags

  constexpr int CommandId() const { return static_cast<int>(id); }
  constexpr bool Has(ActionFlags flag) const { return (flags & flag) != 0; }
};

// All actions in category order.
std::span<const ActionInfo> Actions();

// Exact, case-sensitive name; nullptr when there is no such action.
const ActionInfo* FindAction(std::string_view name);
const ActionInfo& GetAction(ActionId id);
// A menu command id; nullptr when it is not an action's.
const ActionInfo* FindActionByCommandId(int commandId);

std::string_view CategoryName(ActionCategory category);

std::optional<Shortcut> PrimaryShortcut(const ActionInfo& action);
// The second shortcuts that name a key, in table order.
std::vector<Shortcut> SecondShortcuts(const ActionInfo& action);

}  // namespace quillo

#include "core/menu_layout.h"

#include <algorithm>
#include <iterator>

namespace quillo {
namespace {

using A = ActionId;
using M = MenuId;

constexpr MenuItem Act(ActionId action, unsigned flags = 0) {
  return {MenuItemKind::Action, static_cast<int>(action), flags};
}
constexpr MenuItem Sep() { return {MenuItemKind::Separator, 0, 0}; }
constexpr MenuItem Sub(MenuId menu) {
  return {MenuItemKind::Submenu, static_cast<int>(menu), 0};
}
constexpr MenuItem Cmd(CommandId command, unsigned flags = 0) {
  return {MenuItemKind::Command, static_cast<int>(command), flags};
}
constexpr MenuItem Slot(RuntimeList list) {
  return {MenuItemKind::RuntimeList, static_cast<int>(list), 0};
}

constexpr int Percent(int p) { return static_cast<int>(CommandId::GoToPercent0) + p / 10; }

constexpr CommandInfo kCommands[] = {
    {CommandId::TrayRestore, "mnRestore", "Развернуть", 0},
    {CommandId::TrayExit, "mnPopupClose", "Выход", 0},
    {CommandId::ToolBarCustomize, "mnToolBarCustomize", "Панель инструментов", 0},
    {CommandId::ToolBarSave, "mnToolBarSave", "Сохранить", 0},
    {CommandId::ToolBarRestore, "mnToolBarRestore", "Восстановить", 0},
    {static_cast<CommandId>(Percent(0)), "mnGoTo0", "0%", 0},
    {static_cast<CommandId>(Percent(10)), "mnGoTo10", "10%", 10},
    {static_cast<CommandId>(Percent(20)), "mnGoTo20", "20%", 20},
    {static_cast<CommandId>(Percent(30)), "mnGoTo30", "30%", 30},
    {static_cast<CommandId>(Percent(40)), "mnGoTo40", "40%", 40},
    {static_cast<CommandId>(Percent(50)), "mnGoTo50", "50%", 50},
    {static_cast<CommandId>(Percent(60)), "mnGoTo60", "60%", 60},
    {static_cast<CommandId>(Percent(70)), "mnGoTo70", "70%", 70},
    {static_cast<CommandId>(Percent(80)), "mnGoTo80", "80%", 80},
    {static_cast<CommandId>(Percent(90)), "mnGoTo90", "90%", 90},
    {static_cast<CommandId>(Percent(100)), "mnGoTo100", "100%", 100},
};

// Id blocks stay below 32768 so they survive any 16-bit signed handling.
constexpr RuntimeListInfo kRuntimeLists[] = {
    {RuntimeList::RecentFiles, "RecentFiles", 2000, 1000},
    {RuntimeList::Printers, "Printers", 3000, 500},
    {RuntimeList::Bookmarks, "Bookmarks", 4000, 2000},
    {RuntimeList::FindHistory, "FindHistory", 6000, 100},
    {RuntimeList::CustomColors, "CustomColors", 6100, 16},
    {RuntimeList::PlugInItems, "PlugInItems", 10000, 20000},
};

constexpr MenuItem kMainMenu[] = {
    Sub(M::mnFile),      Sub(M::mnEdit),    Sub(M::mnSearch), Sub(M::mnService),
    Sub(M::mnText),      Sub(M::mnBookmarks), Sub(M::mnPlugIns), Sub(M::mnHelp),
};

constexpr MenuItem kFile[] = {
    Act(A::FileNew), Act(A::FileNewWindow), Act(A::FileNewFromClipbrd), Sep(),
    Act(A::FileOpen), Act(A::FileOpenNewWindow), Act(A::FileUpdate), Act(A::FileInsertFrom),
    Sub(M::mnFileHistory), Sep(),
    Act(A::FileSave), Act(A::FileSaveAs), Sub(M::mnFileExtra), Sep(),
    Act(A::FileOpenFolder), Act(A::FileProperties), Act(A::EditCopyFileName),
    Act(A::FileExecute), Act(A::FileDelete), Sep(),
    Sub(M::mnSelectPrinter), Act(A::PrintPageDlg), Act(A::Print), Act(A::PrintSelText), Sep(),
    Act(A::CloseProgram),
};

constexpr MenuItem kFileHistory[] = {Slot(RuntimeList::RecentFiles)};

constexpr MenuItem kFileExtra[] = {
    Act(A::FileSaveUnderNewName), Sub(M::mnSaveInCoding), Act(A::FileSaveClipbrd),
    Act(A::FileSaveSelText),      Act(A::FileAddTo),      Act(A::FileSaveAll),
};

constexpr MenuItem kSaveInCoding[] = {
    Act(A::FileSaveInWinCod), Act(A::FileSaveInDosCod), Act(A::FileSaveInKoiCod),
    Act(A::FileSaveInUtf8),   Act(A::FileSaveInUtf8Bom),
};

constexpr MenuItem kSelectPrinter[] = {Slot(RuntimeList::Printers)};

// "Правка" and the editor's context menu hold the same items.
constexpr MenuItem kEdit[] = {
    Act(A::EditUndo), Act(A::EditRedo), Sep(),
    Act(A::EditCut), Act(A::EditCutAdd), Act(A::EditCutAll), Sep(),
    Act(A::EditCopy), Act(A::EditCopyAdd), Act(A::EditCopyAll), Sep(),
    Act(A::EditPaste), Act(A::EditSwapClipbrd), Sep(),
    Act(A::EditDelete), Act(A::EditDeleteLine), Act(A::EditDeleteAll), Sep(),
    Act(A::EditSelectAll), Act(A::EditNoSelText),
};

constexpr MenuItem kSearch[] = {
    Act(A::FindFind), Act(A::FindFindNext), Sep(),
    Act(A::FindClipbrd), Act(A::FindClipbrdNoDlg), Act(A::FindClipbrdNoDlgCur), Sep(),
    Act(A::FindSelTextNoDlg), Act(A::FindWordAtCaretNoDlg), Sep(),
    Sub(M::mnLocalBM), Act(A::EditGoToLine), Act(A::FindGoToBack),
};

constexpr MenuItem kLocalBM[] = {
    Act(A::LocalBM0), Act(A::LocalBM1), Act(A::LocalBM2), Act(A::LocalBM3), Act(A::LocalBM4),
    Act(A::LocalBM5), Act(A::LocalBM6), Act(A::LocalBM7), Act(A::LocalBM8), Act(A::LocalBM9),
};

constexpr MenuItem kService[] = {
    Act(A::OptWordWrap), Act(A::OptToolBar), Act(A::OptStatusBar), Act(A::OptFullScreen),
    Act(A::OptReadOnly), Act(A::OptInsMode), Act(A::OptChangeKeybLayout), Sep(),
    Sub(M::mnFonts), Sub(M::mnBackground), Sep(),
    Act(A::Options), Sep(),
    Cmd(CommandId::ToolBarCustomize, kItemHidden),
    Cmd(CommandId::ToolBarSave, kItemHidden),
    Cmd(CommandId::ToolBarRestore, kItemHidden),
};

constexpr MenuItem kFonts[] = {
    Act(A::OptFontp1), Act(A::OptFontm1), Act(A::OptFont), Sep(),
    Act(A::OptFont1),  Act(A::OptFont2),  Act(A::OptFont3), Act(A::OptFont4),
};

// The custom colours follow the first two items.
constexpr MenuItem kBackground[] = {
    Act(A::OptBackground), Sep(), Slot(RuntimeList::CustomColors),
};

constexpr MenuItem kText[] = {
    Sub(M::mnCoding), Sep(), Sub(M::mnLayout), Sep(), Sub(M::mnCase), Sep(),
    Sub(M::mnNumber), Sub(M::mnDate), Sub(M::mnTime), Sep(),
    Act(A::TextReplaceTabToSpace), Act(A::TextDeleteSpace), Act(A::TextDelCLRF),
    Act(A::TextAddSpace), Act(A::TextDelSpace),
};

constexpr MenuItem kCoding[] = {
    Act(A::CodAutoOpt), Act(A::CodAuto), Act(A::CodDefUTF8), Sep(),
    Act(A::CodWIN), Act(A::CodDOS), Act(A::CodKOI), Act(A::CodUTF8), Act(A::CodUTF16),
};

constexpr MenuItem kLayout[] = {
    Act(A::TextLatToRusInvert), Act(A::TextLatToRus), Act(A::TextRusToLat),
};

constexpr MenuItem kCase[] = {
    Act(A::TextRegInvert), Act(A::TextRegUpper), Act(A::TextRegLower), Act(A::TextRegTitle),
};

constexpr MenuItem kNumber[] = {
    Act(A::TextNumtoStr1), Act(A::TextNumtoStr2), Act(A::TextNumtoStr3),
};

constexpr MenuItem kDate[] = {
    Act(A::TextDate1), Act(A::TextDate2), Act(A::TextDate3), Act(A::TextDate4),
};

constexpr MenuItem kTime[] = {Act(A::TextTime1), Act(A::TextTime2), Act(A::TextTime3)};

// The named bookmarks follow the separator.
constexpr MenuItem kBookmarks[] = {
    Act(A::BMAdd), Act(A::BMDelete), Sep(), Slot(RuntimeList::Bookmarks),
};

constexpr MenuItem kPlugIns[] = {Slot(RuntimeList::PlugInItems)};

constexpr MenuItem kHelp[] = {
    Act(A::HelpContents), Act(A::HelpShortCuts), Sep(),
    Act(A::HelpHomePage), Act(A::HelpCallingBack), Sep(),
    Act(A::HelpAbout),
};

constexpr MenuItem kMainSimple[] = {
    Act(A::EditUndo), Sep(), Act(A::EditCut), Act(A::EditCopy), Act(A::EditPaste),
    Act(A::EditDelete), Sep(), Act(A::EditSelectAll),
};

constexpr MenuItem kURL[] = {Act(A::URLGoToLink), Act(A::URLCopyLink)};

constexpr MenuItem kTaskBar[] = {
    Cmd(CommandId::TrayRestore, kItemDefault), Sep(), Cmd(CommandId::TrayExit),
};

constexpr MenuItem kNewFile[] = {Act(A::FileNewWindow), Act(A::FileNewFromClipbrd)};

constexpr MenuItem kSavePopup[] = {
    Act(A::FileSaveAs), Act(A::FileSaveUnderNewName), Sub(M::mnSaveInCoding),
    Act(A::FileSaveSelText), Act(A::FileSaveClipbrd), Act(A::FileAddTo), Act(A::FileSaveAll),
};

constexpr MenuItem kCut[] = {Act(A::EditCutAdd)};
constexpr MenuItem kCopy[] = {Act(A::EditCopyAdd)};
constexpr MenuItem kPaste[] = {Act(A::EditSwapClipbrd)};
constexpr MenuItem kFind[] = {Slot(RuntimeList::FindHistory)};

constexpr MenuItem kPrint[] = {
    Act(A::PrintSelText), Act(A::PrintPageDlg), Sep(), Slot(RuntimeList::Printers),
};

constexpr MenuItem kFont[] = {
    Act(A::OptFont1), Act(A::OptFont2), Act(A::OptFont3), Act(A::OptFont4),
};

constexpr MenuItem kBackgroundDropDown[] = {Slot(RuntimeList::CustomColors)};

constexpr MenuItem kStatusBar1[] = {
    Act(A::FindGoToBack), Act(A::EditGoToLine), Act(A::FindFind), Sep(),
    Act(A::LocalBM0), Act(A::LocalBM1), Act(A::LocalBM2), Act(A::LocalBM3), Act(A::LocalBM4),
    Act(A::LocalBM5), Act(A::LocalBM6), Act(A::LocalBM7), Act(A::LocalBM8), Act(A::LocalBM9),
};

constexpr MenuItem kStatusBar2[] = {
    Cmd(static_cast<CommandId>(Percent(0))),  Cmd(static_cast<CommandId>(Percent(10))),
    Cmd(static_cast<CommandId>(Percent(20))), Cmd(static_cast<CommandId>(Percent(30))),
    Cmd(static_cast<CommandId>(Percent(40))), Cmd(static_cast<CommandId>(Percent(50))),
    Cmd(static_cast<CommandId>(Percent(60))), Cmd(static_cast<CommandId>(Percent(70))),
    Cmd(static_cast<CommandId>(Percent(80))), Cmd(static_cast<CommandId>(Percent(90))),
    Cmd(static_cast<CommandId>(Percent(100))),
};

constexpr MenuItem kStatusBar3[] = {
    Act(A::FileSave), Act(A::FileSaveAs), Act(A::FileSaveUnderNewName), Act(A::FileSaveAll), Sep(),
    Act(A::FileOpen), Act(A::FileOpenNewWindow), Act(A::FileUpdate),
};

constexpr MenuItem kStatusBar4[] = {Act(A::OptInsMode, kItemDefault), Act(A::OptReadOnly)};

constexpr MenuItem kStatusBar5[] = {
    Act(A::OptChangeKeybLayout, kItemDefault), Sep(),
    Act(A::TextLatToRusInvert), Act(A::TextLatToRus), Act(A::TextRusToLat), Sep(),
    Act(A::CodWIN), Act(A::CodDOS), Act(A::CodKOI), Act(A::CodUTF8), Act(A::CodUTF16),
};

constexpr MenuItem kStatusBar6[] = {
    Act(A::FileOpenFolder), Act(A::FileProperties), Act(A::EditCopyFileName),
    Act(A::FileExecute), Act(A::FileDelete), Sep(),
};

using K = MenuKind;
constexpr MenuImages kIcons = MenuImages::FollowIconsSetting;
constexpr MenuImages kNoImages = MenuImages::None;

// In MenuId order, so that GetMenu can index.
constexpr MenuInfo kMenus[] = {
    {M::MainMenu, "MainMenu", "", K::MenuBar, kIcons, kMainMenu},
    {M::mnFile, "mnFile", "Файл", K::Submenu, kIcons, kFile},
    {M::mnEdit, "mnEdit", "Правка", K::Submenu, kIcons, kEdit},
    {M::mnSearch, "mnSearch", "Поиск", K::Submenu, kIcons, kSearch},
    {M::mnService, "mnService", "Вид", K::Submenu, kIcons, kService},
    {M::mnText, "mnText", "Текст", K::Submenu, kIcons, kText},
    {M::mnBookmarks, "mnBookmarks", "Избранное", K::Submenu, kIcons, kBookmarks},
    {M::mnPlugIns, "mnPlugIns", "Надстройки", K::Submenu, kIcons, kPlugIns},
    {M::mnHelp, "mnHelp", "?", K::Submenu, kIcons, kHelp},
    {M::mnFileHistory, "mnFileHistory", "История", K::Submenu, kIcons, kFileHistory},
    {M::mnFileExtra, "mnFileExtra", "Дополнительно", K::Submenu, kIcons, kFileExtra},
    {M::mnSaveInCoding, "mnSaveInCoding", "Сохранить в кодировке...", K::Submenu, kIcons,
     kSaveInCoding},
    {M::mnSelectPrinter, "mnSelectPrinter", "Текущий печатник", K::Submenu, kIcons,
     kSelectPrinter},
    {M::mnLocalBM, "mnLocalBM", "Закладки", K::Submenu, kIcons, kLocalBM},
    {M::mnFonts, "mnFonts", "Шрифт", K::Submenu, kIcons, kFonts},
    {M::mnBackground, "mnBackground", "Фон", K::Submenu, kIcons, kBackground},
    {M::mnCoding, "mnCoding", "Кодировка", K::Submenu, kIcons, kCoding},
    {M::mnLayout, "mnLayout", "Раскладка", K::Submenu, kIcons, kLayout},
    {M::mnCase, "mnCase", "Регистр", K::Submenu, kIcons, kCase},
    {M::mnNumber, "mnNumber", "Число", K::Submenu, kIcons, kNumber},
    {M::mnDate, "mnDate", "Дата", K::Submenu, kIcons, kDate},
    {M::mnTime, "mnTime", "Время", K::Submenu, kIcons, kTime},
    {M::pmMain, "pmMain", "", K::PopUp, kIcons, kEdit},
    {M::pmMainSimple, "pmMainSimple", "", K::PopUp, kIcons, kMainSimple},
    {M::pmURL, "pmURL", "", K::PopUp, kIcons, kURL},
    {M::TaskBarPopup, "TaskBarPopup", "", K::PopUp, kIcons, kTaskBar},
    {M::pmNewFile, "pmNewFile", "", K::PopUp, kIcons, kNewFile},
    {M::SavePopup, "SavePopup", "", K::PopUp, kIcons, kSavePopup},
    {M::pmCut, "pmCut", "", K::PopUp, kIcons, kCut},
    {M::pmCopy, "pmCopy", "", K::PopUp, kIcons, kCopy},
    {M::pmPaste, "pmPaste", "", K::PopUp, kIcons, kPaste},
    {M::pmFind, "pmFind", "", K::PopUp, kIcons, kFind},
    {M::pmPrint, "pmPrint", "", K::PopUp, kIcons, kPrint},
    {M::pmDate, "pmDate", "", K::PopUp, kIcons, kDate},
    {M::pmTime, "pmTime", "", K::PopUp, kIcons, kTime},
    {M::pmFont, "pmFont", "", K::PopUp, kIcons, kFont},
    {M::pmBackground, "pmBackground", "", K::PopUp, MenuImages::Always, kBackgroundDropDown},
    {M::pmStatusBar1, "pmStatusBar1", "", K::PopUp, kNoImages, kStatusBar1},
    {M::pmStatusBar2, "pmStatusBar2", "", K::PopUp, kNoImages, kStatusBar2},
    {M::pmStatusBar3, "pmStatusBar3", "", K::PopUp, kNoImages, kStatusBar3},
    {M::pmStatusBar4, "pmStatusBar4", "", K::PopUp, kNoImages, kStatusBar4},
    {M::pmStatusBar5, "pmStatusBar5", "", K::PopUp, kNoImages, kStatusBar5},
    {M::pmStatusBar6, "pmStatusBar6", "", K::PopUp, kNoImages, kStatusBar6},
};

constexpr bool MenusInIdOrder() {
  int expected = 0;
  for (const MenuInfo& menu : kMenus) {
    if (static_cast<int>(menu.id) != expected++) return false;
  }
  return true;
}
static_assert(MenusInIdOrder(), "kMenus must list the menus in MenuId order");

constexpr ToolButton Button(ActionId action, MenuId dropDown = M::None) {
  return {false, action, "", "", dropDown};
}
constexpr ToolButton Bar() { return {true, A::FileNew, "", "", M::None}; }

constexpr ToolButton kToolBar[] = {
    Button(A::FileNew, M::pmNewFile),
    {false, A::FileOpen, "История", "", M::mnFileHistory},
    Button(A::FileSave, M::SavePopup),
    Bar(),
    Button(A::EditCut, M::pmCut),
    Button(A::EditCopy, M::pmCopy),
    Button(A::EditPaste, M::pmPaste),
    Bar(),
    Button(A::EditUndo),
    Button(A::EditRedo),
    Bar(),
    Button(A::CodWIN),
    Button(A::CodDOS),
    Button(A::CodKOI),
    Button(A::CodUTF8),
    Bar(),
    Button(A::FindFind, M::pmFind),
    Button(A::Print, M::pmPrint),
    Bar(),
    Button(A::TextDate, M::pmDate),
    Button(A::TextTime, M::pmTime),
    Bar(),
    Button(A::OptFontp1),
    Button(A::OptFontm1),
    Button(A::OptFont, M::pmFont),
    Bar(),
    {false, A::OptBackground, "Фон", "Изменить фон", M::pmBackground},
    Bar(),
    Button(A::OptReadOnly),
    Button(A::OptFullScreen),
};

// Index 0 is parent -1.
constexpr MenuId kPlugInParents[] = {
    M::mnFile,  M::mnEdit,    M::mnCoding,     M::mnText,   M::mnPlugIns, M::mnService,
    M::mnHelp,  M::MainMenu,  M::pmMain,       M::SavePopup, M::pmURL,    M::TaskBarPopup,
    M::pmDate,  M::pmTime,    M::pmPrint,      M::pmFind,   M::pmNewFile, M::pmCopy,
    M::pmCut,   M::pmPaste,   M::pmFont,
};

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int commandId) {
  const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                               [commandId](const CommandInfo& c) {
                                 return static_cast<int>(c.id) == commandId;
                               });
  return it == std::end(kCommands) ? nullptr : &*it;
}

const RuntimeListInfo& GetRuntimeList(RuntimeList list) {
  return kRuntimeLists[static_cast<int>(list)];
}

std::optional<RuntimeListHit> FindRuntimeListItem(int commandId) {
  for (const RuntimeListInfo& info : kRuntimeLists) {
    const int index = commandId - info.firstCommandId;
    if (index >= 0 && index < info.capacity) return RuntimeListHit{info.list, index};
  }
  return std::nullopt;
}

std::span<const MenuInfo> Menus() { return kMenus; }

const MenuInfo& GetMenu(MenuId id) { return kMenus[static_cast<int>(id)]; }

const MenuInfo* FindMenu(std::string_view name) {
  const auto it = std::find_if(std::begin(kMenus), std::end(kMenus),
                               [name](const MenuInfo& m) { return m.name == name; });
  return it == std::end(kMenus) ? nullptr : &*it;
}

bool ShowsShortcuts(MenuId root, bool showShortCutSetting) {
  return root == MenuId::MainMenu && showShortCutSetting;
}

std::span<const ToolButton> ToolBarButtons() { return kToolBar; }

std::optional<MenuId> MenuForPlugInParent(int parent) {
  const int index = -parent - 1;
  if (index < 0 || index >= static_cast<int>(std::size(kPlugInParents))) return std::nullopt;
  return kPlugInParents[index];
}

}  // namespace quillo

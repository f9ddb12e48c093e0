#include "core/menu_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quillo {
namespace {

// One line per menu: action names, "-" for separators, [Caption] for
// submenus, <List> for run-time items, command captions; "~" marks a hidden
// item and "*" the default item.
std::string Render(MenuId id) {
  std::string line;
  for (const MenuItem& item : GetMenu(id).items) {
    if (!line.empty()) line += ", ";
    if (item.Has(kItemHidden)) line += "~";
    if (item.Has(kItemDefault)) line += "*";
    switch (item.kind) {
      case MenuItemKind::Action:
        line += GetAction(item.action()).name;
        break;
      case MenuItemKind::Separator:
        line += "-";
        break;
      case MenuItemKind::Submenu:
        line += "[" + std::string(GetMenu(item.submenu()).caption) + "]";
        break;
      case MenuItemKind::Command:
        line += FindCommand(static_cast<int>(item.command()))->caption;
        break;
      case MenuItemKind::RuntimeList:
        line += "<" + std::string(GetRuntimeList(item.runtimeList()).name) + ">";
        break;
    }
  }
  return line;
}

TEST(MenuLayout, EveryMenuHoldsItsItemsInOrder) {
  struct Case {
    MenuId menu;
    const char* items;
  };
  const Case cases[] = {
      {MenuId::MainMenu, "[Файл], [Правка], [Поиск], [Вид], [Текст], [Избранное], [Надстройки], [?]"},
      {MenuId::mnFile,
       "FileNew, FileNewWindow, FileNewFromClipbrd, -, FileOpen, FileOpenNewWindow, FileUpdate, "
       "FileInsertFrom, [История], -, FileSave, FileSaveAs, [Дополнительно], -, FileOpenFolder, "
       "FileProperties, EditCopyFileName, FileExecute, FileDelete, -, [Текущий печатник], "
       "PrintPageDlg, Print, PrintSelText, -, CloseProgram"},
      {MenuId::mnFileHistory, "<RecentFiles>"},
      {MenuId::mnFileExtra,
       "FileSaveUnderNewName, [Сохранить в кодировке...], FileSaveClipbrd, FileSaveSelText, "
       "FileAddTo, FileSaveAll"},
      {MenuId::mnSaveInCoding, "FileSaveInWinCod, FileSaveInDosCod, FileSaveInKoiCod, FileSaveInUtf8, FileSaveInUtf8Bom"},
      {MenuId::mnSelectPrinter, "<Printers>"},
      {MenuId::mnEdit,
       "EditUndo, EditRedo, -, EditCut, EditCutAdd, EditCutAll, -, EditCopy, EditCopyAdd, "
       "EditCopyAll, -, EditPaste, EditSwapClipbrd, -, EditDelete, EditDeleteLine, EditDeleteAll, "
       "-, EditSelectAll, EditNoSelText"},
      {MenuId::mnSearch,
       "FindFind, FindFindNext, -, FindClipbrd, FindClipbrdNoDlg, FindClipbrdNoDlgCur, -, "
       "FindSelTextNoDlg, FindWordAtCaretNoDlg, -, [Закладки], EditGoToLine, FindGoToBack"},
      {MenuId::mnLocalBM,
       "LocalBM0, LocalBM1, LocalBM2, LocalBM3, LocalBM4, LocalBM5, LocalBM6, LocalBM7, "
       "LocalBM8, LocalBM9"},
      {MenuId::mnService,
       "OptWordWrap, OptToolBar, OptStatusBar, OptFullScreen, OptReadOnly, OptInsMode, "
       "OptChangeKeybLayout, -, [Шрифт], [Фон], -, Options, -, ~Панель инструментов, "
       "~Сохранить, ~Восстановить"},
      {MenuId::mnFonts,
       "OptFontp1, OptFontm1, OptFont, -, OptFont1, OptFont2, OptFont3, OptFont4"},
      {MenuId::mnBackground, "OptBackground, -, <CustomColors>"},
      {MenuId::mnText,
       "[Кодировка], -, [Раскладка], -, [Регистр], -, [Число], [Дата], [Время], -, "
       "TextReplaceTabToSpace, TextDeleteSpace, TextDelCLRF, TextAddSpace, TextDelSpace"},
      {MenuId::mnCoding, "CodAutoOpt, CodAuto, CodDefUTF8, -, CodWIN, CodDOS, CodKOI, CodUTF8, CodUTF16"},
      {MenuId::mnLayout, "TextLatToRusInvert, TextLatToRus, TextRusToLat"},
      {MenuId::mnCase, "TextRegInvert, TextRegUpper, TextRegLower, TextRegTitle"},
      {MenuId::mnNumber, "TextNumtoStr1, TextNumtoStr2, TextNumtoStr3"},
      {MenuId::mnDate, "TextDate1, TextDate2, TextDate3, TextDate4"},
      {MenuId::mnTime, "TextTime1, TextTime2, TextTime3"},
      {MenuId::mnBookmarks, "BMAdd, BMDelete, -, <Bookmarks>"},
      {MenuId::mnPlugIns, "<PlugInItems>"},
      {MenuId::mnHelp,
       "HelpContents, HelpShortCuts, -, HelpHomePage, HelpCallingBack, -, HelpAbout"},
      {MenuId::pmMain,
       "EditUndo, EditRedo, -, EditCut, EditCutAdd, EditCutAll, -, EditCopy, EditCopyAdd, "
       "EditCopyAll, -, EditPaste, EditSwapClipbrd, -, EditDelete, EditDeleteLine, EditDeleteAll, "
       "-, EditSelectAll, EditNoSelText"},
      {MenuId::pmMainSimple,
       "EditUndo, -, EditCut, EditCopy, EditPaste, EditDelete, -, EditSelectAll"},
      {MenuId::pmURL, "URLGoToLink, URLCopyLink"},
      {MenuId::TaskBarPopup, "*Развернуть, -, Выход"},
      {MenuId::pmNewFile, "FileNewWindow, FileNewFromClipbrd"},
      {MenuId::SavePopup,
       "FileSaveAs, FileSaveUnderNewName, [Сохранить в кодировке...], FileSaveSelText, "
       "FileSaveClipbrd, FileAddTo, FileSaveAll"},
      {MenuId::pmCut, "EditCutAdd"},
      {MenuId::pmCopy, "EditCopyAdd"},
      {MenuId::pmPaste, "EditSwapClipbrd"},
      {MenuId::pmFind, "<FindHistory>"},
      {MenuId::pmPrint, "PrintSelText, PrintPageDlg, -, <Printers>"},
      {MenuId::pmDate, "TextDate1, TextDate2, TextDate3, TextDate4"},
      {MenuId::pmTime, "TextTime1, TextTime2, TextTime3"},
      {MenuId::pmFont, "OptFont1, OptFont2, OptFont3, OptFont4"},
      {MenuId::pmBackground, "<CustomColors>"},
      {MenuId::pmStatusBar1,
       "FindGoToBack, EditGoToLine, FindFind, -, LocalBM0, LocalBM1, LocalBM2, LocalBM3, "
       "LocalBM4, LocalBM5, LocalBM6, LocalBM7, LocalBM8, LocalBM9"},
      {MenuId::pmStatusBar2, "0%, 10%, 20%, 30%, 40%, 50%, 60%, 70%, 80%, 90%, 100%"},
      {MenuId::pmStatusBar3,
       "FileSave, FileSaveAs, FileSaveUnderNewName, FileSaveAll, -, FileOpen, FileOpenNewWindow, "
       "FileUpdate"},
      {MenuId::pmStatusBar4, "*OptInsMode, OptReadOnly"},
      {MenuId::pmStatusBar5,
       "*OptChangeKeybLayout, -, TextLatToRusInvert, TextLatToRus, TextRusToLat, -, CodWIN, "
       "CodDOS, CodKOI, CodUTF8, CodUTF16"},
      {MenuId::pmStatusBar6,
       "FileOpenFolder, FileProperties, EditCopyFileName, FileExecute, FileDelete, -"},
  };
  EXPECT_EQ(std::size(cases), Menus().size());
  for (const Case& c : cases) EXPECT_EQ(Render(c.menu), c.items) << GetMenu(c.menu).name;
}

TEST(MenuLayout, MenusAreFoundByNameAndSubmenusHaveCaptions) {
  for (const MenuInfo& menu : Menus()) {
    EXPECT_EQ(FindMenu(menu.name), &menu);
    EXPECT_EQ(&GetMenu(menu.id), &menu);
    EXPECT_EQ(menu.caption.empty(), menu.kind != MenuKind::Submenu) << menu.name;
    for (const MenuItem& item : menu.items) {
      if (item.kind == MenuItemKind::Submenu) {
        EXPECT_EQ(GetMenu(item.submenu()).kind, MenuKind::Submenu) << menu.name;
      }
    }
  }
  EXPECT_EQ(FindMenu("pmmain"), nullptr);
}

TEST(MenuLayout, ToolBarButtonsInOrder) {
  std::string line;
  for (const ToolButton& button : ToolBarButtons()) {
    if (!line.empty()) line += " ";
    if (button.separator) {
      line += "|";
      continue;
    }
    line += GetAction(button.action).name;
    if (!button.caption.empty()) line += "\"" + std::string(button.caption) + "\"";
    if (button.dropDown != MenuId::None) line += "(" + std::string(GetMenu(button.dropDown).name) + ")";
  }
  EXPECT_EQ(line,
            "FileNew(pmNewFile) FileOpen\"История\"(mnFileHistory) FileSave(SavePopup) | "
            "EditCut(pmCut) EditCopy(pmCopy) EditPaste(pmPaste) | EditUndo EditRedo | "
            "CodWIN CodDOS CodKOI CodUTF8 | FindFind(pmFind) Print(pmPrint) | TextDate(pmDate) "
            "TextTime(pmTime) | OptFontp1 OptFontm1 OptFont(pmFont) | "
            "OptBackground\"Фон\"(pmBackground) | OptReadOnly OptFullScreen");
  const ToolButton& background = ToolBarButtons()[ToolBarButtons().size() - 4];
  EXPECT_EQ(background.hint, "Изменить фон");
}

// Every action can be reached from a menu or the tool bar, except those
// that only have keys or are never shown.
TEST(MenuLayout, EveryActionHasAPlace) {
  std::set<ActionId> placed;
  for (const MenuInfo& menu : Menus()) {
    for (const MenuItem& item : menu.items) {
      if (item.kind == MenuItemKind::Action) placed.insert(item.action());
    }
  }
  for (const ToolButton& button : ToolBarButtons()) {
    if (!button.separator) placed.insert(button.action);
  }
  std::set<std::string_view> unplaced;
  for (const ActionInfo& action : Actions()) {
    if (!placed.count(action.id)) unplaced.insert(action.name);
  }
  EXPECT_EQ(unplaced,
            (std::set<std::string_view>{"FileSaveExit", "FindReplaceNext", "TextNumToStr"}));
}

TEST(MenuLayout, OnlyTheMenuBarShowsShortcutsAndOnlyWhileTheSettingIsOn) {
  EXPECT_TRUE(ShowsShortcuts(MenuId::MainMenu, true));
  EXPECT_FALSE(ShowsShortcuts(MenuId::MainMenu, false));
  for (const MenuInfo& menu : Menus()) {
    if (menu.kind == MenuKind::PopUp) {
      EXPECT_FALSE(ShowsShortcuts(menu.id, true)) << menu.name;
    }
  }
}

TEST(MenuLayout, ImagesFollowTheIconsSettingExceptStatusBarMenus) {
  const std::set<std::string_view> withIcons = {
      "MainMenu", "SavePopup", "TaskBarPopup", "pmMain", "pmURL",  "pmDate",  "pmTime",
      "pmPrint",  "pmFind",    "pmNewFile",    "pmCopy", "pmCut",  "pmPaste", "pmFont",
      "pmMainSimple"};
  for (const MenuInfo& menu : Menus()) {
    if (menu.kind == MenuKind::Submenu) continue;
    const MenuImages expected = withIcons.count(menu.name) ? MenuImages::FollowIconsSetting
                                : menu.id == MenuId::pmBackground ? MenuImages::Always
                                                                  : MenuImages::None;
    EXPECT_EQ(menu.images, expected) << menu.name;
  }
}

TEST(MenuLayout, CommandIdBlocksNeverOverlap) {
  std::set<int> ids;
  for (const ActionInfo& action : Actions()) ids.insert(action.CommandId());
  for (const CommandInfo& command : Commands()) {
    EXPECT_TRUE(ids.insert(static_cast<int>(command.id)).second) << command.name;
  }
  for (int id : ids) EXPECT_FALSE(FindRuntimeListItem(id)) << id;
  EXPECT_FALSE(ids.count(200));
  int previousEnd = *ids.rbegin() + 1;
  for (RuntimeList list : {RuntimeList::RecentFiles, RuntimeList::Printers, RuntimeList::Bookmarks,
                           RuntimeList::FindHistory, RuntimeList::CustomColors,
                           RuntimeList::PlugInItems}) {
    const RuntimeListInfo& info = GetRuntimeList(list);
    EXPECT_EQ(info.list, list);
    EXPECT_GE(info.firstCommandId, previousEnd) << info.name;
    previousEnd = info.firstCommandId + info.capacity;
    const auto last = FindRuntimeListItem(previousEnd - 1);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->list, list);
    EXPECT_EQ(last->index, info.capacity - 1);
  }
  EXPECT_LT(previousEnd, 32768);
  EXPECT_GE(GetRuntimeList(RuntimeList::CustomColors).capacity, 16);
}

TEST(MenuLayout, PercentItemsCarryTheirPercentageAsTag) {
  int expected = 0;
  for (const MenuItem& item : GetMenu(MenuId::pmStatusBar2).items) {
    const CommandInfo* command = FindCommand(static_cast<int>(item.command()));
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->tag, expected);
    EXPECT_EQ(command->caption, std::to_string(expected) + "%");
    expected += 10;
  }
  EXPECT_EQ(expected, 110);
}

TEST(MenuLayout, PlugInParentNumbers) {
  struct Case {
    int parent;
    std::optional<MenuId> menu;
  };
  const Case cases[] = {
      {-1, MenuId::mnFile},      {-2, MenuId::mnEdit},     {-3, MenuId::mnCoding},
      {-4, MenuId::mnText},      {-5, MenuId::mnPlugIns},  {-6, MenuId::mnService},
      {-7, MenuId::mnHelp},      {-8, MenuId::MainMenu},   {-9, MenuId::pmMain},
      {-10, MenuId::SavePopup},  {-11, MenuId::pmURL},     {-12, MenuId::TaskBarPopup},
      {-13, MenuId::pmDate},     {-14, MenuId::pmTime},    {-15, MenuId::pmPrint},
      {-16, MenuId::pmFind},     {-17, MenuId::pmNewFile}, {-18, MenuId::pmCopy},
      {-19, MenuId::pmCut},      {-20, MenuId::pmPaste},   {-21, MenuId::pmFont},
      {-22, std::nullopt},       {0, std::nullopt},        {5, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(MenuForPlugInParent(c.parent), c.menu) << c.parent;
}

}  // namespace
}  // namespace quillo

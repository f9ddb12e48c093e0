#include "core/action_table.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace quillo {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream stream(text);
  while (std::getline(stream, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

std::string JoinSeconds(const ActionInfo& action) {
  std::string joined;
  for (std::string_view second : action.secondShortcuts) {
    if (second.empty()) continue;
    if (!joined.empty()) joined += ", ";
    joined += second;
  }
  return joined;
}

// name | category | caption | shortcut | second shortcuts | tag
const char* const kExpectedActions[] = {
    "FileNew|File|Создать|Ctrl+N|Ctrl+F4|0",
    "FileNewWindow|File|Создать в новом окне…|Shift+Ctrl+N|Ctrl+Shift+F4|0",
    "FileNewFromClipbrd|File|Создать с текстом из буфера…|Ctrl+Alt+V|Ctrl+Shift+F2|0",
    "FileOpen|File|Открыть…|Ctrl+O|Ctrl+F12|0",
    "FileOpenNewWindow|File|Открыть в новом окне…|Shift+Ctrl+O|Alt+F5|0",
    "FileOpenFolder|File|Открыть папку…|Ctrl+Alt+E|Ctrl+Alt+F12|0",
    "FileSave|File|Сохранить|Ctrl+S|F2, Shift+F12|0",
    "FileSaveAs|File|Сохранить как…|Shift+Ctrl+S|Ctrl+F2, F12|0",
    "FileSaveUnderNewName|File|Переместить…|Ctrl+M|Alt+Shift+F5|0",
    "CloseProgram|File|Выход|Alt+X||0",
    "FileInsertFrom|File|Вставить из…|Ctrl+I|Shift+Ctrl+Ins, Ctrl+Alt+Shift+F2|0",
    "FileSaveSelText|File|Сохранить выделенный текст…|Ctrl+Alt+C|Ctrl+Alt+F12, Ctrl+F5|0",
    "FileSaveInWinCod|File|Windows-1251|Shift+Ctrl+Alt+W|Shift+Ctrl+Alt+F5|1",
    "FileSaveInDosCod|File|DOS-866|||2",
    "FileSaveInKoiCod|File|KOI8-R|||3",
    "FileUpdate|File|Обновить|Shift+Ctrl+R|F5, Ctrl+U|0",
    "FileSaveClipbrd|File|Сохранить текст в буфере…|Shift+Ctrl+Alt+V|Ctrl+Alt+F5|0",
    "FileSaveAll|File|Сохранить все|Shift+Ctrl+Alt+S|Ctrl+Alt+Shift+F12|0",
    "FileDelete|File|Удалить файл|Shift+Ctrl+Alt+Del|Ctrl+Shift+Alt+F10|0",
    "FileExecute|File|Выполнить|Ctrl+R|Shift+Ctrl+F10|0",
    "FileAddTo|File|Добавить к...|Ctrl+Alt+S||0",
    "FileSaveExit|File|Сохранить и закрыть||Ctrl+Q, Shift+F1|0",
    "FileProperties|File|Свойства файла...|Alt+Enter|Alt+F12|0",
    "EditCut|Edit|Вырезать|Ctrl+X||0",
    "EditCutAdd|Edit|Вырезать и добавить|Shift+Ctrl+X||0",
    "EditCopy|Edit|Копировать|Ctrl+C||0",
    "EditCopyAdd|Edit|Копировать и добавить|Shift+Ctrl+C||0",
    "EditPaste|Edit|Вставить|Ctrl+V||0",
    "EditSelectAll|Edit|Выделить все|Ctrl+A|Ctrl+F8|0",
    "EditUndo|Edit|Отменить|Ctrl+Z|Alt+Backspace|0",
    "EditRedo|Edit|Повторить|Shift+Ctrl+Z|Alt+Shift+BkSp|0",
    "EditDelete|Edit|Удалить|Del||0",
    "EditSwapClipbrd|Edit|Поменять с буфером|Shift+Ctrl+V||0",
    "EditCopyFileName|Edit|Копировать имя файла|Shift+Ctrl+Alt+C||0",
    "EditDeleteLine|Edit|Удалить строку|Ctrl+Y|Alt+Del, Ctrl+L|0",
    "EditCopyAll|Edit|Копировать все|Shift+Ctrl+A|Ctrl+Shift+F8|0",
    "EditNoSelText|Edit|Сбросить выделение|Ctrl+Alt+A|Shift+Alt+F8|0",
    "EditDeleteAll|Edit|Удалить все|Shift+Alt+Del||0",
    "EditCutAll|Edit|Вырезать все|Shift+Ctrl+Alt+X||0",
    "EditGoToLine|Find|Перейти…|Ctrl+G|Ctrl+Shift+F5|0",
    "FindFind|Find|Найти/заменить…|Ctrl+F||0",
    "FindFindNext|Find|Найти далее|Shift+Ctrl+F|F3, Shift+F4, Alt+Ctrl+Y|0",
    "FindClipbrd|Find|Найти текст из буфера…|Ctrl+Alt+F|Ctrl+Alt+F7|0",
    "FindSelTextNoDlg|Find|Найти выделенный текст|F8||0",
    "FindWordAtCaretNoDlg|Find|Найти слово под кареткой|Shift+Alt+F|Ctrl+F7|0",
    "FindClipbrdNoDlgCur|Find|…от каретки|Shift+Ctrl+Alt+F|Alt+F3|0",
    "FindClipbrdNoDlg|Find|…с начала текста|Alt+F|F7|0",
    "FindGoToBack|Find|Вернуться|Ctrl+Alt+Z|Shift+F5|0",
    "FindReplaceNext|Find|Заменить далее|Ctrl+H|Ctrl+Shift+F3, Ctrl+H|0",
    "TextLatToRusInvert|Text|qweкен -> йцуrty|Ctrl+Alt+R|Ctrl+Alt+E, Alt+F9, Alt+CapsLock|0",
    "TextLatToRus|Text|qwerty -> йцукен|Alt+R||0",
    "TextRusToLat|Text|йцукен -> qwerty|Alt+E||0",
    "TextRegInvert|Text|Инвертировать|Shift+Ctrl+Up|Shift+F3, Shift+CapsLock, Ctrl+Alt+Shift+F9|0",
    "TextRegUpper|Text|В верхний регистр|Ctrl+Up|Ctrl+Shift+U, Ctrl+Alt+F9|0",
    "TextRegLower|Text|В нижний регистр|Ctrl+Down|Ctrl+Shift+L, Alt+Shift+F9|0",
    "TextDate1|Text|Формат 1|||1",
    "TextDate2|Text|Формат 2|||2",
    "TextDate3|Text|Формат 3|||3",
    "TextDate4|Text|Формат 4|||4",
    "TextDate|Text|Дата|Ctrl+D||0",
    "TextTime|Text|Время|Ctrl+T||0",
    "TextTime1|Text|Формат 1|||1",
    "TextTime2|Text|Формат 2|||2",
    "TextTime3|Text|Формат 3|||3",
    "TextReplaceTabToSpace|Text|Заменить табуляцию на пробелы|||0",
    "TextDeleteSpace|Text|Удалить лишние пробелы|||0",
    "TextNumToStr|Text|Число строкой|||0",
    "TextNumtoStr1|Text|Формат 1|||1",
    "TextNumtoStr2|Text|Формат 2|||2",
    "TextNumtoStr3|Text|Формат 3|||3",
    "TextRegTitle|Text|Заголовок|Ctrl+Alt+Up||0",
    "TextDelCLRF|Text|Удалить переводы строк|||0",
    "TextAddSpace|Text|Красная строка|||0",
    "TextDelSpace|Text|Удалить красную строку|||0",
    "CodAutoOpt|Coding|Автоматический выбор|||0",
    "CodAuto|Coding|Определить|||0",
    "CodWIN|Coding|Windows-1251|Alt+W|Shift+F9|0",
    "CodDOS|Coding|DOS-866|Alt+D|Ctrl+Shift+F9|0",
    "CodKOI|Coding|KOI8-R|Alt+K|Ctrl+F9|0",
    "BMAdd|Bookmark|Добавить…|Ctrl+B||0",
    "BMDelete|Bookmark|Удалить…|||0",
    "LocalBM1|Bookmark|LocalBM1|||1",
    "LocalBM2|Bookmark|LocalBM2|||2",
    "LocalBM3|Bookmark|LocalBM3|||3",
    "LocalBM4|Bookmark|LocalBM4|||4",
    "LocalBM5|Bookmark|LocalBM5|||5",
    "LocalBM6|Bookmark|LocalBM6|||6",
    "LocalBM7|Bookmark|LocalBM7|||7",
    "LocalBM8|Bookmark|LocalBM8|||8",
    "LocalBM9|Bookmark|LocalBM9|||9",
    "LocalBM0|Bookmark|LocalBM0|||0",
    "PrintPageDlg|Print|Параметры страницы…|Shift+Alt+P|Ctrl+F6|0",
    "Print|Print|Печать|Ctrl+P|Ctrl+Shift+F12, F6|0",
    "PrintSelText|Print|Печать выделенного текста|Shift+Ctrl+P|Shift+F6|0",
    "OptFont|Options|Изменить…|Ctrl+Alt+D|Shift+F11|0",
    "OptBackground|Options|Изменить…|Shift+Alt+B|Shift+Alt+F11|0",
    "Options|Options|Настройки…|Ctrl+Alt+O|Alt+Shift+F12|0",
    "OptWordWrap|Options|Перенос по словам|Ctrl+W|Ctrl+Shift+F11|0",
    "OptStatusBar|Options|Строка состояния|Ctrl+Alt+T|Ctrl+F11|0",
    "OptToolBar|Options|Панель инструментов|Ctrl+Alt+B|Alt+F11|0",
    "OptFullScreen|Options|Во весь экран|Ctrl+J|F11|0",
    "OptFontp1|Options|Увеличить|Ctrl+]||0",
    "OptFontm1|Options|Уменьшить|Ctrl+[||0",
    "OptFont1|Options|Шрифт|||1",
    "OptFont2|Options|Шрифт|||2",
    "OptFont3|Options|Шрифт|||3",
    "OptFont4|Options|Шрифт|||4",
    "OptInsMode|Options|Режим вставка/замена|||0",
    "OptChangeKeybLayout|Options|Переключить раскладку|F9|Alt+Shift, Ctrl+Shift|0",
    "OptReadOnly|Options|Только чтение|Shift+Ctrl+Alt+R|Ctrl+Shift+Alt+F11|0",
    "URLGoToLink|URL|Перейти по ссылке|||0",
    "URLCopyLink|URL|Копировать ссылку|||0",
    "HelpContents|Help|Справка…|F1||0",
    "HelpAbout|Help|О программе…|Ctrl+F1||0",
    "HelpHomePage|Help|Домашняя страница…|Shift+Ctrl+F1||0",
    "HelpCallingBack|Help|Написать отзыв…|Shift+Alt+F1||0",
    "HelpShortCuts|Help|Горячие клавиши|||0",
    "FileSaveInUtf8|File|UTF-8|||4",
    "FileSaveInUtf8Bom|File|UTF-8 с BOM|||5",
    "CodUTF8|Coding|UTF-8|||0",
    "CodUTF16|Coding|UTF-16|||0",
    "CodDefUTF8|Coding|UTF-8 для новых файлов|||0",
};

TEST(ActionTable, MatchesTheCommandList) {
  const auto actions = Actions();
  ASSERT_EQ(actions.size(), std::size(kExpectedActions));
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const std::vector<std::string> want = Split(kExpectedActions[i], '|');
    ASSERT_EQ(want.size(), 6u) << kExpectedActions[i];
    const ActionInfo& got = actions[i];
    SCOPED_TRACE(want[0]);
    EXPECT_EQ(got.name, want[0]);
    EXPECT_EQ(CategoryName(got.category), want[1]);
    EXPECT_EQ(got.caption, want[2]);
    EXPECT_EQ(got.shortcut, want[3]);
    EXPECT_EQ(JoinSeconds(got), want[4]);
    EXPECT_EQ(got.tag, std::stoi(want[5]));
  }
}

TEST(ActionTable, IdsAreStableDistinctAndClearOfSmallIds) {
  EXPECT_EQ(static_cast<int>(ActionId::FileNew), 1000);
  EXPECT_EQ(static_cast<int>(ActionId::CloseProgram), 1009);
  EXPECT_EQ(static_cast<int>(ActionId::HelpShortCuts), 1116);
  std::set<int> ids;
  for (const ActionInfo& action : Actions()) {
    EXPECT_GE(action.CommandId(), kFirstActionId);
    EXPECT_TRUE(ids.insert(action.CommandId()).second) << action.name;
    EXPECT_EQ(FindActionByCommandId(action.CommandId()), &action);
    EXPECT_EQ(&GetAction(action.id), &action);
  }
  EXPECT_EQ(FindActionByCommandId(200), nullptr);
  EXPECT_EQ(FindActionByCommandId(kFirstActionId - 1), nullptr);
  EXPECT_EQ(FindActionByCommandId(kLastActionId + 1), nullptr);
}

TEST(ActionTable, LookupByNameIsExact) {
  ASSERT_NE(FindAction("FileSaveAs"), nullptr);
  EXPECT_EQ(FindAction("FileSaveAs")->id, ActionId::FileSaveAs);
  EXPECT_EQ(FindAction("TextNumtoStr2")->id, ActionId::TextNumtoStr2);
  EXPECT_EQ(FindAction("TextNumToStr")->id, ActionId::TextNumToStr);
  EXPECT_EQ(FindAction("filesaveas"), nullptr);
  EXPECT_EQ(FindAction("FileSaveAs "), nullptr);
  EXPECT_EQ(FindAction(""), nullptr);
}

TEST(ActionTable, EveryPrimaryShortcutParsesIsDistinctAndIsInMenuSpelling) {
  std::set<std::pair<int, int>> seen;
  for (const ActionInfo& action : Actions()) {
    if (action.shortcut.empty()) continue;
    const std::optional<Shortcut> parsed = PrimaryShortcut(action);
    ASSERT_TRUE(parsed) << action.name;
    EXPECT_EQ(ShortcutToText(*parsed), action.shortcut) << action.name;
    EXPECT_TRUE(seen.insert({parsed->key, parsed->modifiers}).second)
        << action.name << " reuses " << action.shortcut;
  }
}

TEST(ActionTable, SecondShortcutsParseExceptThoseNamingNoKey) {
  for (const ActionInfo& action : Actions()) {
    int written = 0;
    for (std::string_view second : action.secondShortcuts) written += !second.empty();
    const int expectedKeys = action.id == ActionId::OptChangeKeybLayout ? 0 : written;
    EXPECT_EQ(static_cast<int>(SecondShortcuts(action).size()), expectedKeys) << action.name;
  }
  EXPECT_EQ(GetAction(ActionId::OptChangeKeybLayout).secondShortcuts[0], "Alt+Shift");
}

TEST(ActionTable, TogglesRadioGroupAndHiddenAction) {
  std::set<std::string_view> autoCheck;
  for (const ActionInfo& action : Actions()) {
    if (action.Has(kActionAutoCheck)) autoCheck.insert(action.name);
    if (action.Has(kActionStartsChecked)) {
      EXPECT_EQ(action.id, ActionId::CodAutoOpt);
    }
  }
  EXPECT_EQ(autoCheck, (std::set<std::string_view>{"CodAutoOpt", "CodDefUTF8", "OptWordWrap", "OptToolBar",
                                                   "OptStatusBar", "OptFullScreen"}));
  EXPECT_TRUE(GetAction(ActionId::CodAutoOpt).Has(kActionStartsChecked));
  EXPECT_FALSE(GetAction(ActionId::OptReadOnly).Has(kActionAutoCheck));

  const int group = GetAction(ActionId::CodWIN).groupIndex;
  EXPECT_NE(group, 0);
  EXPECT_EQ(GetAction(ActionId::CodDOS).groupIndex, group);
  EXPECT_EQ(GetAction(ActionId::CodKOI).groupIndex, group);
  EXPECT_EQ(GetAction(ActionId::CodUTF8).groupIndex, group);
  EXPECT_EQ(GetAction(ActionId::CodAutoOpt).groupIndex, 0);

  const ActionInfo& replaceNext = GetAction(ActionId::FindReplaceNext);
  EXPECT_TRUE(replaceNext.Has(kActionHidden));
  EXPECT_TRUE(replaceNext.Has(kActionAlwaysDisabled));
}

TEST(ActionTable, Hints) {
  struct Case {
    ActionId id;
    std::string_view hint;
  };
  const Case cases[] = {
      {ActionId::FindFind, "Найти..."},
      {ActionId::EditGoToLine, "Переход к строке"},
      {ActionId::TextRegTitle, ""},
      {ActionId::TextLatToRusInvert, "qweкен -> йцуrty"},
      {ActionId::TextRegLower, "В нижний регистр"},
      {ActionId::FileSave, "Сохранить"},
  };
  for (const Case& c : cases) EXPECT_EQ(GetAction(c.id).hint, c.hint) << GetAction(c.id).name;
}

}  // namespace
}  // namespace quillo

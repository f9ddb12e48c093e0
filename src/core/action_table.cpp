#include "core/action_table.h"

#include <algorithm>

namespace quillo {
namespace {

using C = ActionCategory;

constexpr ActionInfo kActions[] = {
    {ActionId::FileNew, "FileNew", C::File, "Создать", "Создать", "Ctrl+N", {"Ctrl+F4"}, 0, 0, 0},
    {ActionId::FileNewWindow, "FileNewWindow", C::File, "Создать в новом окне…", "Создать в новом окне…", "Shift+Ctrl+N", {"Ctrl+Shift+F4"}, 0, 0, 0},
    {ActionId::FileNewFromClipbrd, "FileNewFromClipbrd", C::File, "Создать с текстом из буфера…", "Создать с текстом из буфера…", "Ctrl+Alt+V", {"Ctrl+Shift+F2"}, 0, 0, 0},
    {ActionId::FileOpen, "FileOpen", C::File, "Открыть…", "Открыть…", "Ctrl+O", {"Ctrl+F12"}, 0, 0, 0},
    {ActionId::FileOpenNewWindow, "FileOpenNewWindow", C::File, "Открыть в новом окне…", "Открыть в новом окне…", "Shift+Ctrl+O", {"Alt+F5"}, 0, 0, 0},
    {ActionId::FileOpenFolder, "FileOpenFolder", C::File, "Открыть папку…", "Открыть папку…", "Ctrl+Alt+E", {"Ctrl+Alt+F12"}, 0, 0, 0},
    {ActionId::FileSave, "FileSave", C::File, "Сохранить", "Сохранить", "Ctrl+S", {"F2", "Shift+F12"}, 0, 0, 0},
    {ActionId::FileSaveAs, "FileSaveAs", C::File, "Сохранить как…", "Сохранить как…", "Shift+Ctrl+S", {"Ctrl+F2", "F12"}, 0, 0, 0},
    {ActionId::FileSaveUnderNewName, "FileSaveUnderNewName", C::File, "Переместить…", "Переместить…", "Ctrl+M", {"Alt+Shift+F5"}, 0, 0, 0},
    {ActionId::CloseProgram, "CloseProgram", C::File, "Выход", "Выход", "Alt+X", {}, 0, 0, 0},
    {ActionId::FileInsertFrom, "FileInsertFrom", C::File, "Вставить из…", "Вставить из…", "Ctrl+I", {"Shift+Ctrl+Ins", "Ctrl+Alt+Shift+F2"}, 0, 0, 0},
    {ActionId::FileSaveSelText, "FileSaveSelText", C::File, "Сохранить выделенный текст…", "Сохранить выделенный текст…", "Ctrl+Alt+C", {"Ctrl+Alt+F12", "Ctrl+F5"}, 0, 0, 0},
    {ActionId::FileSaveInWinCod, "FileSaveInWinCod", C::File, "Windows-1251", "Windows-1251", "Shift+Ctrl+Alt+W", {"Shift+Ctrl+Alt+F5"}, 1, 0, 0},
    {ActionId::FileSaveInDosCod, "FileSaveInDosCod", C::File, "DOS-866", "DOS-866", "", {}, 2, 0, 0},
    {ActionId::FileSaveInKoiCod, "FileSaveInKoiCod", C::File, "KOI8-R", "KOI8-R", "", {}, 3, 0, 0},
    {ActionId::FileUpdate, "FileUpdate", C::File, "Обновить", "Обновить", "Shift+Ctrl+R", {"F5", "Ctrl+U"}, 0, 0, 0},
    {ActionId::FileSaveClipbrd, "FileSaveClipbrd", C::File, "Сохранить текст в буфере…", "Сохранить текст в буфере…", "Shift+Ctrl+Alt+V", {"Ctrl+Alt+F5"}, 0, 0, 0},
    {ActionId::FileSaveAll, "FileSaveAll", C::File, "Сохранить все", "Сохранить все", "Shift+Ctrl+Alt+S", {"Ctrl+Alt+Shift+F12"}, 0, 0, 0},
    {ActionId::FileDelete, "FileDelete", C::File, "Удалить файл", "Удалить файл", "Shift+Ctrl+Alt+Del", {"Ctrl+Shift+Alt+F10"}, 0, 0, 0},
    {ActionId::FileExecute, "FileExecute", C::File, "Выполнить", "Выполнить", "Ctrl+R", {"Shift+Ctrl+F10"}, 0, 0, 0},
    {ActionId::FileAddTo, "FileAddTo", C::File, "Добавить к...", "Добавить к...", "Ctrl+Alt+S", {}, 0, 0, 0},
    {ActionId::FileSaveExit, "FileSaveExit", C::File, "Сохранить и закрыть", "Сохранить и закрыть", "", {"Ctrl+Q", "Shift+F1"}, 0, 0, 0},
    {ActionId::FileProperties, "FileProperties", C::File, "Свойства файла...", "Свойства файла...", "Alt+Enter", {"Alt+F12"}, 0, 0, 0},
    {ActionId::EditCut, "EditCut", C::Edit, "Вырезать", "Вырезать", "Ctrl+X", {}, 0, 0, 0},
    {ActionId::EditCutAdd, "EditCutAdd", C::Edit, "Вырезать и добавить", "Вырезать и добавить", "Shift+Ctrl+X", {}, 0, 0, 0},
    {ActionId::EditCopy, "EditCopy", C::Edit, "Копировать", "Копировать", "Ctrl+C", {}, 0, 0, 0},
    {ActionId::EditCopyAdd, "EditCopyAdd", C::Edit, "Копировать и добавить", "Копировать и добавить", "Shift+Ctrl+C", {}, 0, 0, 0},
    {ActionId::EditPaste, "EditPaste", C::Edit, "Вставить", "Вставить", "Ctrl+V", {}, 0, 0, 0},
    {ActionId::EditSelectAll, "EditSelectAll", C::Edit, "Выделить все", "Выделить все", "Ctrl+A", {"Ctrl+F8"}, 0, 0, 0},
    {ActionId::EditUndo, "EditUndo", C::Edit, "Отменить", "Отменить", "Ctrl+Z", {"Alt+Backspace"}, 0, 0, 0},
    {ActionId::EditRedo, "EditRedo", C::Edit, "Повторить", "Повторить", "Shift+Ctrl+Z", {"Alt+Shift+BkSp"}, 0, 0, 0},
    {ActionId::EditDelete, "EditDelete", C::Edit, "Удалить", "Удалить", "Del", {}, 0, 0, 0},
    {ActionId::EditSwapClipbrd, "EditSwapClipbrd", C::Edit, "Поменять с буфером", "Поменять с буфером", "Shift+Ctrl+V", {}, 0, 0, 0},
    {ActionId::EditCopyFileName, "EditCopyFileName", C::Edit, "Копировать имя файла", "Копировать имя файла", "Shift+Ctrl+Alt+C", {}, 0, 0, 0},
    {ActionId::EditDeleteLine, "EditDeleteLine", C::Edit, "Удалить строку", "Удалить строку", "Ctrl+Y", {"Alt+Del", "Ctrl+L"}, 0, 0, 0},
    {ActionId::EditCopyAll, "EditCopyAll", C::Edit, "Копировать все", "Копировать все", "Shift+Ctrl+A", {"Ctrl+Shift+F8"}, 0, 0, 0},
    {ActionId::EditNoSelText, "EditNoSelText", C::Edit, "Сбросить выделение", "Сбросить выделение", "Ctrl+Alt+A", {"Shift+Alt+F8"}, 0, 0, 0},
    {ActionId::EditDeleteAll, "EditDeleteAll", C::Edit, "Удалить все", "Удалить все", "Shift+Alt+Del", {}, 0, 0, 0},
    {ActionId::EditCutAll, "EditCutAll", C::Edit, "Вырезать все", "Вырезать все", "Shift+Ctrl+Alt+X", {}, 0, 0, 0},
    {ActionId::EditGoToLine, "EditGoToLine", C::Find, "Перейти…", "Переход к строке", "Ctrl+G", {"Ctrl+Shift+F5"}, 0, 0, 0},
    {ActionId::FindFind, "FindFind", C::Find, "Найти/заменить…", "Найти...", "Ctrl+F", {}, 0, 0, 0},
    {ActionId::FindFindNext, "FindFindNext", C::Find, "Найти далее", "Найти далее", "Shift+Ctrl+F", {"F3", "Shift+F4", "Alt+Ctrl+Y"}, 0, 0, 0},
    {ActionId::FindClipbrd, "FindClipbrd", C::Find, "Найти текст из буфера…", "Найти текст из буфера…", "Ctrl+Alt+F", {"Ctrl+Alt+F7"}, 0, 0, 0},
    {ActionId::FindSelTextNoDlg, "FindSelTextNoDlg", C::Find, "Найти выделенный текст", "Найти выделенный текст", "F8", {}, 0, 0, 0},
    {ActionId::FindWordAtCaretNoDlg, "FindWordAtCaretNoDlg", C::Find, "Найти слово под кареткой", "Найти слово под кареткой", "Shift+Alt+F", {"Ctrl+F7"}, 0, 0, 0},
    {ActionId::FindClipbrdNoDlgCur, "FindClipbrdNoDlgCur", C::Find, "…от каретки", "…от каретки", "Shift+Ctrl+Alt+F", {"Alt+F3"}, 0, 0, 0},
    {ActionId::FindClipbrdNoDlg, "FindClipbrdNoDlg", C::Find, "…с начала текста", "…с начала текста", "Alt+F", {"F7"}, 0, 0, 0},
    {ActionId::FindGoToBack, "FindGoToBack", C::Find, "Вернуться", "Вернуться", "Ctrl+Alt+Z", {"Shift+F5"}, 0, 0, 0},
    {ActionId::FindReplaceNext, "FindReplaceNext", C::Find, "Заменить далее", "Заменить далее", "Ctrl+H", {"Ctrl+Shift+F3", "Ctrl+H"}, 0, 0, kActionHidden | kActionAlwaysDisabled},
    {ActionId::TextLatToRusInvert, "TextLatToRusInvert", C::Text, "qweкен -> йцуrty", "qweкен -> йцуrty", "Ctrl+Alt+R", {"Ctrl+Alt+E", "Alt+F9", "Alt+CapsLock"}, 0, 0, 0},
    {ActionId::TextLatToRus, "TextLatToRus", C::Text, "qwerty -> йцукен", "qwerty -> йцукен", "Alt+R", {}, 0, 0, 0},
    {ActionId::TextRusToLat, "TextRusToLat", C::Text, "йцукен -> qwerty", "йцукен -> qwerty", "Alt+E", {}, 0, 0, 0},
    {ActionId::TextRegInvert, "TextRegInvert", C::Text, "Инвертировать", "Инвертировать", "Shift+Ctrl+Up", {"Shift+F3", "Shift+CapsLock", "Ctrl+Alt+Shift+F9"}, 0, 0, 0},
    {ActionId::TextRegUpper, "TextRegUpper", C::Text, "В верхний регистр", "В верхний регистр", "Ctrl+Up", {"Ctrl+Shift+U", "Ctrl+Alt+F9"}, 0, 0, 0},
    {ActionId::TextRegLower, "TextRegLower", C::Text, "В нижний регистр", "В нижний регистр", "Ctrl+Down", {"Ctrl+Shift+L", "Alt+Shift+F9"}, 0, 0, 0},
    {ActionId::TextDate1, "TextDate1", C::Text, "Формат 1", "Формат 1", "", {}, 1, 0, 0},
    {ActionId::TextDate2, "TextDate2", C::Text, "Формат 2", "Формат 2", "", {}, 2, 0, 0},
    {ActionId::TextDate3, "TextDate3", C::Text, "Формат 3", "Формат 3", "", {}, 3, 0, 0},
    {ActionId::TextDate4, "TextDate4", C::Text, "Формат 4", "Формат 4", "", {}, 4, 0, 0},
    {ActionId::TextDate, "TextDate", C::Text, "Дата", "Дата", "Ctrl+D", {}, 0, 0, 0},
    {ActionId::TextTime, "TextTime", C::Text, "Время", "Время", "Ctrl+T", {}, 0, 0, 0},
    {ActionId::TextTime1, "TextTime1", C::Text, "Формат 1", "Формат 1", "", {}, 1, 0, 0},
    {ActionId::TextTime2, "TextTime2", C::Text, "Формат 2", "Формат 2", "", {}, 2, 0, 0},
    {ActionId::TextTime3, "TextTime3", C::Text, "Формат 3", "Формат 3", "", {}, 3, 0, 0},
    {ActionId::TextReplaceTabToSpace, "TextReplaceTabToSpace", C::Text, "Заменить табуляцию на пробелы", "Заменить табуляцию на пробелы", "", {}, 0, 0, 0},
    {ActionId::TextDeleteSpace, "TextDeleteSpace", C::Text, "Удалить лишние пробелы", "Удалить лишние пробелы", "", {}, 0, 0, 0},
    {ActionId::TextNumToStr, "TextNumToStr", C::Text, "Число строкой", "Число строкой", "", {}, 0, 0, 0},
    {ActionId::TextNumtoStr1, "TextNumtoStr1", C::Text, "Формат 1", "Формат 1", "", {}, 1, 0, 0},
    {ActionId::TextNumtoStr2, "TextNumtoStr2", C::Text, "Формат 2", "Формат 2", "", {}, 2, 0, 0},
    {ActionId::TextNumtoStr3, "TextNumtoStr3", C::Text, "Формат 3", "Формат 3", "", {}, 3, 0, 0},
    {ActionId::TextRegTitle, "TextRegTitle", C::Text, "Заголовок", "", "Ctrl+Alt+Up", {}, 0, 0, 0},
    {ActionId::TextDelCLRF, "TextDelCLRF", C::Text, "Удалить переводы строк", "Удалить переводы строк", "", {}, 0, 0, 0},
    {ActionId::TextAddSpace, "TextAddSpace", C::Text, "Красная строка", "Красная строка", "", {}, 0, 0, 0},
    {ActionId::TextDelSpace, "TextDelSpace", C::Text, "Удалить красную строку", "Удалить красную строку", "", {}, 0, 0, 0},
    {ActionId::CodAutoOpt, "CodAutoOpt", C::Coding, "Автоматический выбор", "Автоматический выбор", "", {}, 0, 0, kActionAutoCheck | kActionStartsChecked},
    {ActionId::CodAuto, "CodAuto", C::Coding, "Определить", "Определить", "", {}, 0, 0, 0},
    {ActionId::CodWIN, "CodWIN", C::Coding, "Windows-1251", "Windows-1251", "Alt+W", {"Shift+F9"}, 0, 1, 0},
    {ActionId::CodDOS, "CodDOS", C::Coding, "DOS-866", "DOS-866", "Alt+D", {"Ctrl+Shift+F9"}, 0, 1, 0},
    {ActionId::CodKOI, "CodKOI", C::Coding, "KOI8-R", "KOI8-R", "Alt+K", {"Ctrl+F9"}, 0, 1, 0},
    {ActionId::BMAdd, "BMAdd", C::Bookmark, "Добавить…", "Добавить…", "Ctrl+B", {}, 0, 0, 0},
    {ActionId::BMDelete, "BMDelete", C::Bookmark, "Удалить…", "Удалить…", "", {}, 0, 0, 0},
    {ActionId::LocalBM1, "LocalBM1", C::Bookmark, "LocalBM1", "LocalBM1", "", {}, 1, 0, 0},
    {ActionId::LocalBM2, "LocalBM2", C::Bookmark, "LocalBM2", "LocalBM2", "", {}, 2, 0, 0},
    {ActionId::LocalBM3, "LocalBM3", C::Bookmark, "LocalBM3", "LocalBM3", "", {}, 3, 0, 0},
    {ActionId::LocalBM4, "LocalBM4", C::Bookmark, "LocalBM4", "LocalBM4", "", {}, 4, 0, 0},
    {ActionId::LocalBM5, "LocalBM5", C::Bookmark, "LocalBM5", "LocalBM5", "", {}, 5, 0, 0},
    {ActionId::LocalBM6, "LocalBM6", C::Bookmark, "LocalBM6", "LocalBM6", "", {}, 6, 0, 0},
    {ActionId::LocalBM7, "LocalBM7", C::Bookmark, "LocalBM7", "LocalBM7", "", {}, 7, 0, 0},
    {ActionId::LocalBM8, "LocalBM8", C::Bookmark, "LocalBM8", "LocalBM8", "", {}, 8, 0, 0},
    {ActionId::LocalBM9, "LocalBM9", C::Bookmark, "LocalBM9", "LocalBM9", "", {}, 9, 0, 0},
    {ActionId::LocalBM0, "LocalBM0", C::Bookmark, "LocalBM0", "LocalBM0", "", {}, 0, 0, 0},
    {ActionId::PrintPageDlg, "PrintPageDlg", C::Print, "Параметры страницы…", "Параметры страницы…", "Shift+Alt+P", {"Ctrl+F6"}, 0, 0, 0},
    {ActionId::Print, "Print", C::Print, "Печать", "Печать", "Ctrl+P", {"Ctrl+Shift+F12", "F6"}, 0, 0, 0},
    {ActionId::PrintSelText, "PrintSelText", C::Print, "Печать выделенного текста", "Печать выделенного текста", "Shift+Ctrl+P", {"Shift+F6"}, 0, 0, 0},
    {ActionId::OptFont, "OptFont", C::Options, "Изменить…", "Изменить шрифт", "Ctrl+Alt+D", {"Shift+F11"}, 0, 0, 0},
    {ActionId::OptBackground, "OptBackground", C::Options, "Изменить…", "Изменить фон", "Shift+Alt+B", {"Shift+Alt+F11"}, 0, 0, 0},
    {ActionId::Options, "Options", C::Options, "Настройки…", "Настройки…", "Ctrl+Alt+O", {"Alt+Shift+F12"}, 0, 0, 0},
    {ActionId::OptWordWrap, "OptWordWrap", C::Options, "Перенос по словам", "Перенос по словам", "Ctrl+W", {"Ctrl+Shift+F11"}, 0, 0, kActionAutoCheck},
    {ActionId::OptStatusBar, "OptStatusBar", C::Options, "Строка состояния", "Строка состояния", "Ctrl+Alt+T", {"Ctrl+F11"}, 0, 0, kActionAutoCheck},
    {ActionId::OptToolBar, "OptToolBar", C::Options, "Панель инструментов", "Панель инструментов", "Ctrl+Alt+B", {"Alt+F11"}, 0, 0, kActionAutoCheck},
    {ActionId::OptFullScreen, "OptFullScreen", C::Options, "Во весь экран", "Во весь экран", "Ctrl+J", {"F11"}, 0, 0, kActionAutoCheck},
    {ActionId::OptFontp1, "OptFontp1", C::Options, "Увеличить", "Увеличить", "Ctrl+]", {}, 0, 0, 0},
    {ActionId::OptFontm1, "OptFontm1", C::Options, "Уменьшить", "Уменьшить", "Ctrl+[", {}, 0, 0, 0},
    {ActionId::OptFont1, "OptFont1", C::Options, "Шрифт", "Шрифт", "", {}, 1, 0, 0},
    {ActionId::OptFont2, "OptFont2", C::Options, "Шрифт", "Шрифт", "", {}, 2, 0, 0},
    {ActionId::OptFont3, "OptFont3", C::Options, "Шрифт", "Шрифт", "", {}, 3, 0, 0},
    {ActionId::OptFont4, "OptFont4", C::Options, "Шрифт", "Шрифт", "", {}, 4, 0, 0},
    {ActionId::OptInsMode, "OptInsMode", C::Options, "Режим вставка/замена", "Режим вставка/замена", "", {}, 0, 0, 0},
    {ActionId::OptChangeKeybLayout, "OptChangeKeybLayout", C::Options, "Переключить раскладку", "Переключить раскладку", "F9", {"Alt+Shift", "Ctrl+Shift"}, 0, 0, 0},
    {ActionId::OptReadOnly, "OptReadOnly", C::Options, "Только чтение", "Только чтение", "Shift+Ctrl+Alt+R", {"Ctrl+Shift+Alt+F11"}, 0, 0, 0},
    {ActionId::URLGoToLink, "URLGoToLink", C::URL, "Перейти по ссылке", "Перейти по ссылке", "", {}, 0, 0, 0},
    {ActionId::URLCopyLink, "URLCopyLink", C::URL, "Копировать ссылку", "Копировать ссылку", "", {}, 0, 0, 0},
    {ActionId::HelpContents, "HelpContents", C::Help, "Справка…", "Справка…", "F1", {}, 0, 0, 0},
    {ActionId::HelpAbout, "HelpAbout", C::Help, "О программе…", "О программе…", "Ctrl+F1", {}, 0, 0, 0},
    {ActionId::HelpHomePage, "HelpHomePage", C::Help, "Домашняя страница…", "Домашняя страница…", "Shift+Ctrl+F1", {}, 0, 0, 0},
    {ActionId::HelpCallingBack, "HelpCallingBack", C::Help, "Написать отзыв…", "Написать отзыв…", "Shift+Alt+F1", {}, 0, 0, 0},
    {ActionId::HelpShortCuts, "HelpShortCuts", C::Help, "Горячие клавиши", "Горячие клавиши", "", {}, 0, 0, 0},
    {ActionId::FileSaveInUtf8, "FileSaveInUtf8", C::File, "UTF-8", "UTF-8", "", {}, 4, 0, 0},
    {ActionId::FileSaveInUtf8Bom, "FileSaveInUtf8Bom", C::File, "UTF-8 с BOM", "UTF-8 с BOM", "", {}, 5, 0, 0},
    {ActionId::CodUTF8, "CodUTF8", C::Coding, "UTF-8", "UTF-8", "", {}, 0, 1, 0},
    {ActionId::CodUTF16, "CodUTF16", C::Coding, "UTF-16", "UTF-16", "", {}, 0, 1, 0},
    {ActionId::CodDefUTF8, "CodDefUTF8", C::Coding, "UTF-8 для новых файлов", "UTF-8 для новых файлов", "", {}, 0, 0, kActionAutoCheck},
};

constexpr bool IdsFollowTableOrder() {
  int expected = kFirstActionId;
  for (const ActionInfo& action : kActions) {
    if (action.CommandId() != expected++) return false;
  }
  return expected - 1 == kLastActionId;
}
static_assert(IdsFollowTableOrder(), "action ids must run 1000, 1001, ... in table order");

constexpr std::string_view kCategoryNames[] = {
    "File", "Edit", "Find", "Text", "Coding", "Bookmark", "Print", "Options", "URL", "Help",
};

}  // namespace

std::span<const ActionInfo> Actions() { return kActions; }

const ActionInfo* FindAction(std::string_view name) {
  const auto it = std::find_if(std::begin(kActions), std::end(kActions),
                               [name](const ActionInfo& a) { return a.name == name; });
  return it == std::end(kActions) ? nullptr : &*it;
}

const ActionInfo& GetAction(ActionId id) {
  return kActions[static_cast<int>(id) - kFirstActionId];
}

const ActionInfo* FindActionByCommandId(int commandId) {
  if (commandId < kFirstActionId || commandId > kLastActionId) return nullptr;
  return &kActions[commandId - kFirstActionId];
}

std::string_view CategoryName(ActionCategory category) {
  return kCategoryNames[static_cast<int>(category)];
}

std::optional<Shortcut> PrimaryShortcut(const ActionInfo& action) {
  return ParseShortcut(action.shortcut);
}

std::vector<Shortcut> SecondShortcuts(const ActionInfo& action) {
  std::vector<Shortcut> result;
  for (std::string_view text : action.secondShortcuts) {
    if (text.empty()) continue;
    if (const std::optional<Shortcut> parsed = ParseShortcut(text)) result.push_back(*parsed);
  }
  return result;
}

}  // namespace quillo

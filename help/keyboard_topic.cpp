// Writes the help topic "keyboard.ru.html": every command of the command
// table with its caption and keys, and the main window's own keys, so the
// help can never disagree with the program. UTF-8 on standard output.
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/action_table.h"
#include "core/key_map.h"
#include "core/menu_layout.h"
#include "core/shortcut.h"

namespace quillo {
namespace {

constexpr std::string_view kCategoryTitles[] = {
    "Файл", "Правка", "Поиск", "Текст", "Кодировка", "Закладки", "Печать", "Настройки и вид",
    "Ссылки", "Справка",
};

struct WindowKeyText {
  WindowKeyEffect effect;
  std::string_view text;
};

constexpr WindowKeyText kWindowKeyTexts[] = {
    {WindowKeyEffect::FocusFindBoxOrFind, "Поле поиска, а если панель скрыта — открыть её"},
    {WindowKeyEffect::ToggleMaximized, "Развернуть окно или вернуть прежний размер"},
    {WindowKeyEffect::MinimizeApplication, "Свернуть окно"},
    {WindowKeyEffect::MinimizeToTray, "Свернуть в область уведомлений"},
    {WindowKeyEffect::ToggleBothBars, "Показать или скрыть панель инструментов и строку состояния"},
    {WindowKeyEffect::InsertDateAndTime, "Вставить дату и время"},
    {WindowKeyEffect::CloseProgram, "Выход из программы"},
    {WindowKeyEffect::PageDownInReadOnly, "В режиме чтения — страница вниз"},
};

std::string Html(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// The keys that run this action: a key the table gives two commands goes to
// the one the key map lets win, and is listed only there.
std::string Keys(const ActionInfo& action, const KeyMap& keyMap) {
  std::string keys;
  auto add = [&](std::string_view key) {
    std::optional<Shortcut> shortcut = ParseShortcut(key);
    if (!shortcut || shortcut->key == 0) return;
    if (keyMap.ActionFor(shortcut->key, shortcut->modifiers) != action.id) return;
    if (!keys.empty()) keys += ", ";
    keys += "<kbd>" + Html(key) + "</kbd>";
  };
  add(action.shortcut);
  for (std::string_view second : action.secondShortcuts) add(second);
  return keys.empty() ? "—" : keys;
}

// Where the command sits in the main menu, "Файл › Сохранить в кодировке ›
// Windows-1251", so that commands of one caption are told apart; the caption
// alone for a command the main menu does not show.
bool FindInMenu(MenuId menu, ActionId action, std::string& path) {
  for (const MenuItem& item : GetMenu(menu).items) {
    if (item.kind == MenuItemKind::Action && item.action() == action) {
      path += std::string(GetAction(action).caption);
      return true;
    }
    if (item.kind == MenuItemKind::Submenu) {
      std::string inner = path + std::string(GetMenu(item.submenu()).caption) + " › ";
      if (FindInMenu(item.submenu(), action, inner)) {
        path = inner;
        return true;
      }
    }
  }
  return false;
}

std::string MenuPath(const ActionInfo& action) {
  std::string path;
  return FindInMenu(MenuId::MainMenu, action.id, path) ? path : std::string(action.caption);
}

}  // namespace
}  // namespace quillo

int main() {
  using namespace quillo;
  const KeyMap keyMap;
  // Presets of one caption (the four fonts) are told apart by their number.
  std::map<std::string, int> pathCount;
  for (const ActionInfo& action : Actions()) ++pathCount[MenuPath(action)];
  auto label = [&pathCount](const ActionInfo& action) {
    std::string path = MenuPath(action);
    if (pathCount[path] > 1 && action.tag > 0) path += " " + std::to_string(action.tag);
    return path;
  };
  std::string out =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
      "<title>Горячие клавиши</title><link rel=\"stylesheet\" href=\"style.css\"></head><body>\n"
      "<h1>Горячие клавиши</h1>\n"
      "<p>Все команды Quillo с их клавишами. Если у команды несколько сочетаний, работает любое.</p>\n";
  for (int c = 0; c < static_cast<int>(std::size(kCategoryTitles)); ++c) {
    std::string rows;
    for (const ActionInfo& action : Actions()) {
      if (static_cast<int>(action.category) != c) continue;
      rows += "<tr id=\"" + std::string(action.name) + "\"><td>" + Html(label(action)) + "</td><td>" +
              Keys(action, keyMap) + "</td></tr>\n";
    }
    if (rows.empty()) continue;
    out += "<h2>" + std::string(kCategoryTitles[c]) + "</h2>\n<table>\n"
           "<tr><th>Команда</th><th>Клавиши</th></tr>\n" + rows + "</table>\n";
  }
  out += "<h2>Клавиши окна</h2>\n<table>\n<tr><th>Клавиши</th><th>Что делают</th></tr>\n";
  for (const WindowKey& key : WindowKeys()) {
    // Keys that only keep the text control from acting say nothing to a user,
    // and a key some command takes is listed with that command.
    std::optional<Shortcut> shortcut = ParseShortcut(key.shortcut);
    if (key.effect == WindowKeyEffect::Swallow || !shortcut ||
        keyMap.ActionFor(shortcut->key, shortcut->modifiers))
      continue;
    std::string_view text;
    for (const WindowKeyText& t : kWindowKeyTexts)
      if (t.effect == key.effect) text = t.text;
    out += "<tr><td><kbd>" + Html(key.shortcut) + "</kbd></td><td>" + std::string(text) + "</td></tr>\n";
  }
  out += "</table>\n</body></html>\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

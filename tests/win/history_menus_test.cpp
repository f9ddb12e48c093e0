// The menus of recent files, bookmarks, position marks and the clipboard
// commands in the real main window. In-process: menus of another process
// cannot be read under Wine.
#include <gtest/gtest.h>

#include "shown_menu.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "app/platform/file_io.h"
#include "app/platform/ui_text.h"
#include "app/window/main_form.h"
#include "main_window_runner.h"

namespace quillo {
namespace {

struct Item {
  std::wstring text;  // "-" for a separator
  bool enabled;
  HMENU submenu;
};

// The menu as it shows once opened.
std::vector<Item> Opened(HWND main, HMENU menu) {
  SendMessageW(main, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  std::vector<Item> items;
  for (const ShownItem& shown : ItemsOf(menu)) items.push_back({shown.text, shown.enabled, shown.submenu});
  return items;
}

std::vector<std::wstring> Texts(const std::vector<Item>& items) {
  std::vector<std::wstring> texts;
  for (const Item& item : items) texts.push_back(item.text);
  return texts;
}

std::vector<std::wstring> Wides(std::initializer_list<const char*> texts) {
  std::vector<std::wstring> out;
  for (const char* t : texts) out.push_back(Wide(t));
  return out;
}

const Item* Find(const std::vector<Item>& items, std::string_view text) {
  for (const Item& item : items)
    if (item.text == Wide(text)) return &item;
  return nullptr;
}

// The bookmark file beside the program (here: the test program), for one
// run; none for an empty text.
class BookmarkFile {
 public:
  explicit BookmarkFile(std::string_view text) {
    DeleteFileW(path_.c_str());
    if (!text.empty()) WriteFileAtomically(path_, text);
  }
  ~BookmarkFile() { DeleteFileW(path_.c_str()); }

 private:
  std::wstring path_ = ExeFolder() + L"\\Bookmarks.ini";
};

// The texts of the menu the tool bar's "История" button drops down, read
// while it is open.
std::vector<std::wstring> HistoryDropDown(HWND main) {
  static NMTOOLBARW down{};
  down.hdr.hwndFrom = FindWindowExW(main, nullptr, TOOLBARCLASSNAMEW, nullptr);
  down.hdr.code = TBN_DROPDOWN;
  down.iItem = static_cast<int>(ActionId::FileOpen);
  PostMessageW(main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&down));
  HWND popup = nullptr;
  for (int i = 0; i < 200 && !(popup = FindWindowW(L"#32768", nullptr)); ++i) Sleep(20);
  std::vector<std::wstring> texts;
  if (!popup) return texts;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(pos), text, 256, MF_BYPOSITION);
    texts.push_back(text);
  }
  PostMessageW(main, WM_CANCELMODE, 0, 0);
  for (int i = 0; i < 200 && IsWindowVisible(popup); ++i) Sleep(20);
  return texts;
}

void WithMainWindow(std::string_view ini, const std::function<void(HWND)>& inspect) {
  EXPECT_TRUE(RunMainWindow(L"quillo-history-menus", ini, inspect).inspected);
}

// A window with nothing stored yet: "История" is off, "Избранное" holds
// only "Добавить…", and the position marks are empty until one is set.
TEST(HistoryMenus, NothingStoredYet) {
  BookmarkFile none("");
  bool historyFound = false, historyEnabled = true;
  std::vector<std::wstring> bookmarks, marksBefore, marksAfter;
  WithMainWindow("", [&](HWND main) {
    std::vector<Item> file = Opened(main, GetSubMenu(GetMenu(main), 0));
    if (const Item* history = Find(file, "История")) {
      historyFound = true;
      historyEnabled = history->enabled;
    }
    bookmarks = Texts(Opened(main, GetSubMenu(GetMenu(main), 5)));
    std::vector<Item> search = Opened(main, GetSubMenu(GetMenu(main), 2));
    const Item* marks = Find(search, "Закладки");
    ASSERT_NE(marks, nullptr);
    marksBefore = Texts(Opened(main, marks->submenu));
    HWND editor = FindWindowExW(main, nullptr, L"RichEdit20W", nullptr);
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ab\r\ncd"));
    SendMessageW(editor, EM_SETSEL, 4, 4);
    SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(ActionId::LocalBM3), 0);
    marksAfter = Texts(Opened(main, marks->submenu));
  });
  EXPECT_TRUE(historyFound);
  EXPECT_FALSE(historyEnabled);
  // "Удалить…" is hidden, and the separator before the bookmarks with it.
  EXPECT_EQ(bookmarks, Wides({"Добавить…\tCtrl+B"}));
  ASSERT_EQ(marksBefore.size(), 10u);
  for (int slot = 0; slot < 10; ++slot)
    EXPECT_EQ(marksBefore[slot], Wide("№ " + std::to_string(slot) + ": <пусто>"));
  ASSERT_EQ(marksAfter.size(), 10u);
  EXPECT_EQ(marksAfter[3], Wide("№ 3: 2:2"));
  EXPECT_EQ(marksAfter[4], Wide("№ 4: <пусто>"));
}

// Recent files from the settings file and bookmarks from theirs, shown with
// '&' as itself; with "Clipbrd+" off the extra clipboard commands are hidden.
TEST(HistoryMenus, StoredListsAndTheClipboardSettingOff) {
  BookmarkFile file(Utf8ToWin1251("[письмо (2, 1)]\r\nFileName=C:\\письмо.txt\r\n\r\n"
                                  "[a&b]\r\nFileName=C:\\a.txt\r\n"));
  const std::string ini = Utf8ToWin1251(
      "[Options]\r\nClipbrd+=0\r\nShowShortCut=0\r\n"
      "[MRU]\r\nFileName0=C:\\Мои документы\\отчёт & смета.txt\r\nCaretPosX0=0\r\n"
      "CaretPosY0=11\r\nFileName1=D:\\b.txt\r\n");
  bool historyEnabled = false;
  std::vector<std::wstring> history, dropDown, bookmarks, bookmarksAgain, edit, search;
  std::vector<Item> fileMenu;
  WithMainWindow(ini, [&](HWND main) {
    fileMenu = Opened(main, GetSubMenu(GetMenu(main), 0));
    if (const Item* item = Find(fileMenu, "История")) {
      historyEnabled = item->enabled;
      history = Texts(Opened(main, item->submenu));
    }
    dropDown = HistoryDropDown(main);
    HMENU favourites = GetSubMenu(GetMenu(main), 5);
    bookmarks = Texts(Opened(main, favourites));
    bookmarksAgain = Texts(Opened(main, favourites));  // filled afresh, not twice
    edit = Texts(Opened(main, GetSubMenu(GetMenu(main), 1)));
    search = Texts(Opened(main, GetSubMenu(GetMenu(main), 2)));
  });
  EXPECT_TRUE(historyEnabled);
  EXPECT_EQ(history, Wides({"C:\\Мои документы\\отчёт && смета.txt [12, 1]", "D:\\b.txt [1, 1]"}));
  EXPECT_EQ(dropDown, history);
  EXPECT_EQ(bookmarks, Wides({"Добавить…", "Удалить…", "-", "письмо (2, 1)", "a&&b"}));
  EXPECT_EQ(bookmarksAgain, bookmarks);

  EXPECT_EQ(edit, Wides({"Отменить", "Повторить", "-", "Вырезать", "-", "Копировать", "-", "Вставить", "-",
                         "Удалить", "Удалить строку", "Удалить все", "-", "Выделить все",
                         "Сбросить выделение"}));
  EXPECT_EQ(search, Wides({"Найти/заменить…", "Найти далее", "-", "Найти выделенный текст",
                           "Найти слово под кареткой", "-", "Закладки", "Перейти…", "Вернуться"}));
  for (const char* hidden : {"Создать с текстом из буфера…", "Копировать имя файла"})
    EXPECT_EQ(Find(fileMenu, hidden), nullptr) << hidden;
  EXPECT_NE(Find(fileMenu, "Создать в новом окне…"), nullptr);
}

}  // namespace
}  // namespace quillo

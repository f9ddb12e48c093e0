#pragma once
// The named bookmarks: "Избранное" with "Добавить…" (Ctrl+B), "Удалить…" and
// one item per bookmark. They live in "Bookmarks.ini" beside the program,
// which every window shares: a change is merged with the file as it is on
// disk under the file's lock, the file is written whole (deleted when no
// bookmark is left) and every window is told to read it again, so all show
// the same list and no window's change is lost.
#include <windows.h>

#include <string>
#include <vector>

#include "core/bookmark_list.h"
#include "core/ini_file.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class Bookmarks {
 public:
  explicit Bookmarks(AppContext& ctx) : ctx_(ctx) {}

  // Reads the file and binds the commands, the menu items and the menu.
  void Bind(ActionRegistry& actions);

  const BmList& List() const { return list_; }

  // WM_QUILLO_RELOAD_BOOKMARKS: the file as it is now, with this window's
  // changes that could not be written yet kept on top.
  void Reload();
  // The bookmark at `index` chosen from the menu or a command message.
  void Choose(int index);
  // Exit: changes that could not be written before are tried once more.
  void SaveAtExit();

 private:
  void Add();
  void ShowDeleteDialog();
  // Names in Windows-1251, as the list holds them.
  void DeleteNamed(const std::vector<std::string>& names);
  // Merges, writes and tells every window; throws FileError, and the change
  // then stays recorded for the next try.
  void Store();
  void FillMenu(HMENU menu);
  std::wstring FilePath() const;

  AppContext& ctx_;
  BmList list_;
};

}  // namespace quillo

#pragma once
// The dialog "Удалить" of "Избранное": the bookmarks' names in a list where
// several can be selected; its button "Удалить" deletes the selected ones at
// once and shows the list again, "Закрыть" and Esc close it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quillo {

struct DeleteBookmarksDialog {
  std::function<std::vector<std::string>()> names;                // UTF-8, in list order
  std::function<void(const std::vector<std::string>& chosen)> remove;  // names as given
};

// Modal, centred on owner.
void ShowDeleteBookmarksDialog(HWND owner, const DeleteBookmarksDialog& dialog);

}  // namespace quillo

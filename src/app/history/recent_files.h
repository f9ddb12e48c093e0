#pragma once
// The recent files of this window: "История" under "Файл" and the drop-down
// of the tool bar's history button. Every document closed here goes on top
// with its caret; choosing an entry opens its file at that caret (with Shift
// in a new window). The list lives in section "MRU" of the settings file;
// each time that file is written, what other windows stored meanwhile is
// merged in under the file's lock, so no window's entries are lost.
#include <windows.h>

#include <optional>
#include <string>

#include "core/mru_manager.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class RecentFiles {
 public:
  explicit RecentFiles(AppContext& ctx) : ctx_(ctx) {}

  // Reads the list from the settings, binds its menu items and follows the
  // document's closing and the settings file's writing.
  void Bind(ActionRegistry& actions);

  const MruManager& List() const { return list_; }

  // The entry at `index` chosen from a menu or a command message.
  void Choose(int index);

  // The capacity follows the setting "MRU" whenever it changes (the list is
  // trimmed at once).
  void FollowCapacitySetting();

 private:
  void OnDocumentClosed(const std::wstring& path);
  void FillMenu(HMENU menu);

  AppContext& ctx_;
  MruManager list_;
  // The file of the entry being opened: its entry leaves the list when the
  // current document closes, before the closed one goes on top, so that the
  // closed one never pushes another entry out.
  std::optional<std::string> choosing_;
};

}  // namespace quillo

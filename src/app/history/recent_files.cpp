#include "app/history/recent_files.h"

#include <vector>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/history/list_menu_items.h"
#include "app/platform/file_io.h"
#include "app/platform/keyboard.h"
#include "app/platform/message_box.h"
#include "app/platform/new_window.h"
#include "app/platform/ui_text.h"
#include "app/settings/settings_store.h"
#include "app/window/menus.h"
#include "app/window/status_view.h"

namespace quillo {

void RecentFiles::Bind(ActionRegistry& actions) {
  FollowCapacitySetting();
  list_.Load(ctx_.settings.Ini());
  actions.BindList(RuntimeList::RecentFiles, [this](int index) { Choose(index); });
  ctx_.menus.AddPopupFiller([this](HMENU menu) { FillMenu(menu); });
  ctx_.document.Subscribe([this](DocumentEvent event, const std::wstring& path) {
    if (event == DocumentEvent::kClosed) OnDocumentClosed(path);
  });
  ctx_.settings.ShareSection({
      [this](const IniFile& disk, IniFile& image) {
        FollowCapacitySetting();
        list_.Rebase(disk);
        list_.Save(image);
      },
      [this] { list_.ChangesStored(); },
  });
}

void RecentFiles::FollowCapacitySetting() {
  const int capacity = RecentFilesCapacity(ctx_.settings.Values().mru);
  if (capacity != list_.MaxCount()) list_.SetMaxCount(capacity);
}

void RecentFiles::OnDocumentClosed(const std::wstring& path) {
  if (choosing_) {
    if (const RecentFile* chosen = list_.Find(*choosing_))
      list_.Delete(static_cast<size_t>(chosen - list_.Items().data()));
    choosing_.reset();
  }
  if (!FileExists(path)) return;
  // The settings file holds Windows-1251 text: a name it cannot hold would
  // come back as another name.
  std::string name = Win1251FromWide(path);
  if (WideFromWin1251(name) != path) return;
  FollowCapacitySetting();
  list_.Insert(name, ctx_.editor.GetCaretPos());
}

void RecentFiles::Choose(int index) {
  if (index < 0 || static_cast<size_t>(index) >= list_.Count()) return;
  const RecentFile entry = list_.Items()[static_cast<size_t>(index)];
  const std::wstring path = WideFromWin1251(entry.file_name);
  if (!FileExists(path)) {
    std::string question = FormatMessageText("Файл %s не найден. Удалить его из истории?", Utf8(path));
    if (ctx_.Ask(question, kCaptionWarning, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
      list_.Delete(static_cast<size_t>(index));
    return;
  }
  if (ShiftHeld()) {
    OpenInNewWindow(ctx_.window, path);
    return;
  }
  choosing_ = entry.file_name;
  bool closed = false;
  try {
    closed = ctx_.document.Close();
  } catch (...) {
    choosing_.reset();
    throw;
  }
  choosing_.reset();
  if (!closed) return;
  try {
    ctx_.document.Open(path);
  } catch (...) {
    // The file could not be read: its entry stays offered.
    list_.Insert(entry.file_name, entry.caret);
    throw;
  }
  ctx_.editor.SetCaretPos(entry.caret);
  ctx_.editor.ScrollCaret();
  ctx_.status.Update();
}

void RecentFiles::FillMenu(HMENU menu) {
  WindowMenus& menus = ctx_.menus;
  if (IsOneOf(menu, menus.NativeMenus(MenuId::mnFileHistory))) {
    FollowCapacitySetting();
    std::vector<std::string> captions;
    for (const RecentFile& entry : list_.Items()) captions.push_back(RecentFileCaption(entry));
    ShowListItems(menu, RuntimeList::RecentFiles, captions);
    return;
  }
  if (!IsOneOf(menu, menus.NativeMenus(MenuId::mnFile))) return;
  // "История" opens only when there is something in it.
  const std::vector<HMENU> history = menus.NativeMenus(MenuId::mnFileHistory);
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos)
    if (IsOneOf(GetSubMenu(menu, pos), history))
      EnableMenuItem(menu, static_cast<UINT>(pos),
                     MF_BYPOSITION | (list_.Count() > 0 ? MF_ENABLED : MF_GRAYED));
}

}  // namespace quillo

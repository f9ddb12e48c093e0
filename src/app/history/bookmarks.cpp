#include "app/history/bookmarks.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/history/delete_bookmarks_dialog.h"
#include "app/history/list_menu_items.h"
#include "app/interop.h"
#include "app/platform/file_identity.h"
#include "app/platform/file_io.h"
#include "app/platform/input_box.h"
#include "app/platform/keyboard.h"
#include "app/platform/message_box.h"
#include "app/platform/new_window.h"
#include "app/platform/shared_file_lock.h"
#include "app/platform/ui_text.h"
#include "app/platform/window_broadcast.h"
#include "app/window/menus.h"
#include "app/window/status_view.h"

namespace quillo {
namespace {

// A missing file is an empty list.
IniFile ReadBookmarkFile(const std::wstring& path) {
  if (!FileExists(path)) return IniFile();
  return IniFile(ReadFileBytes(path));
}

void RemoveBookmarkFile(const std::wstring& path) {
  if (DeleteFileW(path.c_str()) || !FileExists(path)) return;
  throw FileError("Не удалось удалить файл \"" + Utf8(path) + "\".\n" + SystemErrorText(GetLastError()));
}

}  // namespace

std::wstring Bookmarks::FilePath() const { return ExeFolder() + L"\\" + Wide(kBookmarkFileName); }

void Bookmarks::Bind(ActionRegistry& actions) {
  try {
    list_.Load(ReadBookmarkFile(FilePath()));
  } catch (const FileError&) {
    // An unreadable file shows no bookmarks; the next change rewrites it.
  }
  actions.Bind(ActionId::BMAdd, [this] { Add(); });
  actions.Bind(ActionId::BMDelete, [this] { ShowDeleteDialog(); },
               [this] { return ActionState::Enabled(list_.Count() > 0); });
  actions.ShowWhen(ActionId::BMDelete, [this] { return list_.Count() > 0; });
  actions.BindList(RuntimeList::Bookmarks, [this](int index) { Choose(index); });
  ctx_.menus.AddPopupFiller([this](HMENU menu) { FillMenu(menu); });
}

void Bookmarks::Reload() {
  const std::wstring path = FilePath();
  try {
    SharedFileLock lock(path);
    list_.Rebase(ReadBookmarkFile(path));
  } catch (const FileError&) {
    // Unreadable for the moment: the list stays as it is until the next reload.
  }
}

void Bookmarks::Store() {
  const std::wstring path = FilePath();
  {
    SharedFileLock lock(path);
    list_.Rebase(ReadBookmarkFile(path));
    const std::string text = list_.ToText();
    if (text.empty())
      RemoveBookmarkFile(path);
    else
      WriteFileAtomically(path, text);
    list_.ChangesStored();
  }
  PostToProgramWindows(WM_QUILLO_RELOAD_BOOKMARKS);
}

void Bookmarks::SaveAtExit() {
  if (!list_.HasChanges()) return;
  try {
    Store();
  } catch (const FileError& e) {
    ShowMessage(nullptr, std::string("Не удалось сохранить закладки.\n") + e.what(), kCaptionWarning,
                MB_OK | MB_ICONWARNING);
  }
}

void Bookmarks::Add() {
  Document& doc = ctx_.document;
  if (doc.FileName().empty()) {
    ctx_.Ask("Для создания закладки необходимо сохранить файл.", kCaptionWarning, MB_OK | MB_ICONEXCLAMATION);
    if (ctx_.Ask("Сохранить этот файл?", kCaptionWarning, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    doc.SaveAs();
    if (doc.FileName().empty()) return;
  }
  const std::string file = Win1251FromWide(doc.FileName());
  if (WideFromWin1251(file) != doc.FileName()) {
    ctx_.Ask("В пути к файлу есть символы, которых нет в кодировке Windows-1251: закладку на этот файл "
             "сохранить нельзя.",
             kCaptionWarning, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  std::string name = Win1251ToUtf8(ProposedBookmarkName(file, ctx_.editor.GetCaretPos()));
  if (!ShowInputBox(ctx_.window, "Добавление закладки", "Введите имя закладки", name)) return;
  list_.Add(Utf8ToWin1251(name), file, ctx_.editor.GetCaretPos());
  Store();
}

void Bookmarks::ShowDeleteDialog() {
  DeleteBookmarksDialog dialog;
  dialog.names = [this] {
    std::vector<std::string> names;
    for (const Bookmark& mark : list_.Items()) names.push_back(Win1251ToUtf8(mark.name));
    return names;
  };
  dialog.remove = [this](const std::vector<std::string>& chosen) {
    std::vector<std::string> names;
    for (const std::string& name : chosen) names.push_back(Utf8ToWin1251(name));
    DeleteNamed(names);
  };
  ShowDeleteBookmarksDialog(ctx_.window, dialog);
}

// By name: another window's change may have moved the bookmarks since the
// names were shown.
void Bookmarks::DeleteNamed(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const auto& items = list_.Items();
    for (size_t i = 0; i < items.size(); ++i) {
      if (!IniNamesEqual(items[i].name, name)) continue;
      list_.Delete(i);
      break;
    }
  }
  Store();
}

void Bookmarks::Choose(int index) {
  if (index < 0 || static_cast<size_t>(index) >= list_.Count()) return;
  const Bookmark mark = list_.Items()[static_cast<size_t>(index)];
  const std::wstring path = WideFromWin1251(mark.file_name);
  Document& doc = ctx_.document;
  if (!FileExists(path)) {
    // The question asks about this very bookmark, so Yes deletes it.
    std::string question = FormatMessageText("Файл %s не найден. Удалить эту закладку?", Utf8(path));
    if (ctx_.Ask(question, kCaptionWarning, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) DeleteNamed({mark.name});
    return;
  }
  if (ShiftHeld()) {
    OpenInNewWindow(ctx_.window, path);
  } else if (!doc.FileName().empty() && IsSameFile(doc.FileName(), path)) {
    ctx_.editor.SetCaretPos(mark.caret);
    ctx_.editor.ScrollCaret();
  } else if (doc.Close()) {
    doc.Open(path);
    ctx_.editor.SetCaretPos(mark.caret);
    ctx_.editor.ScrollCaret();
  }
  ctx_.status.Update();
}

void Bookmarks::FillMenu(HMENU menu) {
  if (!IsOneOf(menu, ctx_.menus.NativeMenus(MenuId::mnBookmarks))) return;
  std::vector<std::string> captions;
  for (const Bookmark& mark : list_.Items()) captions.push_back(Win1251ToUtf8(mark.name));
  ShowListItems(menu, RuntimeList::Bookmarks, captions);
}

}  // namespace quillo

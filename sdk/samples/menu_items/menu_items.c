/*
 * Sample plug-in (C): menu items under several of the program's menus, a
 * submenu, an icon and a shortcut, a check mark, a disabled item, an item
 * that renames itself, and an item that deletes another.
 *
 * Texts for the host are Windows-1251: this file is compiled with
 * -fexec-charset=CP1251 (MSVC: /execution-charset:windows-1251). The
 * plug-in's own message boxes use wide literals and the W functions.
 */
#include <stdio.h>
#include <windows.h>

#include "quillo_plugin.h"

/* The item indices this plug-in got back; a plug-in keeps what it needs
 * about its items itself (the callback receives the index only). */
static struct {
  int32_t check;
  int32_t rename;
  int32_t removable;
  int renamed;
} items = {-1, -1, -1, 0};

static void ModifierText(uint8_t shift, wchar_t *out, size_t size) {
  swprintf(out, size, L"%ls%ls%ls", (shift & QUILLO_SHIFT) ? L" Shift" : L"",
           (shift & QUILLO_CTRL) ? L" Ctrl" : L"", (shift & QUILLO_ALT) ? L" Alt" : L"");
  if (!out[0]) swprintf(out, size, L" нет");
}

static void QUILLO_STDCALL OnHello(int32_t index, IQuillo *host, uint8_t shift) {
  wchar_t keys[32], text[160];
  ModifierText(shift, keys, 32);
  swprintf(text, 160, L"Выбран пункт %d.\nНажатые клавиши:%ls.", (int)index, keys);
  MessageBoxW(host->lpVtbl->GetMainWindow(host), text, L"Пример меню", MB_OK | MB_ICONINFORMATION);
}

static void QUILLO_STDCALL OnCheck(int32_t index, IQuillo *host, uint8_t shift) {
  (void)shift;
  host->lpVtbl->SetMenuItemChecked(host, index, !host->lpVtbl->GetMenuItemChecked(host, index));
}

static void QUILLO_STDCALL OnRename(int32_t index, IQuillo *host, uint8_t shift) {
  char caption[64];
  (void)shift;
  sprintf(caption, "Переименован %d раз", ++items.renamed);
  Quillo_ModifyMenuItem(host, OnRename, 0, caption, NULL, "", index);
}

static void QUILLO_STDCALL OnRemove(int32_t index, IQuillo *host, uint8_t shift) {
  (void)shift;
  if (items.removable >= 0 && host->lpVtbl->DeleteMenuItem(host, items.removable)) {
    items.removable = -1;
    host->lpVtbl->SetMenuItemEnabled(host, index, 0);
  }
}

QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL Execute(IQuillo *host) {
  /* "Надстройки" > "Пример меню" > items: the parent is one of our items. */
  int32_t sub = Quillo_AddMenuItem(host, NULL, 0, "Пример меню", NULL, "", QUILLO_MENU_PLUGINS);
  Quillo_AddMenuItem(host, OnHello, 0, "Привет", LoadIconW(NULL, (LPCWSTR)IDI_INFORMATION),
                     "Ctrl+Alt+H", sub);
  items.check = Quillo_AddMenuItem(host, OnCheck, 0, "Флажок", NULL, "", sub);
  items.rename = Quillo_AddMenuItem(host, OnRename, 0, "Переименуй меня", NULL, "", sub);
  items.removable = Quillo_AddMenuItem(host, OnHello, 0, "Исчезающий пункт", NULL, "", sub);
  Quillo_AddMenuItem(host, OnRemove, 0, "Убрать исчезающий пункт", NULL, "", sub);
  host->lpVtbl->SetMenuItemEnabled(
      host, Quillo_AddMenuItem(host, OnHello, 0, "Недоступный пункт", NULL, "", sub), 0);

  /* The first item of "Текст", the editor's context menu, the tray icon's
   * menu, and a menu of its own on the menu bar. */
  Quillo_InsertMenuItem(host, OnHello, 0, "Привет из меню «Текст»", NULL, "", 0, QUILLO_MENU_TEXT);
  Quillo_AddMenuItem(host, OnHello, 0, "Привет из контекстного меню", NULL, "", QUILLO_MENU_EDITOR_POPUP);
  Quillo_AddMenuItem(host, OnHello, 0, "Привет из значка", NULL, "", QUILLO_MENU_TRAY);
  Quillo_AddMenuItem(host, OnHello, 0, "Привет", NULL, "Shift+F11",
                     Quillo_AddMenuItem(host, NULL, 0, "Пример", NULL, "", QUILLO_MENU_BAR));
}

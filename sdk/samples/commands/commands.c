/*
 * Sample plug-in (C): runs the editor's commands by sending the command
 * messages to the main window, as another program could. SendMessage
 * returns when the command (and any dialog it opens) has finished: 1 when it
 * ran, 0 when it was not available.
 *
 * Texts for the host are Windows-1251 (compiled with -fexec-charset=CP1251).
 */
#include <windows.h>

#include "quillo_plugin.h"

/* One row per menu item: its caption, the message and its parameters. */
struct Command {
  const char *caption;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  int reportsResult; /* 0 for the messages that set an option and answer 0 */
};

static const struct Command commands[] = {
    {"Отменить три правки", QM_UNDO, 3, 0, 1},
    {"Выделить всё", QM_SELECTALL, 0, 0, 1},
    {"Копировать и добавить", QM_COPYADD, 0, 0, 1},
    {"Сохранить в DOS-866", QM_FILESAVE, 2, 0, 1},
    {"Текст в KOI8-R", QM_CODEPAGE, 2, 0, 1},
    {"Открыть предпоследний файл", QM_FILEOPEN, 1, 0, 1},
    {"Шрифт из набора 2", QM_FONT, 2, 0, 1},
    {"Светло-жёлтый фон", QM_BACKGROUND, 1, RGB(255, 255, 224), 0},
    {"Перенос по словам: вкл.", QM_WORDWRAP, 1, 0, 0},
    {"Перенос по словам: выкл.", QM_WORDWRAP, 0, 0, 0},
    {"Только чтение: вкл.", QM_READONLY, 1, 0, 0},
    {"Только чтение: выкл.", QM_READONLY, 0, 0, 0},
    {"Найти далее", QM_FINDNEXT, 0, 0, 1},
};

/* Item index -> row: the items are created in one run, so their indices
 * follow each other from the first one. */
static int32_t firstItem = -1;

static void QUILLO_STDCALL OnCommand(int32_t index, IQuillo *host, uint8_t shift) {
  HWND window = host->lpVtbl->GetMainWindow(host);
  const struct Command *command;
  (void)shift;
  if (index < firstItem || index - firstItem >= (int32_t)(sizeof commands / sizeof commands[0])) return;
  command = &commands[index - firstItem];
  if (SendMessageW(window, command->message, command->wParam, command->lParam) == 0 &&
      command->reportsResult) {
    MessageBoxW(window, L"Команда сейчас недоступна.", L"Команды", MB_OK | MB_ICONINFORMATION);
  }
}

QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL Execute(IQuillo *host) {
  size_t i;
  int32_t menu = Quillo_AddMenuItem(host, NULL, 0, "Команды", NULL, "", QUILLO_MENU_PLUGINS);
  for (i = 0; i < sizeof commands / sizeof commands[0]; ++i) {
    int32_t item = Quillo_AddMenuItem(host, OnCommand, i, commands[i].caption, NULL, "", menu);
    if (i == 0) firstItem = item;
  }
}

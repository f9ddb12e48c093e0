// A test plug-in for the end-to-end tests: it uses the host interface the
// way the tests need and writes what it gets back, and every notification,
// to a journal beside itself ("<name>.log", one Windows-1251 line each),
// which the test reads from outside.
//
// Copied as "...fails....dll" it adds a menu item and then faults in its
// "Execute". It also watches the main window's menus as they open and
// writes their items, since another process cannot read them under Wine.
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "quillo_plugin.h"

namespace {

HINSTANCE self;
WNDPROC windowProc;
int32_t itemFirst = -1;  // "Первый": deleted again

void Log(const char* format, ...) {
  char line[2048];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(line, sizeof line - 2, format, args);
  va_end(args);
  if (n < 0) return;
  if (n > static_cast<int>(sizeof line) - 3) n = sizeof line - 3;
  line[n++] = '\r';
  line[n++] = '\n';
  char path[MAX_PATH];
  DWORD len = GetModuleFileNameA(self, path, MAX_PATH);
  std::strcpy(path + len - 3, "log");
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD put = 0;
  WriteFile(file, line, static_cast<DWORD>(n), &put, nullptr);
  CloseHandle(file);
}

// One journal shared by every probe of the folder ("order.log"): starts,
// the main window's end and unloading, in the order they happened.
void LogOrder(const char* what) {
  char path[MAX_PATH];
  GetModuleFileNameA(self, path, MAX_PATH);
  char* name = std::strrchr(path, '\\');
  if (!name) return;
  char line[MAX_PATH + 64];
  int n = std::snprintf(line, sizeof line, "%s %s\r\n", name + 1, what);
  std::strcpy(name + 1, "order.log");
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD put = 0;
  WriteFile(file, line, static_cast<DWORD>(n), &put, nullptr);
  CloseHandle(file);
}

bool FileNameHas(const char* part) {
  char path[MAX_PATH];
  GetModuleFileNameA(self, path, MAX_PATH);
  const char* name = std::strrchr(path, '\\');
  return std::strstr(name ? name + 1 : path, part) != nullptr;
}

// Every item of a menu and its submenus: "<prefix> <depth dashes><text> [g][c]".
void Dump(const char* prefix, HMENU menu, int depth) {
  int count = GetMenuItemCount(menu);
  for (int pos = 0; pos < count; ++pos) {
    char text[256] = {};
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
    mii.dwTypeData = text;
    mii.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &mii);
    std::string indent(static_cast<size_t>(depth) * 2, '-');
    Log("%s %s%s%s%s", prefix, indent.c_str(), (mii.fType & MFT_SEPARATOR) ? "|" : text,
        (mii.fState & MFS_GRAYED) ? " [g]" : "", (mii.fState & MFS_CHECKED) ? " [c]" : "");
    if (mii.hSubMenu) Dump(prefix, mii.hSubMenu, depth + 1);
  }
}

LRESULT CALLBACK WatchMenus(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = CallWindowProcW(windowProc, window, msg, wp, lp);
  if (msg == WM_DESTROY) LogOrder("window destroyed");
  if (msg == WM_INITMENUPOPUP) {
    Log("popup opened");
    Dump("popup", reinterpret_cast<HMENU>(wp), 0);
  }
  return result;
}

void QUILLO_STDCALL OnKeyDown(IQuillo*, uint16_t key, uint8_t shift) { Log("keydown %u shift %u", key, shift); }
void QUILLO_STDCALL OnKeyUp(IQuillo*, uint16_t key, uint8_t shift) { Log("keyup %u shift %u", key, shift); }
void QUILLO_STDCALL OnKeyPress(IQuillo*, char key) { Log("keypress %c", key); }
void QUILLO_STDCALL OnChange(IQuillo*) { Log("change"); }
void QUILLO_STDCALL OnFileOpen(IQuillo*, const char* name) { Log("open %s", name); }
void QUILLO_STDCALL OnFileSave(IQuillo*, const char* name) { Log("save %s", name); }
void QUILLO_STDCALL OnFileClose(IQuillo*) { Log("close"); }

void QUILLO_STDCALL OnItem(int32_t index, IQuillo*, uint8_t shift) { Log("menu %d shift %u", index, shift); }

void QUILLO_STDCALL OnDump(int32_t, IQuillo* host, uint8_t) { Dump("bar", host->GetMainMenu(), 0); }

// The text methods: the caret kept by SetDocumentText, after SetSelText.
void QUILLO_STDCALL OnText(int32_t, IQuillo* host, uint8_t) {
  host->SetDocumentText("один\r\nдва три");
  host->SetModified(false);
  host->SetCaretPosition(2, 1);
  host->SetDocumentText("один\r\nдва три четыре");
  Log("text caret %d %d modified %d length %d", host->GetCaretColumn(), host->GetCaretLine(),
      host->GetModified() ? 1 : 0, host->GetTextLength());
  host->SetSelStart(0);
  host->SetSelLength(4);
  Log("text selected %s", host->GetSelText());
  host->SetSelText("ноль");
  Log("text after insert start %d length %d word %s", host->GetSelStart(), host->GetSelTextLength(),
      host->GetWordAtCursor());
  std::string document;  // line breaks as "|", one journal line
  for (const char* c = host->GetDocumentText(); *c; ++c) {
    if (*c == '\r' && c[1] == '\n') {
      document += '|';
      ++c;
    } else {
      document += *c;
    }
  }
  Log("text document %s", document.c_str());
  // Updates nest; the changes made inside are told once, at the end.
  Log("update begin");
  host->BeginTextUpdate();
  host->BeginTextUpdate();
  host->SetSelText("1");
  host->SetSelText("2");
  host->EndTextUpdate();
  Log("update inner end");
  host->EndTextUpdate();
  Log("update end");
}

void LogFont(const char* what, const TPlugInFont& f) {
  Log("font %s %s %d %d %s %d %u%u%u%u", what, f.Name, f.Size, f.Charset, f.Color, f.Height, f.Bold, f.Italic,
      f.Underline, f.StrikeOut);
}

// GetFont, SetFont with the same record, GetFont; then a changed font; the
// background colour before and after a bad colour text.
void QUILLO_STDCALL OnFont(int32_t, IQuillo* host, uint8_t) {
  TPlugInFont before{};
  host->GetFont(&before);
  LogFont("before", before);
  host->SetFont(&before);
  TPlugInFont again{};
  host->GetFont(&again);
  LogFont("again", again);
  TPlugInFont changed = again;
  changed.Name = "Arial";
  changed.Size = 14;
  changed.Color = "$FF0000";
  changed.Bold = 1;
  changed.Italic = 0;
  host->SetFont(&changed);
  TPlugInFont after{};
  host->GetFont(&after);
  LogFont("after", after);
  Log("background %s", host->GetBackgroundColor());
}

void QUILLO_STDCALL OnBackground(int32_t, IQuillo* host, uint8_t) {
  Log("background %s", host->GetBackgroundColor());
  host->SetBackgroundColor("не цвет");
  Log("background after bad text %s", host->GetBackgroundColor());
  host->SetBackgroundColor("$00FF00");
  Log("background after green %s", host->GetBackgroundColor());
}

void QUILLO_STDCALL OnFileName(int32_t, IQuillo* host, uint8_t) {
  const char* name = host->GetFileName();
  Log("filename %s length %d", name ? name : "(null)", host->GetFileNameLength());
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  if (reason == DLL_PROCESS_DETACH) LogOrder("unloaded");
  return TRUE;
}

extern "C" QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL Execute(IQuillo* host) {
  Log("execute");
  LogOrder("started");
  if (FileNameHas("fails")) {
    Log("item %d", host->AddMenuItem(OnItem, 0, "От упавшего модуля", nullptr, "", QUILLO_MENU_PLUGINS));
    host->SetKeyDownProc(self, OnKeyDown);
    volatile std::uintptr_t bad = 16;
    *reinterpret_cast<volatile int*>(bad) = 1;
    return;
  }
  const char* name = host->GetFileName();
  Log("filename %s length %d", name ? name : "(null)", host->GetFileNameLength());
  Log("version %s", host->GetHostVersion());

  host->SetKeyDownProc(self, OnKeyDown);
  host->SetKeyUpProc(self, OnKeyUp);
  host->SetKeyPressProc(self, OnKeyPress);
  host->SetChangeProc(self, OnChange);
  host->SetFileOpenProc(self, OnFileOpen);
  host->SetFileSaveProc(self, OnFileSave);
  host->SetFileCloseProc(self, OnFileClose);
  HINSTANCE stranger = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x12340000));
  host->SetChangeProc(stranger, OnChange);
  Log("registered %d stranger %d", host->GetKeyDownProc(self) == OnKeyDown ? 1 : 0,
      host->GetChangeProc(stranger) == nullptr ? 0 : 1);

  // Indices: 0 and 1, 0 deleted, then 2.
  itemFirst = host->AddMenuItem(OnItem, 0, "Первый", nullptr, "", QUILLO_MENU_PLUGINS);
  int32_t second = host->AddMenuItem(OnItem, 0, "Второй", nullptr, "", QUILLO_MENU_PLUGINS);
  Log("add %d %d", itemFirst, second);
  Log("delete %d %d", itemFirst, host->DeleteMenuItem(itemFirst) ? 1 : 0);
  int32_t third = host->AddMenuItem(OnItem, 0, "Третий", nullptr, "", QUILLO_MENU_PLUGINS);
  int32_t inserted = host->InsertMenuItem(OnItem, 0, "Вставленный", nullptr, "", 0, QUILLO_MENU_PLUGINS);
  Log("add %d insert %d", third, inserted);
  HICON icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION));
  Log("modify %d deleted %d negative %d beyond %d",
      host->ModifyMenuItem(OnItem, 7, "Изменённый", icon, "Ctrl+Shift+K", second) ? 1 : 0,
      host->ModifyMenuItem(OnItem, 0, "x", nullptr, "", itemFirst) ? 1 : 0,
      host->ModifyMenuItem(OnItem, 0, "x", nullptr, "", -1) ? 1 : 0,
      host->ModifyMenuItem(OnItem, 0, "x", nullptr, "", 9999) ? 1 : 0);

  int32_t parent = host->AddMenuItem(nullptr, 0, "Подменю", nullptr, "", QUILLO_MENU_PLUGINS);
  int32_t child = host->AddMenuItem(OnItem, 0, "Дочерний", nullptr, "", parent);
  int deleteParent = host->DeleteMenuItem(parent) ? 1 : 0;
  int deleteChild = host->DeleteMenuItem(child) ? 1 : 0;
  Log("submenu %d %d delete parent %d child %d parent %d", parent, child, deleteParent, deleteChild,
      host->DeleteMenuItem(parent) ? 1 : 0);
  parent = host->AddMenuItem(nullptr, 0, "Подменю", nullptr, "", QUILLO_MENU_PLUGINS);
  host->AddMenuItem(OnItem, 0, "Дочерний", nullptr, "Alt+Shift+F6", parent);

  host->SetMenuItemChecked(third, 1);
  host->SetMenuItemEnabled(inserted, 0);
  Log("state checked %d %d enabled %d %d deleted %d %d", host->GetMenuItemChecked(third) ? 1 : 0,
      host->GetMenuItemChecked(inserted) ? 1 : 0, host->GetMenuItemEnabled(inserted) ? 1 : 0,
      host->GetMenuItemEnabled(third) ? 1 : 0, host->GetMenuItemChecked(itemFirst) ? 1 : 0,
      host->GetMenuItemEnabled(itemFirst) ? 1 : 0);

  for (int32_t menu = -1; menu >= -21; --menu) {
    char caption[32];
    std::snprintf(caption, sizeof caption, "Проба %d", static_cast<int>(-menu));
    Log("parent %d item %d", static_cast<int>(menu), host->AddMenuItem(OnItem, 0, caption, nullptr, "", menu));
  }
  Log("invalid parents %d %d %d", host->AddMenuItem(OnItem, 0, "x", nullptr, "", -22),
      host->AddMenuItem(OnItem, 0, "x", nullptr, "", 99999),
      host->AddMenuItem(OnItem, 0, "x", nullptr, "", itemFirst));

  Log("item dump %d", host->AddMenuItem(OnDump, 0, "Снимок меню", nullptr, "", QUILLO_MENU_PLUGINS));
  Log("item text %d", host->AddMenuItem(OnText, 0, "Текст", nullptr, "", QUILLO_MENU_PLUGINS));
  Log("item font %d", host->AddMenuItem(OnFont, 0, "Шрифт", nullptr, "", QUILLO_MENU_PLUGINS));
  Log("item background %d", host->AddMenuItem(OnBackground, 0, "Фон", nullptr, "", QUILLO_MENU_PLUGINS));
  Log("item filename %d", host->AddMenuItem(OnFileName, 0, "Имя файла", nullptr, "", QUILLO_MENU_PLUGINS));

  HWND main = host->GetMainWindow();
  windowProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchMenus)));
  Log("started");
}

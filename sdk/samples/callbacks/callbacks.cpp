// Sample plug-in (C++): registers every notification and shows what it
// receives: the latest event in the status bar (while its check item is on)
// and the last events on request.
//
// Texts from the host are Windows-1251 and are shown through the W functions.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <deque>
#include <string>

#include "quillo_plugin.h"

namespace {

// What the plug-in keeps between notifications; it lives as long as the DLL.
struct Journal {
  HINSTANCE self = nullptr;
  std::deque<std::wstring> events;
  bool toStatusBar = true;
  int32_t statusItem = -1;
};
Journal journal;

std::wstring FromAnsi(const char* text) {
  if (!text) return L"(нет)";
  int n = MultiByteToWideChar(1251, 0, text, -1, nullptr, 0);
  std::wstring wide(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(1251, 0, text, -1, wide.data(), n);
  return wide;
}

std::wstring Modifiers(uint8_t shift) {
  std::wstring s;
  if (shift & QUILLO_SHIFT) s += L"+Shift";
  if (shift & QUILLO_CTRL) s += L"+Ctrl";
  if (shift & QUILLO_ALT) s += L"+Alt";
  return s.empty() ? L"" : L" (" + s.substr(1) + L")";
}

void Record(IQuillo* host, const std::wstring& event) {
  journal.events.push_back(event);
  if (journal.events.size() > 15) journal.events.pop_front();
  if (journal.toStatusBar) {
    SendMessageW(host->GetStatusBarWindow(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(event.c_str()));
  }
}

void QUILLO_STDCALL OnKeyDown(IQuillo* host, uint16_t key, uint8_t shift) {
  wchar_t text[64];
  std::swprintf(text, 64, L"Клавиша нажата: 0x%02X%ls", key, Modifiers(shift).c_str());
  Record(host, text);
}

void QUILLO_STDCALL OnKeyUp(IQuillo* host, uint16_t key, uint8_t shift) {
  wchar_t text[64];
  std::swprintf(text, 64, L"Клавиша отпущена: 0x%02X%ls", key, Modifiers(shift).c_str());
  Record(host, text);
}

void QUILLO_STDCALL OnKeyPress(IQuillo* host, char key) {
  char typed[2] = {key, 0};
  Record(host, L"Введён символ: «" + FromAnsi(typed) + L"»");
}

void QUILLO_STDCALL OnChange(IQuillo* host) {
  wchar_t text[64];
  std::swprintf(text, 64, L"Текст изменён, длина %d", static_cast<int>(host->GetTextLength()));
  Record(host, text);
}

void QUILLO_STDCALL OnFileOpen(IQuillo* host, const char* fileName) { Record(host, L"Открыт файл " + FromAnsi(fileName)); }
void QUILLO_STDCALL OnFileSave(IQuillo* host, const char* fileName) { Record(host, L"Сохранён файл " + FromAnsi(fileName)); }
void QUILLO_STDCALL OnFileClose(IQuillo* host) { Record(host, L"Документ закрыт"); }

void QUILLO_STDCALL OnShowJournal(int32_t, IQuillo* host, uint8_t) {
  std::wstring text;
  for (const std::wstring& e : journal.events) text += e + L"\n";
  MessageBoxW(host->GetMainWindow(), text.empty() ? L"Событий не было." : text.c_str(), L"Журнал событий",
              MB_OK | MB_ICONINFORMATION);
}

void QUILLO_STDCALL OnToggleStatusBar(int32_t index, IQuillo* host, uint8_t) {
  journal.toStatusBar = !journal.toStatusBar;
  host->SetMenuItemChecked(index, journal.toStatusBar);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) journal.self = instance;
  return TRUE;
}

extern "C" QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL Execute(IQuillo* host) {
  // Registration names the plug-in by its own instance handle.
  host->SetKeyDownProc(journal.self, OnKeyDown);
  host->SetKeyUpProc(journal.self, OnKeyUp);
  host->SetKeyPressProc(journal.self, OnKeyPress);
  host->SetChangeProc(journal.self, OnChange);
  host->SetFileOpenProc(journal.self, OnFileOpen);
  host->SetFileCloseProc(journal.self, OnFileClose);
  host->SetFileSaveProc(journal.self, OnFileSave);

  int32_t menu = host->AddMenuItem(nullptr, 0, "События", nullptr, "", QUILLO_MENU_PLUGINS);
  host->AddMenuItem(OnShowJournal, 0, "Журнал событий…", nullptr, "", menu);
  journal.statusItem = host->AddMenuItem(OnToggleStatusBar, 0, "В строке состояния", nullptr, "", menu);
  host->SetMenuItemChecked(journal.statusItem, journal.toStatusBar);

  wchar_t text[160];
  std::swprintf(text, 160, L"Модуль событий запущен; редактор %ls",
                FromAnsi(host->GetHostVersion()).c_str());
  Record(host, host->GetKeyDownProc(journal.self) == OnKeyDown ? text : L"Регистрация не удалась");
}

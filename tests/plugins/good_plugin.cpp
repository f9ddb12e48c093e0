// A well-behaved test plug-in: it registers a key-down callback and a menu
// item and tells the host (through SetSelText) what each received.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "quillo_plugin.h"

namespace {

HINSTANCE self;

void QUILLO_STDCALL KeyDown(IQuillo* host, std::uint16_t key, std::uint8_t shift) {
  char text[64];
  std::snprintf(text, sizeof text, "good: key %u shift %u", key, shift);
  host->SetSelText(text);
}

void QUILLO_STDCALL MenuChosen(std::int32_t index, IQuillo* host, std::uint8_t shift) {
  char text[64];
  std::snprintf(text, sizeof text, "good: menu %d shift %u", static_cast<int>(index), shift);
  host->SetSelText(text);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}

extern "C" QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL Execute(IQuillo* host) {
  host->SetKeyDownProc(self, KeyDown);
  host->AddMenuItem(MenuChosen, 0, "good", nullptr, "", QUILLO_MENU_PLUGINS);
}

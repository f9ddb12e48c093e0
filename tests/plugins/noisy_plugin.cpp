// A test plug-in that starts fine and then faults in every notification and
// in its menu item: key-down is an access violation, a text change throws a
// C++ exception, the menu item overflows the stack.
#include <windows.h>

#include <cstdint>
#include <stdexcept>

#include "quillo_plugin.h"

namespace {

HINSTANCE self;

volatile bool deeper = true;  // always: the recursion ends in the overflow

int Recurse(volatile char* previous) {
  volatile char frame[1024];
  frame[0] = previous ? previous[0] : 1;
  return deeper ? Recurse(frame) + frame[0] : 0;
}

void QUILLO_STDCALL KeyDown(IQuillo*, std::uint16_t, std::uint8_t) {
  volatile std::uintptr_t bad = 32;
  *reinterpret_cast<volatile int*>(bad) = 1;
}

void QUILLO_STDCALL Change(IQuillo*) { throw std::logic_error("noisy"); }

void QUILLO_STDCALL MenuChosen(std::int32_t, IQuillo*, std::uint8_t) { Recurse(nullptr); }

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}

extern "C" QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL Execute(IQuillo* host) {
  host->SetKeyDownProc(self, KeyDown);
  host->SetChangeProc(self, Change);
  host->AddMenuItem(MenuChosen, 0, "noisy", nullptr, "", QUILLO_MENU_PLUGINS);
}

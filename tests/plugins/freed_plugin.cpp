// A test library whose function is called after the library was unloaded.
#include "quillo_plugin.h"

extern "C" QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL Notify(IQuillo*) {}

// A test plug-in that goes wrong in every way a plug-in can: each export
// (a QuilloNotifyProc) faults differently. Its "Execute" is an access
// violation, so as a plug-in it never starts.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "quillo_plugin.h"

namespace {

int cleanups = 0;  // destructors run by the plug-in's own exception handling
int caught = 0;    // exceptions the plug-in caught itself

struct Cleanup {
  ~Cleanup() { ++cleanups; }
};

void WriteToBadAddress() {
  volatile std::uintptr_t bad = 16;  // not a constant null: GCC would turn that into ud2
  *reinterpret_cast<volatile int*>(bad) = 1;
}

volatile bool deeper = true;  // always: the recursion ends in the overflow

int Recurse(volatile char* previous) {
  volatile char frame[1024];
  frame[0] = previous ? previous[0] : 1;
  return deeper ? Recurse(frame) + frame[0] : 0;
}

}  // namespace

extern "C" {

QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL Execute(IQuillo*) { WriteToBadAddress(); }

QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL AccessViolation(IQuillo*) { WriteToBadAddress(); }

QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL IllegalInstruction(IQuillo*) { asm volatile("ud2"); }

QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL StackOverflow(IQuillo*) { Recurse(nullptr); }

// With a destructor to run on the way out, which is what makes 64-bit GCC
// unwind differently.
QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL ThrowUncaught(IQuillo*) {
  Cleanup cleanup;
  throw std::runtime_error("uncaught in a plug-in");
}

// What an MSVC-built plug-in's throw raises (the C++ exception code with the
// MSVC magic number as its first parameter).
QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL ThrowLikeMsvc(IQuillo*) {
  const ULONG_PTR parameters[3] = {0x19930520, 0, 0};
  RaiseException(0xE06D7363, EXCEPTION_NONCONTINUABLE, 3, parameters);
}

QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL Abort(IQuillo*) { std::abort(); }

QUILLO_PLUGIN_EXPORT void QUILLO_STDCALL ThrowAndCatch(IQuillo*) {
  for (int i = 0; i < 3; ++i) {
    try {
      Cleanup cleanup;
      throw std::runtime_error("handled inside the plug-in");
    } catch (const std::exception&) {
      ++caught;
    }
  }
}

QUILLO_PLUGIN_EXPORT int Cleanups() { return cleanups; }
QUILLO_PLUGIN_EXPORT int Caught() { return caught; }

}  // extern "C"

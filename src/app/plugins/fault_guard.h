#pragma once
// Runs one call into a plug-in so that a fault inside it (access violation,
// stack overflow, illegal instruction, a call into freed memory, a C++
// exception of any compiler, abort) ends only that call: the call's result
// is the exception code instead of the end of the program.
//
// MinGW's GCC has no __try, so the boundary is a small assembly frame with a
// frame-based handler of its own (x64: a function-table handler; x86: an
// EXCEPTION_REGISTRATION record on fs:[0]). Being frame-based, it only sees
// what the plug-in did not handle itself: a plug-in that throws and catches
// internally never reaches it. Frames of the plug-in between the fault and
// the guard are unwound; 64-bit GCC code runs no destructors then.
//
// A stack overflow is caught like any fault: each call first makes sure of a
// guard page with 64 KB of stack below it for the handling, so the thread
// can overflow (and be caught) again and again.
//
// Only for the user-interface thread's calls into plug-ins. The callable
// must not itself throw: the guard is for the foreign code it calls.
#include <cstdint>
#include <string>

namespace quillo {

// 0: the call returned. Otherwise the Windows exception code that ended it.
using FaultCode = std::uint32_t;

constexpr FaultCode kFaultNone = 0;
constexpr FaultCode kFaultAccessViolation = 0xC0000005;
constexpr FaultCode kFaultIllegalInstruction = 0xC000001D;
constexpr FaultCode kFaultStackOverflow = 0xC00000FD;
constexpr FaultCode kFaultMsvcException = 0xE06D7363;  // a C++ throw of MSVC
constexpr FaultCode kFaultGccException = 0x20474343;   // a C++ throw of 64-bit GCC
// The plug-in called abort(), also what std::terminate comes to (a 32-bit
// GCC plug-in's uncaught C++ exception ends there).
constexpr FaultCode kFaultAbort = 0xE0515101;

class FaultGuard {
 public:
  FaultGuard();
  FaultGuard(const FaultGuard&) = delete;
  FaultGuard& operator=(const FaultGuard&) = delete;

  // Finds the C runtimes loaded in the process, whose abort() the guard
  // catches; done on creation, again after loading plug-in libraries. (Not
  // per call: asking Windows for a library that is not loaded is slow.)
  void FindCRuntimes();

  FaultCode Run(void (*fn)(void*), void* context) const;

  template <typename F>
  FaultCode Run(F& f) const {
    return Run([](void* p) { (*static_cast<F*>(p))(); }, &f);
  }

 private:
  void* signalFunctions_[2] = {};  // signal() of msvcrt.dll and of ucrtbase.dll
  std::uintptr_t pageSize_ = 4096;
};

// The fault in Russian words for a message, with the code: "нарушение
// доступа к памяти (C0000005)". UTF-8.
std::string DescribeFault(FaultCode code);

}  // namespace quillo

#include "app/plugins/fault_guard.h"

#include <windows.h>

#include <csignal>
#include <cstdio>

// quillo_guard_enter(fn, context) calls fn(context) and returns 0, or, when
// an exception nobody deeper handled reaches its frame, unwinds the frames
// between (their unwind handlers run: MSVC-built code runs its destructors)
// and returns the exception's code.
extern "C" std::uint32_t quillo_guard_enter(void (*fn)(void*), void* context);

#if defined(__x86_64__)

// The frame's handler is named in the function table (.pdata/.xdata), as a
// compiler names its language handler. It catches in the search phase and
// lets RtlUnwindEx bring the context back to quillo_guard_landing with the
// code in RAX.
asm(R"(
        .text
        .globl quillo_guard_enter
        .def quillo_guard_enter; .scl 2; .type 32; .endef
        .seh_proc quillo_guard_enter
quillo_guard_enter:
        subq $40, %rsp
        .seh_stackalloc 40
        .seh_handler quillo_guard_handler, @except
        .seh_endprologue
        movq %rcx, %rax
        movq %rdx, %rcx
        callq *%rax
        xorl %eax, %eax
        .globl quillo_guard_landing
quillo_guard_landing:
        addq $40, %rsp
        ret
        .seh_endproc
)");

extern "C" void quillo_guard_landing();

// 64-bit GCC code runs its cleanups during an unwind only for a GCC throw
// whose catcher GCC itself found, and otherwise unwinds to the end of the
// stack. So a GCC throw is unwound under a code of the guard's own, which
// GCC frames pass by like any foreign exception.
constexpr DWORD kGuardUnwind = 0xE0515102;

extern "C" EXCEPTION_DISPOSITION quillo_guard_handler(EXCEPTION_RECORD* record, void* frame,
                                                      CONTEXT* context, DISPATCHER_CONTEXT* dispatch) {
  if (record->ExceptionFlags & EXCEPTION_UNWIND) return ExceptionContinueSearch;
  EXCEPTION_RECORD unwind = *record;
  if (unwind.ExceptionCode == quillo::kFaultGccException) {
    unwind.ExceptionCode = kGuardUnwind;
    unwind.NumberParameters = 0;
  }
  RtlUnwindEx(frame, reinterpret_cast<void*>(&quillo_guard_landing), &unwind,
              reinterpret_cast<void*>(static_cast<ULONG_PTR>(record->ExceptionCode)), context,
              dispatch->HistoryTable);
  return ExceptionContinueSearch;  // RtlUnwindEx does not come back
}

#elif defined(__i386__)

// An EXCEPTION_REGISTRATION record {next, handler, guard's EBP} on the stack,
// linked into fs:[0] for the duration of the call. The handler unwinds the
// records above its own (RtlUnwind: their handlers see the unwind) and then
// resumes the guard's frame from the saved EBP, as a compiler's __except does.
// RtlUnwind may clobber EBX, ESI, EDI and EBP, so nothing is kept in them.
asm(R"(
        .text
        .globl _quillo_guard_enter
        .def _quillo_guard_enter; .scl 2; .type 32; .endef
_quillo_guard_enter:
        pushl %ebp
        movl %esp, %ebp
        pushl %ebx
        pushl %esi
        pushl %edi
        pushl %ebp
        pushl $_quillo_guard_handler
        pushl %fs:0
        movl %esp, %fs:0
        subl $12, %esp
        pushl 12(%ebp)
        call *8(%ebp)
        xorl %eax, %eax
Lquillo_guard_resume:
        movl -24(%ebp), %ecx
        movl %ecx, %fs:0
        leal -12(%ebp), %esp
        popl %edi
        popl %esi
        popl %ebx
        popl %ebp
        ret

        .def _quillo_guard_handler; .scl 3; .type 32; .endef
_quillo_guard_handler:
        movl 4(%esp), %eax
        testl $0x66, 4(%eax)
        jnz 1f
        pushl (%eax)
        pushl $0
        pushl %eax
        pushl $2f
        pushl 24(%esp)
        call _RtlUnwind@16
2:      popl %eax
        movl 8(%esp), %edx
        movl 8(%edx), %ebp
        jmp Lquillo_guard_resume
1:      movl $1, %eax
        ret
)");

#else
#error "the plug-in fault guard knows x86 and x64 only"
#endif

namespace quillo {

namespace {

// abort() in a plug-in (and std::terminate, where a 32-bit GCC plug-in's
// uncaught exception ends) would end the process from inside its C runtime.
// The runtimes a MinGW-built plug-in shares with the program let a SIGABRT
// handler run first; the handler turns the abort into an exception for the
// guard. Installed only for the duration of one guarded call.
void __cdecl OnAbort(int) { RaiseException(kFaultAbort, EXCEPTION_NONCONTINUABLE, 0, nullptr); }

using SignalHandler = void(__cdecl*)(int);
using SignalFunction = SignalHandler(__cdecl*)(int, SignalHandler);

class AbortHook {
 public:
  explicit AbortHook(void* const (&signalFunctions)[2]) {
    for (int i = 0; i < 2; ++i) {
      signal_[i] = reinterpret_cast<SignalFunction>(signalFunctions[i]);
      if (signal_[i]) previous_[i] = signal_[i](SIGABRT, OnAbort);
    }
  }
  ~AbortHook() {
    for (int i = 1; i >= 0; --i) {
      if (signal_[i] && previous_[i] != SIG_ERR) signal_[i](SIGABRT, previous_[i]);
    }
  }
  AbortHook(const AbortHook&) = delete;
  AbortHook& operator=(const AbortHook&) = delete;

 private:
  SignalFunction signal_[2] = {};
  SignalHandler previous_[2] = {SIG_ERR, SIG_ERR};
};

// A stack overflow is only survivable with room left below it for the
// exception dispatch and the unwind. The thread gets a stack guarantee of
// 64 KB, and before each call a guard page is made sure of just above that
// reserve: Wine 8 has none there at all (the first fault would come on the
// stack's last page, with no room to report it), and after an overflow
// Windows has none left either (as the C runtime's _resetstkoflw knows).
// Touching that page raises the overflow while the reserve is still free.
constexpr ULONG kStackReserve = 64 * 1024;

void ArmStackGuard(ULONG_PTR page) {
  ULONG guarantee = kStackReserve;
  SetThreadStackGuarantee(&guarantee);
  MEMORY_BASIC_INFORMATION stack;
  if (!VirtualQuery(&stack, &stack, sizeof stack)) return;
  const ULONG_PTR base = reinterpret_cast<ULONG_PTR>(stack.AllocationBase);
  const ULONG_PTR guard = base + 2 * page + kStackReserve;
  const ULONG_PTR here = reinterpret_cast<ULONG_PTR>(&stack) & ~(page - 1);
  if (guard + 4 * page > here) return;  // already deeper than that: leave the stack alone
  MEMORY_BASIC_INFORMATION at;
  if (!VirtualQuery(reinterpret_cast<void*>(guard), &at, sizeof at)) return;
  // Reserved (Windows' stack not grown that far): its own guard page is above.
  if (at.State != MEM_COMMIT || (at.Protect & PAGE_GUARD)) return;
  DWORD old;
  VirtualProtect(reinterpret_cast<void*>(guard), page, PAGE_READWRITE | PAGE_GUARD, &old);
}

}  // namespace

FaultGuard::FaultGuard() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  pageSize_ = system.dwPageSize;
  FindCRuntimes();
}

void FaultGuard::FindCRuntimes() {
  static const wchar_t* const kRuntimes[] = {L"msvcrt.dll", L"ucrtbase.dll"};
  for (int i = 0; i < 2; ++i) {
    HMODULE runtime = GetModuleHandleW(kRuntimes[i]);
    signalFunctions_[i] = runtime ? reinterpret_cast<void*>(GetProcAddress(runtime, "signal")) : nullptr;
  }
}

FaultCode FaultGuard::Run(void (*fn)(void*), void* context) const {
  ArmStackGuard(pageSize_);
  AbortHook hook(signalFunctions_);
  return quillo_guard_enter(fn, context);
}

std::string DescribeFault(FaultCode code) {
  const char* what;
  switch (code) {
    case kFaultAccessViolation: what = "нарушение доступа к памяти"; break;
    case kFaultStackOverflow: what = "переполнение стека"; break;
    case kFaultIllegalInstruction: what = "недопустимая инструкция"; break;
    case 0xC0000096: what = "привилегированная инструкция"; break;
    case 0xC0000094: what = "целочисленное деление на ноль"; break;
    case 0xC0000006: what = "ошибка чтения страницы памяти"; break;
    case kFaultMsvcException:
    case kFaultGccException: what = "необработанное исключение C++"; break;
    case kFaultAbort: what = "аварийное завершение"; break;
    default: what = "исключение"; break;
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(code));
  return std::string(what) + " (" + hex + ")";
}

}  // namespace quillo

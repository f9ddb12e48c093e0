// The 32-bit calling conventions of the plug-in interface, checked with a
// hand-written caller (abi_calls.S) as a Linux i386 program under qemu-i386:
//  - every slot of HostTable called the way a register-convention plug-in
//    calls it: arguments arrive in order, results come back in EAX (AL for
//    booleans), the callee pops its stack arguments, EBX/ESI/EDI survive, and
//    all that with foreign stack alignment;
//  - the host's calls of plug-in callbacks and "Execute" are stdcall, and a
//    callback declared with the SDK's types reads its arguments right.
// Prints one line per failure and "N passed, N failed".
#include <algorithm>
#include <csetjmp>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/plugins/host_table.h"
#include "app/plugins/plugin_calls.h"
#include "recording_host.h"

static_assert(sizeof(void*) == 4, "this test is the 32-bit one");

struct ForeignCall {
  void* self;
  std::uint32_t slot;
  std::uint32_t edx;
  std::uint32_t ecx;
  std::uint32_t nstack;
  std::uint32_t stack[8];  // pushed in this order
  std::uint32_t misalign;
  std::uint32_t eax;
  std::int32_t espDelta;
  std::uint32_t savedOk;
};
static_assert(offsetof(ForeignCall, misalign) == 52 && offsetof(ForeignCall, savedOk) == 64,
              "abi_calls.S reads this layout");

extern "C" {
void quillo_foreign_call(ForeignCall* call);
int quillo_measure_call(void (*fn)(void*), void* context);
void __attribute__((stdcall)) quillo_stdcall_probe1(std::uint32_t);
void __attribute__((stdcall)) quillo_stdcall_probe2(std::uint32_t, std::uint32_t);
void __attribute__((stdcall)) quillo_stdcall_probe3(std::uint32_t, std::uint32_t, std::uint32_t);
extern std::uint32_t quillo_probe_args[4];
extern std::uint32_t quillo_probe_count;
}

namespace quillo {
namespace {

int passed = 0;
int failed = 0;

void Report(const std::string& what, const std::string& problem) {
  if (problem.empty()) {
    ++passed;
  } else {
    ++failed;
    std::printf("FAILED %s: %s\n", what.c_str(), problem.c_str());
  }
}

// A call that goes wrong usually crashes; that is reported as the case's
// failure and the run goes on.
sigjmp_buf crashJump;
void OnCrash(int) { siglongjmp(crashJump, 1); }

void CatchCrashes() {
  static char altStack[64 * 1024];
  stack_t ss{};
  ss.ss_sp = altStack;
  ss.ss_size = sizeof altStack;
  sigaltstack(&ss, nullptr);
  struct sigaction sa {};
  sa.sa_handler = OnCrash;
  sa.sa_flags = SA_ONSTACK | SA_NODEFER;
  for (int sig : {SIGSEGV, SIGBUS, SIGILL}) sigaction(sig, &sa, nullptr);
}

template <typename F>
bool Survives(F&& f) {
  if (sigsetjmp(crashJump, 1)) return false;
  f();
  return true;
}

std::uint32_t Word(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }
std::uint32_t Word(std::int32_t v) { return static_cast<std::uint32_t>(v); }

std::string Hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%#x", v);
  return buf;
}

enum class Result { None, Word, Bool, Text, Null };

struct Case {
  std::string name;
  int slot;
  std::uint32_t edx = 0;
  std::uint32_t ecx = 0;
  std::vector<std::uint32_t> stack = {};  // in push order
  std::string log = {};                   // what the host saw
  Result result = Result::None;
  std::uint32_t word = 0;                 // Word: EAX; Bool: AL
  std::string text = {};                  // Text: bytes at EAX up to and with the final NUL
  std::function<void(RecordingHost&)> before = {};
  std::function<std::string(const ForeignCall&)> check = {};
};

const char kCaption[] = "\xCF\xF3\xED\xEA\xF2";  // Пункт
const char kShortCut[] = "Ctrl+Shift+F5";
const char kText[] = "abc \xFF\xE0";
const char kPath[] = "D:\\new.txt";
const char kColor[] = "$FF8000";
const QuilloGuid kIQuillo = QUILLO_IID_IQUILLO;
const QuilloGuid kIUnknown = QUILLO_IID_IUNKNOWN;
const QuilloGuid kOther = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

std::string TextAt(std::uint32_t eax, std::size_t n) {
  return std::string(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(eax)), n);
}

std::vector<Case> SlotCases(HostTable& table) {
  static void* object = nullptr;
  static TPlugInFont font;
  static TPlugInFont given;
  const std::uint32_t self = Word(table.Interface());
  const std::string menuItem = "cb=0xcb000001 data=0xda7a0002 caption='" + std::string(kCaption) +
                               "' icon=0x1c0 shortcut='Ctrl+Shift+F5'";
  auto refs = [&table] { return table.References(); };

  std::vector<Case> cases = {
      // 0-2: IUnknown, stdcall: arguments pushed right to left.
      {"QueryInterface(IQuillo)", 0, 0, 0, {Word(&object), Word(&kIQuillo), self}, "", Result::Word, 0,
       {}, [](RecordingHost&) { object = nullptr; },
       [self](const ForeignCall&) { return Word(object) == self ? "" : "object not returned"; }},
      {"QueryInterface(IUnknown)", 0, 0, 0, {Word(&object), Word(&kIUnknown), self}, "", Result::Word, 0},
      {"QueryInterface(other)", 0, 0, 0, {Word(&object), Word(&kOther), self}, "", Result::Word,
       0x80004002, {}, {},
       [](const ForeignCall&) { return object == nullptr ? "" : "object not cleared"; }},
      {"QueryInterface(null object)", 0, 0, 0, {0, Word(&kIQuillo), self}, "", Result::Word, 0x80004003},
      {"AddRef", 1, 0, 0, {self}, "", Result::None, 0, {}, {},
       [refs](const ForeignCall& c) { return c.eax == refs() ? "" : "count not returned"; }},
      {"Release", 2, 0, 0, {self}, "", Result::None, 0, {}, {},
       [refs](const ForeignCall& c) { return c.eax == refs() && refs() >= 1 ? "" : "count wrong"; }},

      // 3-8
      {"GetSelText", 3, 0, 0, {}, "SelText", Result::Text, 0, "\xE2\xFB\xE4\xE5\xEB\xE5\xED\xEE"},
      {"SetSelText", 4, Word(kText), 0, {}, "SetSelText '" + std::string(kText) + "'"},
      {"SetSelText(null)", 4, 0, 0, {}, "SetSelText ''"},
      {"GetDocumentText", 5, 0, 0, {}, "DocumentText", Result::Text, 0, "one\r\ntwo"},
      {"SetDocumentText", 6, Word(kText), 0, {}, "SetDocumentText '" + std::string(kText) + "'"},
      {"GetMainWindow", 7, 0, 0, {}, "MainWindow", Result::Word, 0xA1B2C4},
      {"GetMainMenu", 8, 0, 0, {}, "MainMenu", Result::Word, 0xC0FFEE},

      // 9-11: Callback in EDX, Data in ECX, the rest pushed in declaration order.
      {"AddMenuItem", 9, 0xCB000001, 0xDA7A0002, {Word(kCaption), 0x1C0, Word(kShortCut), Word(-5)},
       "AddMenuItem " + menuItem + " parent=-5", Result::Word, 7},
      {"InsertMenuItem", 10, 0xCB000001, 0xDA7A0002,
       {Word(kCaption), 0x1C0, Word(kShortCut), 2, Word(-1)},
       "InsertMenuItem " + menuItem + " position=2 parent=-1", Result::Word, 8},
      {"ModifyMenuItem", 11, 0xCB000001, 0xDA7A0002, {Word(kCaption), 0x1C0, Word(kShortCut), 4},
       "ModifyMenuItem " + menuItem + " index=4", Result::Word, 1},
      {"ModifyMenuItem(-1)", 11, 0, 0, {0, 0, 0, Word(-1)},
       "ModifyMenuItem cb=0 data=0 caption='' icon=0 shortcut='' index=-1", Result::Word, 0},

      // 12-16: 8-bit booleans; garbage above the low byte of an argument is ignored.
      {"GetMenuItemChecked(3)", 12, 3, 0, {}, "MenuItemChecked 3", Result::Bool, 1},
      {"GetMenuItemChecked(2)", 12, 2, 0, {}, "MenuItemChecked 2", Result::Bool, 0},
      {"SetMenuItemChecked(3, true)", 13, 3, 0xABCDEF01, {}, "SetMenuItemChecked 3 1"},
      {"SetMenuItemChecked(3, false)", 13, 3, 0xABCDEF00, {}, "SetMenuItemChecked 3 0"},
      {"GetMenuItemEnabled", 14, 4, 0, {}, "MenuItemEnabled 4", Result::Bool, 1},
      {"SetMenuItemEnabled", 15, 4, 0x7700, {}, "SetMenuItemEnabled 4 0"},
      {"DeleteMenuItem(5)", 16, 5, 0, {}, "DeleteMenuItem 5", Result::Bool, 1},
      {"DeleteMenuItem(6)", 16, 6, 0, {}, "DeleteMenuItem 6", Result::Bool, 0},

      // 17-21
      {"GetFileName", 17, 0, 0, {}, "FileName", Result::Text, 0, "C:\\\xC4\xEE\xEA\\\xF4\xE0\xE9\xEB.txt"},
      {"GetFileName(none)", 17, 0, 0, {}, "FileName", Result::Null, 0, {},
       [](RecordingHost& h) { h.fileName.clear(); }},
      {"GetFileNameLength", 18, 0, 0, {}, "FileName", Result::Word, 15},
      {"SetFileName", 19, Word(kPath), 0, {}, "SetFileName 'D:\\new.txt'"},
      {"GetModified", 20, 0, 0, {}, "Modified", Result::Bool, 1},
      {"SetModified(true)", 21, 0x5A5A5A01, 0, {}, "SetModified 1"},
      {"SetModified(false)", 21, 0x5A5A5A00, 0, {}, "SetModified 0"},

      // 22-34
      {"GetCaretLine", 22, 0, 0, {}, "CaretLine", Result::Word, 41},
      {"GetCaretColumn", 23, 0, 0, {}, "CaretColumn", Result::Word, 17},
      {"SetCaretPosition", 24, 7, 9, {}, "SetCaretPosition 7 9"},
      {"GetSelTextLength", 25, 0, 0, {}, "SelLength", Result::Word, 5},
      {"SetSelLength", 26, Word(-3), 0, {}, "SetSelLength -3"},
      {"GetTextLength", 27, 0, 0, {}, "TextLength", Result::Word, 123456},
      {"GetEditorWindow", 28, 0, 0, {}, "EditorWindow", Result::Word, 0x1234},
      {"GetHostVersion", 29, 0, 0, {}, "HostVersion", Result::Text, 0, std::string("2.0 build 17\0\0\0", 15)},
      {"GetWordAtCursor", 30, 0, 0, {}, "WordAtCursor", Result::Text, 0,
       std::string("\xF1\xEB\xEE\xE2\xEE\0\0\0", 8)},
      {"GetWordAtCursorLength", 31, 0, 0, {}, "WordAtCursorLength", Result::Word, 5},
      {"GetWordAtCursorLength2", 32, 0, 0, {}, "WordAtCursorLength", Result::Word, 5},
      {"GetSelStart", 33, 0, 0, {}, "SelStart", Result::Word, 99},
      {"SetSelStart", 34, 12, 0, {}, "SetSelStart 12"},

      // 49-50: the 24-byte record.
      {"GetFont", 49, Word(&font), 0, {}, "Font", Result::None, 0, {},
       [](RecordingHost&) { std::memset(&font, 0xEE, sizeof font); },
       [](const ForeignCall&) -> std::string {
         const auto* b = reinterpret_cast<const unsigned char*>(&font);
         std::int32_t size, charset, height;
         const char *name, *color;
         std::memcpy(&name, b + 0, 4);
         std::memcpy(&size, b + 4, 4);
         std::memcpy(&charset, b + 8, 4);
         std::memcpy(&color, b + 12, 4);
         std::memcpy(&height, b + 16, 4);
         bool ok = std::string(name) == "Courier New" && size == 12 && charset == 204 &&
                   std::string(color) == "$00FF80" && height == -16 && b[20] == 1 && b[21] == 0 &&
                   b[22] == 1 && b[23] == 0;
         return ok ? "" : "record filled wrong";
       }},
      {"SetFont", 50, Word(&given), 0, {}, "SetFont 'Arial' 10 204 '$FF0000' -13 0101", Result::None, 0, {},
       [](RecordingHost&) { given = TPlugInFont{"Arial", 10, 204, "$FF0000", -13, 0, 1, 0, 1}; }},
      {"SetFont(null)", 50, 0, 0, {}, ""},

      // 51-58
      {"ReloadSettings", 51, 0, 0, {}, "ReloadSettings"},
      {"BeginTextUpdate", 52, 0, 0, {}, "BeginTextUpdate"},
      {"EndTextUpdate", 53, 0, 0, {}, "EndTextUpdate"},
      {"ReloadBookmarks", 54, 0, 0, {}, "ReloadBookmarks", Result::Word, 0},
      {"GetBackgroundColor", 55, 0, 0, {}, "BackgroundColor", Result::Text, 0, "FFFFFF"},
      {"SetBackgroundColor", 56, Word(kColor), 0, {}, "SetBackgroundColor '$FF8000'"},
      {"GetToolBarWindow", 57, 0, 0, {}, "ToolBarWindow", Result::Word, 0x2345},
      {"GetStatusBarWindow", 58, 0, 0, {}, "StatusBarWindow", Result::Word, 0x3456},

      // A host method that throws: the plug-in gets the neutral result.
      {"GetDocumentText(host throws)", 5, 0, 0, {}, "Failed GetDocumentText boom", Result::Text, 0, "",
       [](RecordingHost& h) { h.throwNext = true; }},
      {"GetTextLength(host throws)", 27, 0, 0, {}, "Failed GetTextLength boom", Result::Word, 0,
       {}, [](RecordingHost& h) { h.throwNext = true; }},
      {"AddMenuItem(host throws)", 9, 0, 0, {0, 0, 0, Word(-5)}, "Failed AddMenuItem boom", Result::Word,
       Word(-1), {}, [](RecordingHost& h) { h.throwNext = true; }},
  };

  // 35-48: Handle in EDX, Proc in ECX; events in the order of PluginEvent.
  const char* events[] = {"KeyDown", "KeyUp", "KeyPress", "Change", "FileOpen", "FileClose", "FileSave"};
  for (int e = 0; e < 7; ++e) {
    const std::string n = std::to_string(e);
    cases.push_back({std::string("Set") + events[e] + "Proc", 35 + 2 * e, 0x10000000, 0x20000040, {},
                     "SetCallback 0x10000000 " + n + " 0x20000040"});
    cases.push_back({std::string("Get") + events[e] + "Proc", 36 + 2 * e, 0x10000000, 0, {},
                     "Callback 0x10000000 " + n, Result::Word,
                     0x10000000u + 0x100u * static_cast<std::uint32_t>(e + 1)});
  }
  return cases;
}

std::string Check(const Case& c, const ForeignCall& call, const RecordingHost& host) {
  if (call.espDelta != 0) return "ESP moved by " + std::to_string(call.espDelta);
  if (!call.savedOk) return "EBX, ESI or EDI not preserved";
  if (host.log != c.log) return "host saw [" + host.log + "], expected [" + c.log + "]";
  switch (c.result) {
    case Result::None: break;
    case Result::Word:
      if (call.eax != c.word) return "EAX " + Hex(call.eax) + ", expected " + Hex(c.word);
      break;
    case Result::Bool:
      if ((call.eax & 0xFF) != c.word) return "AL " + Hex(call.eax & 0xFF) + ", expected " + Hex(c.word);
      break;
    case Result::Null:
      if (call.eax != 0) return "EAX " + Hex(call.eax) + ", expected null";
      break;
    case Result::Text:
      if (call.eax == 0) return "EAX null, expected text";
      if (TextAt(call.eax, c.text.size() + 1) != c.text + '\0') return "text differs";
      break;
  }
  return c.check ? c.check(call) : "";
}

void SlotsAsRegisterConventionCallerSeesThem() {
  const std::uint32_t misalignments[] = {0, 4, 8, 12};
  for (std::uint32_t misalign : misalignments) {
    RecordingHost host;
    HostTable table(host);
    int slotsSeen[59] = {};
    for (const Case& c : SlotCases(table)) {
      host.Clear();
      if (c.before) c.before(host);
      ForeignCall call{};
      call.self = table.Interface();
      call.slot = static_cast<std::uint32_t>(c.slot);
      call.edx = c.edx;
      call.ecx = c.ecx;
      call.nstack = static_cast<std::uint32_t>(c.stack.size());
      std::copy(c.stack.begin(), c.stack.end(), call.stack);
      call.misalign = misalign;
      const std::string name = c.name + " (ESP 16n-" + std::to_string(misalign) + ")";
      if (Survives([&] { quillo_foreign_call(&call); })) {
        Report(name, Check(c, call, host));
      } else {
        Report(name, "crashed");
      }
      host.fileName = RecordingHost().fileName;
      ++slotsSeen[c.slot];
    }
    for (int slot = 0; slot < 59; ++slot) {
      Report("slot " + std::to_string(slot) + " exercised", slotsSeen[slot] ? "" : "no case");
    }
  }
}

// The SDK's own helper for slot 9 reorders the arguments for the register
// convention; a C++ plug-in calls it with the arguments in their natural order.
void SdkMenuHelperPassesNaturalOrder() {
  RecordingHost host;
  HostTable table(host);
  std::int32_t index = table.Interface()->AddMenuItem(reinterpret_cast<QuilloMenuProc>(0xCB000001), 0xDA7A0002,
                                                      kCaption, reinterpret_cast<QuilloIcon>(0x1C0),
                                                      kShortCut, QUILLO_MENU_PLUGINS);
  std::string expected = "AddMenuItem cb=0xcb000001 data=0xda7a0002 caption='" + std::string(kCaption) +
                         "' icon=0x1c0 shortcut='Ctrl+Shift+F5' parent=-5";
  Report("Quillo_AddMenuItem from C++",
         index == 7 && host.log == expected ? "" : "host saw [" + host.log + "]");
}

// Host side: the callback calls of plugin_calls.h against hand-written
// stdcall callees, which pop their own arguments.
struct HostCall {
  const char* name;
  void (*invoke)(void*);
  std::vector<std::uint32_t> expected;  // argument words, left to right
};

IQuillo* const kHost = reinterpret_cast<IQuillo*>(0x0B0B0B0);

void HostCallsAreStdcall() {
  const std::vector<HostCall> calls = {
      {"Execute", [](void*) { CallExecute(reinterpret_cast<CallbackAddress>(&quillo_stdcall_probe1), kHost); },
       {0x0B0B0B0}},
      {"KeyDownProc", [](void*) {
         CallKeyProc(reinterpret_cast<CallbackAddress>(&quillo_stdcall_probe3), kHost, 0x1B, QUILLO_CTRL | QUILLO_ALT);
       },
       {0x0B0B0B0, 0x1B, 6}},
      {"KeyPressProc", [](void*) {
         CallKeyPressProc(reinterpret_cast<CallbackAddress>(&quillo_stdcall_probe2), kHost, '\xE9');
       },
       {0x0B0B0B0, 0xE9}},
      {"ChangeProc", [](void*) { CallNotifyProc(reinterpret_cast<CallbackAddress>(&quillo_stdcall_probe1), kHost); },
       {0x0B0B0B0}},
      {"FileOpenProc", [](void*) {
         CallFileProc(reinterpret_cast<CallbackAddress>(&quillo_stdcall_probe2), kHost, kPath);
       },
       {0x0B0B0B0, Word(kPath)}},
      {"menu item callback", [](void*) {
         CallMenuProc(reinterpret_cast<CallbackAddress>(&quillo_stdcall_probe3), 7, kHost, QUILLO_SHIFT);
       },
       {7, 0x0B0B0B0, 1}},
  };
  for (const HostCall& c : calls) {
    std::memset(quillo_probe_args, 0xCC, sizeof quillo_probe_args);
    quillo_probe_count = 0;
    int delta = 0;
    bool survived = Survives([&] { delta = quillo_measure_call(c.invoke, nullptr); });
    std::vector<std::uint32_t> seen(quillo_probe_args, quillo_probe_args + quillo_probe_count);
    std::string problem;
    if (!survived) problem = "crashed";
    else if (delta != 0) problem = "ESP moved by " + std::to_string(delta);
    else if (seen != c.expected) problem = "callee saw other arguments";
    Report(std::string("host calls ") + c.name, problem);
  }
}

// Plug-in side: callbacks written against the SDK's types, called as the
// host (or any stdcall caller) calls them, with garbage above small values.
struct Seen {
  IQuillo* host;
  std::uint32_t a, b;
} lastCallback;

void QUILLO_STDCALL PluginKeyDown(IQuillo* host, std::uint16_t key, std::uint8_t shift) { lastCallback = {host, key, shift}; }
void QUILLO_STDCALL PluginMenu(std::int32_t index, IQuillo* host, std::uint8_t shift) {
  lastCallback = {host, static_cast<std::uint32_t>(index), shift};
}
void QUILLO_STDCALL PluginExecute(IQuillo* host) { lastCallback = {host, 0, 0}; }

void SdkCallbacksReadStdcallArguments() {
  struct {
    const char* name;
    const void* fn;
    std::vector<std::uint32_t> pushed;  // right to left
    Seen expected;
  } cases[] = {
      {"QuilloKeyProc", reinterpret_cast<const void*>(&PluginKeyDown), {0xFFFFFF06, 0xABCD0041, 0x0B0B0B0},
       {kHost, 0x41, 6}},
      {"QuilloMenuProc", reinterpret_cast<const void*>(&PluginMenu), {0x12345602, 0x0B0B0B0, 9}, {kHost, 9, 2}},
      {"QuilloExecuteProc", reinterpret_cast<const void*>(&PluginExecute), {0x0B0B0B0}, {kHost, 0, 0}},
  };
  for (const auto& c : cases) {
    const void* table[1] = {c.fn};
    const void* object = table;
    ForeignCall call{};
    call.self = &object;
    call.nstack = static_cast<std::uint32_t>(c.pushed.size());
    std::copy(c.pushed.begin(), c.pushed.end(), call.stack);
    call.misalign = 4;
    lastCallback = {};
    bool survived = Survives([&] { quillo_foreign_call(&call); });
    std::string problem;
    if (!survived) problem = "crashed";
    else if (call.espDelta != 0) problem = "ESP moved by " + std::to_string(call.espDelta);
    else if (lastCallback.host != c.expected.host || lastCallback.a != c.expected.a ||
             lastCallback.b != c.expected.b)
      problem = "arguments read wrong";
    Report(std::string("plug-in ") + c.name + " is stdcall", problem);
  }
}

}  // namespace
}  // namespace quillo

int main() {
  quillo::CatchCrashes();
  quillo::SlotsAsRegisterConventionCallerSeesThem();
  quillo::SdkMenuHelperPassesNaturalOrder();
  quillo::HostCallsAreStdcall();
  quillo::SdkCallbacksReadStdcallArguments();
  std::printf("abi (i386): %d passed, %d failed\n", quillo::passed, quillo::failed);
  return quillo::failed == 0 ? 0 : 1;
}

#include "tests/e2e/harness.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "core/win1251.h"

namespace quillo::e2e {
namespace {

std::wstring EnvVar(const wchar_t* name) {
  wchar_t buf[4096];
  DWORD n = GetEnvironmentVariableW(name, buf, 4096);
  return n > 0 && n < 4096 ? std::wstring(buf, n) : std::wstring();
}

std::wstring SourceExe() {
  std::wstring exe = EnvVar(L"QUILLO_EXE");
  if (!exe.empty()) return exe;
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring p = self;
  return p.substr(0, p.find_last_of(L'\\')) + L"\\quillo.exe";
}

std::wstring ClassOf(HWND h) {
  wchar_t cls[256] = {};
  GetClassNameW(h, cls, 256);
  return cls;
}

// A window's text; `busyWait` waits for a busy program instead of taking it
// for a hung one (Wine counts a thread that has just answered a long message
// as hung until it reads its queue again).
std::wstring TextOf(HWND h, bool busyWait = false) {
  const UINT flags = busyWait ? SMTO_NORMAL : SMTO_ABORTIFHUNG;
  LRESULT n = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, flags, busyWait ? 30000 : 5000,
                           reinterpret_cast<PDWORD_PTR>(&n)))
    return {};
  std::vector<wchar_t> buf(static_cast<size_t>(n) + 2);
  LRESULT got = 0;
  SendMessageTimeoutW(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), flags,
                      busyWait ? 30000 : 20000, reinterpret_cast<PDWORD_PTR>(&got));
  return std::wstring(buf.data(), static_cast<size_t>(got));
}

struct WindowQuery {
  DWORD pid;  // 0: any process
  std::wstring cls;
  std::wstring caption;  // empty: any
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND h, LPARAM lp) {
  auto* q = reinterpret_cast<WindowQuery*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (q->pid && pid != q->pid) return TRUE;
  if (ClassOf(h) != q->cls) return TRUE;
  if (q->visibleOnly && !IsWindowVisible(h)) return TRUE;
  if (!q->caption.empty() && TextOf(h) != q->caption) return TRUE;
  q->found.push_back(h);
  return TRUE;
}

void DeleteTree(const std::wstring& folder) {
  std::wstring from = folder + L'\0';
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD pid, const std::wstring& cls, bool visibleOnly,
                                    const std::wstring& caption) {
  WindowQuery q{pid, cls, caption, visibleOnly, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

// What Explorer hands a window when files are dropped on it: a DROPFILES
// block, here written into the target's own memory.
void DropFiles(Quillo& q, const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names += L'\0';
  std::vector<char> block(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* header = reinterpret_cast<DROPFILES*>(block.data());
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  memcpy(block.data() + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, q.Pid());
  ASSERT_NE(process, nullptr);
  void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ASSERT_NE(remote, nullptr);
  ASSERT_TRUE(WriteProcessMemory(process, remote, block.data(), block.size(), nullptr));
  CloseHandle(process);
  q.Post(WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

void RunXdotool(const std::wstring& args) {
  std::wstring cmd = L"/usr/bin/xdotool " + args;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi))
      << "xdotool could not be started";
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

std::wstring W(std::string_view utf8) {
  std::u16string s = Utf8ToUtf16(utf8);
  return std::wstring(s.begin(), s.end());
}

std::string U8(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::string Cp1251(std::string_view utf8) { return Utf8ToWin1251(utf8); }

// ---- Scratch ----

Scratch::Scratch(std::string_view name) {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring root = std::wstring(temp) + L"quillo-e2e";
  CreateDirectoryW(root.c_str(), nullptr);
  folder_ = root + L"\\" + W(name) + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
  DeleteTree(folder_);
  EXPECT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr)) << U8(folder_);
  CreateDirectoryW(Path(L"PlugIns").c_str(), nullptr);
  EXPECT_TRUE(CopyFileW(SourceExe().c_str(), Exe().c_str(), FALSE))
      << "cannot copy " << U8(SourceExe());
}

Scratch::~Scratch() { DeleteTree(folder_); }

void Scratch::WriteFile(std::wstring_view name, std::string_view bytes) const {
  HANDLE f = CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE) << U8(Path(name));
  DWORD put = 0;
  ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
  CloseHandle(f);
}

std::string Scratch::ReadFile(std::wstring_view name) const {
  HANDLE f = CreateFileW(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(f, nullptr), '\0');
  DWORD got = 0;
  ::ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(f);
  bytes.resize(got);
  return bytes;
}

bool Scratch::Exists(std::wstring_view name) const {
  return GetFileAttributesW(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// ---- Quillo ----

Quillo::Quillo(const Scratch& scratch, std::wstring_view arguments)
    : Quillo(scratch.Exe(), arguments, scratch.Folder()) {}

Quillo::Quillo(const std::wstring& exe, std::wstring_view arguments, const std::wstring& folder) {
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!arguments.empty()) cmd += L" " + std::wstring(arguments);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  BOOL ok = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.c_str(), &si, &pi_);
  EXPECT_TRUE(ok) << "cannot start " << U8(cmd);
  pid_ = ok ? pi_.dwProcessId : 0;
  if (ok) WaitForInputIdle(pi_.hProcess, 10000);
}

Quillo::~Quillo() {
  if (pi_.hProcess) {
    if (Running()) {
      TerminateProcess(pi_.hProcess, 99);
      WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
}

bool Quillo::Running() const {
  return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Quillo::WaitForExit(Duration timeout) {
  return pi_.hProcess &&
         WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD Quillo::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}

HWND Quillo::FindMainWindow(Duration timeout) {
  if (main_ && IsWindow(main_)) return main_;
  WaitUntil([&] {
    auto found = TopLevelWindowsOf(pid_, L"TQuilloMainForm");
    if (!found.empty()) main_ = found.front();
    return main_ != nullptr || !Running();
  }, timeout);
  return main_;
}

HWND Quillo::MainWindow(Duration timeout) {
  HWND h = FindMainWindow(timeout);
  EXPECT_NE(h, nullptr) << "no main window appeared";
  return h;
}

HWND Quillo::Editor() {
  HWND main = MainWindow();
  return main ? FindWindowExW(main, nullptr, L"RichEdit20W", nullptr) : nullptr;
}

std::wstring Quillo::Caption() { return TextOf(MainWindow()); }

std::string Quillo::Text() {
  std::wstring text = TextOf(Editor(), true);
  return Utf16ToWin1251(std::u16string(text.begin(), text.end()));
}

std::pair<int, int> Quillo::Selection() {
  // The packed result holds indexes below 65536, enough for test documents.
  LRESULT r = SendMessageW(Editor(), EM_GETSEL, 0, 0);
  return {static_cast<int>(LOWORD(r)), static_cast<int>(HIWORD(r))};
}

void Quillo::Select(int start, int end) { SendMessageW(Editor(), EM_SETSEL, start, end); }

LRESULT Quillo::Send(UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR r = 0;
  SendMessageTimeoutW(MainWindow(), msg, wp, lp, SMTO_NORMAL, 60000, &r);
  return static_cast<LRESULT>(r);
}

void Quillo::Post(UINT msg, WPARAM wp, LPARAM lp) { PostMessageW(MainWindow(), msg, wp, lp); }

void Quillo::Keys(std::string_view keys) {
  HWND main = MainWindow();
  SetForegroundWindow(main);
  WaitUntil([&] { return GetForegroundWindow() == main; }, 3s);
  RunXdotool(L"key --delay 40 " + W(keys));
  // Let the program handle what was typed.
  Sleep(150);
  Send(WM_NULL);
}

void Quillo::Type(std::string_view utf8) {
  HWND main = MainWindow();
  SetForegroundWindow(main);
  WaitUntil([&] { return GetForegroundWindow() == main; }, 3s);
  // Keys typed into the editor: under load they reach the program late, and a
  // message sent after them would overtake them. Wait until the text has
  // changed and stays so (a plug-in may also swallow them: then time out).
  GUITHREADINFO focus{};
  focus.cbSize = sizeof(focus);
  HWND editor = Editor();
  const bool intoEditor = editor && GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &focus) &&
                          focus.hwndFocus == editor && GetWindowTextLengthW(editor) < 100000;
  const std::wstring before = intoEditor ? TextOf(editor, true) : std::wstring();
  RunXdotool(L"type --delay 40 \"" + W(utf8) + L"\"");
  if (intoEditor && WaitUntil([&] { return TextOf(editor, true) != before; }, 2s)) {
    for (std::wstring seen = TextOf(editor, true);;) {
      Sleep(100);
      std::wstring now = TextOf(editor, true);
      if (now == seen) break;
      seen = std::move(now);
    }
  }
  Sleep(150);
  Send(WM_NULL);
}

void Quillo::Click(HWND window, int x, int y, int button) {
  POINT pt{x, y};
  ClientToScreen(window, &pt);
  SetForegroundWindow(MainWindow());
  RunXdotool(L"mousemove --sync " + std::to_wstring(pt.x) + L" " + std::to_wstring(pt.y) +
             L" click " + std::to_wstring(button));
  Sleep(150);
  Send(WM_NULL);
}

void Quillo::DoubleClick(HWND window, int x, int y) {
  POINT pt{x, y};
  ClientToScreen(window, &pt);
  SetForegroundWindow(MainWindow());
  RunXdotool(L"mousemove --sync " + std::to_wstring(pt.x) + L" " + std::to_wstring(pt.y) +
             L" click --repeat 2 --delay 60 1");
  Sleep(150);
  Send(WM_NULL);
}

HWND Quillo::StatusBar() {
  HWND main = MainWindow();
  return main ? FindWindowExW(main, nullptr, L"msctls_statusbar32", nullptr) : nullptr;
}

// A message whose lParam points to memory: the buffer is made in the
// program's process and read back from there.
namespace {
std::vector<char> SendWithRemoteBuffer(HANDLE process, HWND target, UINT msg, WPARAM wp,
                                       size_t size) {
  std::vector<char> local(size);
  void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(target, msg, wp, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000,
                      &result);
  SIZE_T got = 0;
  ReadProcessMemory(process, remote, local.data(), size, &got);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  local.resize(got);
  return local;
}
}  // namespace

std::wstring Quillo::StatusText(int panel) {
  HWND bar = StatusBar();
  if (!bar) return L"<no status bar>";
  DWORD_PTR length = 0;
  SendMessageTimeoutW(bar, SB_GETTEXTLENGTHW, panel, 0, SMTO_NORMAL, 10000, &length);
  const size_t chars = LOWORD(length) + 1u;
  std::vector<char> bytes =
      SendWithRemoteBuffer(pi_.hProcess, bar, SB_GETTEXTW, panel, chars * sizeof(wchar_t));
  if (bytes.size() < chars * sizeof(wchar_t)) return L"<unreadable>";
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), chars - 1);
}

std::wstring Quillo::StatusTextWhen(int panel, const std::wstring& want, Duration timeout) {
  WaitUntil([&] { return StatusText(panel) == want; }, timeout);
  return StatusText(panel);
}

RECT Quillo::StatusPanelRect(int panel) {
  RECT rc{};
  HWND bar = StatusBar();
  if (!bar) return rc;
  std::vector<char> bytes = SendWithRemoteBuffer(pi_.hProcess, bar, SB_GETRECT, panel, sizeof(rc));
  if (bytes.size() == sizeof(rc)) memcpy(&rc, bytes.data(), sizeof(rc));
  return rc;
}

HWND Quillo::WaitForMessageBox(std::string_view caption, Duration timeout) {
  HWND box = nullptr;
  std::wstring wanted = W(caption);
  WaitUntil([&] {
    auto found = TopLevelWindowsOf(pid_, L"#32770", true, wanted);
    if (!found.empty()) box = found.front();
    return box != nullptr || !Running();
  }, timeout);
  return box;
}

std::wstring Quillo::MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? TextOf(text) : std::wstring();
}

void Quillo::Press(HWND box, int buttonId) { PostMessageW(box, WM_COMMAND, buttonId, 0); }

std::vector<HWND> Quillo::VisibleMainWindows() {
  return TopLevelWindowsOf(pid_, L"TQuilloMainForm");
}

void Quillo::Kill() {
  if (!Running()) return;
  TerminateProcess(pi_.hProcess, 98);
  WaitForSingleObject(pi_.hProcess, 5000);
}

std::vector<HWND> AllVisibleMainWindows() { return TopLevelWindowsOf(0, L"TQuilloMainForm"); }

std::vector<HWND> OtherMainWindows(const Quillo& q) {
  std::vector<HWND> others;
  for (HWND h : AllVisibleMainWindows()) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != q.Pid()) others.push_back(h);
  }
  return others;
}

void CloseWindowsOf(const std::vector<HWND>& windows) {
  for (HWND h : windows) PostMessageW(h, WM_CLOSE, 0, 0);
  for (HWND h : windows) WaitUntil([&] { return !IsWindow(h); }, 10s);
}

void SetClipboardText(std::string_view utf8) {
  std::wstring text = W(utf8);
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
}

std::string ClipboardText() {
  std::string result;
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      result = U8(p);
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return result;
}

std::wstring StandInExe() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\')) + L"\\quillo_command_line_standin.exe";
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

bool ExitAsked(Quillo& q) {
  // A box that was answered may still be on screen for a while under Wine:
  // only a box that came after the close is a question.
  const std::vector<HWND> before = TopLevelWindowsOf(q.Pid(), L"#32770", true, W("Внимание"));
  q.Post(WM_CLOSE);
  bool asked = false;
  WaitUntil([&] {
    for (HWND box : TopLevelWindowsOf(q.Pid(), L"#32770", true, W("Внимание"))) {
      if (std::find(before.begin(), before.end(), box) != before.end()) continue;
      asked = true;
      Quillo::Press(box, IDNO);
    }
    return !q.Running();
  });
  return asked;
}

void EscapeAndDiscard(Quillo& q) {
  q.Keys("Escape");
  if (HWND box = q.WaitForMessageBox("Внимание", 3s)) Quillo::Press(box, IDNO);
  EXPECT_TRUE(q.WaitForExit());
}

}  // namespace quillo::e2e

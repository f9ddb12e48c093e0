// Time to open a 4 MB DOS-866 file: the program from its start until the
// converted text is in its window, a bare stream-in of the same text into a
// rich-edit control (the floor under Wine), and Wine's notepad.exe. A
// measurement, not a check: run it with --gtest_also_run_disabled_tests.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "core/codepage.h"
#include "core/win1251.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

struct StreamSource {
  const char* data;
  size_t size;
  size_t done;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG want, LONG* got) {
  auto* s = reinterpret_cast<StreamSource*>(cookie);
  size_t n = std::min(static_cast<size_t>(want), s->size - s->done);
  memcpy(buffer, s->data + s->done, n);
  s->done += n;
  *got = static_cast<LONG>(n);
  return 0;
}

// The floor: the converted text streamed into a fresh control in one go.
double BareStreamIn(const std::string& win1251) {
  LoadLibraryW(L"riched20.dll");
  std::u16string wide = Win1251ToUtf16(win1251);
  HWND parent = CreateWindowW(L"STATIC", L"floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                              600, nullptr, nullptr, nullptr, nullptr);
  auto start = Clock::now();
  HWND edit = CreateWindowExW(0, RICHEDIT_CLASSW, L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0, 800, 600,
                              parent, nullptr, nullptr, nullptr);
  SendMessageW(edit, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  SendMessageW(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  StreamSource src{reinterpret_cast<const char*>(wide.data()), wide.size() * 2, 0};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&src), 0, ReadChunk};
  SendMessageW(edit, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&es));
  UpdateWindow(edit);
  double s = Seconds(start);
  DestroyWindow(parent);
  return s;
}

// From the start of a process until a child window of the given class in
// its main window holds at least `chars` characters.
double ShowTime(const std::wstring& commandLine, const wchar_t* topClass, const wchar_t* editClass,
                int chars, DWORD* pidOut) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = commandLine;
  auto start = Clock::now();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return -1;
  CloseHandle(pi.hThread);
  *pidOut = pi.dwProcessId;
  bool shown = WaitUntil([&] {
    HWND top = FindWindowW(topClass, nullptr);
    if (!top) return false;
    HWND edit = FindWindowExW(top, nullptr, editClass, nullptr);
    if (!edit) return false;
    LRESULT n = 0;
    SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000,
                        reinterpret_cast<PDWORD_PTR>(&n));
    return n >= chars;
  }, std::chrono::minutes(3));
  double s = shown ? Seconds(start) : -1;
  CloseHandle(pi.hProcess);
  return s;
}

void EndProcess(DWORD pid) {
  HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!h) return;
  TerminateProcess(h, 0);
  WaitForSingleObject(h, 5000);
  CloseHandle(h);
}

TEST(OpenTiming, DISABLED_FourMegabyteDosFile) {
  std::string line = ConvertFromWin(
      Utf8ToWin1251("│ Строка текста в кодировке DOS-866 для проверки скорости открытия. │\r\n"),
      cpDOS);
  std::string dos;
  while (dos.size() < 4 * 1024 * 1024) dos += line;
  std::string win = ConvertToWin(dos, cpDOS);
  int lines = static_cast<int>(dos.size() / line.size());
  int controlChars = static_cast<int>(dos.size()) - lines;  // one character per line break

  Scratch scratch("open-timing");
  scratch.WriteFile(L"big.txt", dos);
  std::wstring file = L"\"" + scratch.Path(L"big.txt") + L"\"";

  double floor = BareStreamIn(win);
  DWORD pid = 0;
  double quillo =
      ShowTime(L"\"" + scratch.Exe() + L"\" " + file, L"TQuilloMainForm", L"RichEdit20W", controlChars, &pid);
  {
    // The text arrived converted.
    HWND main = FindWindowW(L"TQuilloMainForm", nullptr);
    HWND edit = main ? FindWindowExW(main, nullptr, L"RichEdit20W", nullptr) : nullptr;
    wchar_t head[8] = {};
    if (edit) SendMessageW(edit, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(head));
    // The frame "│" has no Windows-1251 equivalent and shows as "¦".
    EXPECT_EQ(std::wstring(head).substr(2), W("Строк"));
  }
  EndProcess(pid);
  double notepad = ShowTime(L"notepad.exe " + file, L"Notepad", L"Edit", controlChars, &pid);
  EndProcess(pid);

  std::printf("file: %zu bytes DOS-866\n", dos.size());
  std::printf("bare stream-in:     %7.2f s\n", floor);
  std::printf("quillo.exe:         %7.2f s  (%.2f x the stream-in)\n", quillo, quillo / floor);
  std::printf("notepad.exe (Wine): %7.2f s  (%.2f x quillo)\n", notepad, notepad / quillo);
  RecordProperty("bare_stream_in_ms", static_cast<int>(floor * 1000));
  RecordProperty("quillo_ms", static_cast<int>(quillo * 1000));
  RecordProperty("notepad_ms", static_cast<int>(notepad * 1000));
}

}  // namespace
}  // namespace quillo::e2e

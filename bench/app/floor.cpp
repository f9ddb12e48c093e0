#include "bench/app/floor.h"

#include <psapi.h>
#include <richedit.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/win1251.h"
#include "tests/e2e/bare_control.h"

namespace quillo::bench {
namespace {

using Clock = std::chrono::steady_clock;

const wchar_t* WrapArg(FloorWrap wrap) {
  switch (wrap) {
    case FloorWrap::kOff: return L"off";
    case FloorWrap::kInStream: return L"on";
    case FloorWrap::kAfter: return L"after";
  }
  return L"on";
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::u16string Decoded(const std::string& bytes, UINT codePage) {
  if (codePage == 1251 || bytes.empty()) return Win1251ToUtf16(bytes);
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string wide(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                      reinterpret_cast<wchar_t*>(wide.data()), n);
  return wide;
}

std::wstring SelfExe() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return self;
}

// Runs this program again as `--floor <out> <args>` and gives back what the
// child wrote into <out>, or "" when it did not finish within the limit.
std::string RunChild(const std::wstring& args, DWORD limitMs) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring out =
      std::wstring(temp) + L"quillo-floor-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  DeleteFileW(out.c_str());
  std::wstring cmd = L"\"" + SelfExe() + L"\" --floor \"" + out + L"\" " + args;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return {};
  if (WaitForSingleObject(pi.hProcess, limitMs) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::string written = ReadBytes(out);
  DeleteFileW(out.c_str());
  return written;
}

std::wstring SizeArgs(SIZE size) { return std::to_wstring(size.cx) + L" " + std::to_wstring(size.cy); }

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

}  // namespace

double PeakMegabytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof(pmc);
  if (!GetProcessMemoryInfo(process, &pmc, sizeof(pmc))) return -1;
  return static_cast<double>(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

Measure MeasureFloor(const std::wstring& file, unsigned codePage, FloorWrap wrap, SIZE size, DWORD limitMs) {
  std::istringstream in(RunChild(L"\"" + file + L"\" " + WrapArg(wrap) + L" " + SizeArgs(size) + L" " +
                                     std::to_wstring(codePage), limitMs));
  Measure m;
  in >> m.seconds >> m.peakMB;
  return in ? m : Measure{};
}

EditFloor MeasureEditFloor(const std::wstring& file, const std::wstring& insertFile, SIZE size, DWORD limitMs) {
  std::istringstream in(RunChild(L"\"" + file + L"\" edit " + SizeArgs(size) + L" 1251 \"" + insertFile + L"\"",
                                 limitMs));
  EditFloor f;
  in >> f.insert.seconds >> f.undo.seconds >> f.insert.peakMB >> f.rows;
  if (!in) return {};
  f.undo.peakMB = f.insert.peakMB;
  return f;
}

// <out> <file> <on|off|after|edit> <width> <height> <code page> [<text to put in>]
int RunFloorChild(int argc, wchar_t** args) {
  if (argc < 6) return 2;
  const std::wstring out = args[0];
  const std::wstring file = args[1];
  const std::wstring mode = args[2];
  const int width = _wtoi(args[3]);
  const int height = _wtoi(args[4]);
  const auto codePage = static_cast<UINT>(_wtoi(args[5]));
  const bool edit = mode == L"edit";
  if (edit && argc < 7) return 2;
  const FloorWrap wrap = mode == L"off" ? FloorWrap::kOff
                         : mode == L"after" ? FloorWrap::kAfter
                                            : FloorWrap::kInStream;

  const std::u16string wide = Decoded(ReadBytes(file), codePage);
  LoadLibraryW(L"riched20.dll");
  HWND parent = CreateWindowExW(0, L"STATIC", L"floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                width + 40, height + 80, nullptr, nullptr, nullptr, nullptr);
  // The editor's window styles; without wrap it has the horizontal bar too.
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                ES_NOHIDESEL | ES_WANTRETURN;
  if (wrap == FloorWrap::kOff) style |= WS_HSCROLL | ES_AUTOHSCROLL;

  const auto start = Clock::now();
  HWND control = e2e::CreateBareControl(parent, style, SIZE{width, height}, wrap == FloorWrap::kInStream);
  e2e::StreamIntoBareControl(control, wide);
  UpdateWindow(control);
  if (wrap == FloorWrap::kAfter) {
    SendMessageW(control, EM_SETTARGETDEVICE, 0, 0);
    UpdateWindow(control);
  }
  const double seconds = Seconds(start);
  const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);

  FILE* f = _wfopen(out.c_str(), L"w");
  if (!f) return 3;
  if (edit) {
    // The editor's row selects half of WM_GETTEXTLENGTH and pastes there.
    const std::u16string insert = Win1251ToUtf16(ReadBytes(args[6]));
    const LRESULT rows = SendMessageW(control, EM_GETLINECOUNT, 0, 0);
    SendMessageW(control, EM_SETSEL, length / 2, length / 2);
    const auto putFrom = Clock::now();
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(insert.c_str()));
    UpdateWindow(control);
    const double put = Seconds(putFrom);
    const bool grew = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0) > length;
    const auto undoFrom = Clock::now();
    SendMessageW(control, EM_UNDO, 0, 0);
    UpdateWindow(control);
    const double undo = Seconds(undoFrom);
    const bool back = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0) == length;
    std::fprintf(f, "%.3f %.3f %.1f %ld\n", grew ? put : -1.0, back ? undo : -1.0, PeakMegabytes(GetCurrentProcess()),
                 static_cast<long>(rows));
  } else {
    std::fprintf(f, "%.3f %.1f\n", length > 0 ? seconds : -1.0, PeakMegabytes(GetCurrentProcess()));
  }
  std::fclose(f);
  return 0;  // the process's end takes the windows; destroying them is not measured
}

}  // namespace quillo::bench

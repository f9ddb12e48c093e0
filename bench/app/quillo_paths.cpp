#include "bench/app/quillo_paths.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/menu_layout.h"
#include "tests/e2e/file_dialog_driver.h"
#include "tests/e2e/panel_driver.h"

namespace quillo::bench {
namespace {

using Clock = std::chrono::steady_clock;
using e2e::WaitUntil;

std::chrono::seconds rowLimit{120};
constexpr DWORD kChoosingMs = 2000;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

DWORD LimitMs() { return static_cast<DWORD>(rowLimit.count() * 1000); }

// What is left of a row's time; every message sent to a busy program waits
// no longer than that.
DWORD LeftMs(Clock::time_point start) {
  const auto left = rowLimit - (Clock::now() - start);
  return left.count() > 0
             ? static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(left).count()) + 1
             : 1;
}

bool Answers(HWND window, DWORD timeoutMs) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &r) != 0;
}

LRESULT TextLength(HWND window, DWORD timeoutMs) {
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeoutMs, &n)) return -1;
  return static_cast<LRESULT>(n);
}

double PeakOf(DWORD pid) {
  HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!h) return -1;
  const double mb = PeakMegabytes(h);
  CloseHandle(h);
  return mb;
}

std::string SettingsFor(bool wordWrap) {
  return std::string("[Options]\r\nWordWrap=") + (wordWrap ? "1" : "0") + "\r\n";
}

}  // namespace

void SetRowLimit(std::chrono::seconds limit) { rowLimit = limit; }
std::chrono::seconds RowLimit() { return rowLimit; }

int EditorLength(const std::string& text) { return static_cast<int>(text.size()); }

QuilloRun::QuilloRun(const e2e::Scratch& scratch, bool wordWrap, const std::wstring& file,
                     int expectedLength) {
  scratch.WriteSettings(SettingsFor(wordWrap));
  const auto start = Clock::now();
  q_ = std::make_unique<e2e::Quillo>(scratch, file.empty() ? L"" : e2e::Quoted(file));
  if (!q_->FindMainWindow(rowLimit)) {
    opening_.note = "no window";
    return;
  }
  // The first screen counts from the window's appearing: a process's own
  // start under Wine is not the editor's.
  const auto shown = Clock::now();
  opening_ = Wait(start, file.empty() ? 0 : expectedLength, !file.empty(), shown);
  if (!file.empty()) {
    char note[48];
    std::snprintf(note, sizeof note, "window after %.2f s", std::chrono::duration<double>(shown - start).count());
    opening_.note += (opening_.note.empty() ? "" : "; ") + std::string(note);
  }
  ready_ = opening_.ok();
}

QuilloMeasure QuilloRun::Wait(Clock::time_point start, int expectedLength, bool opening,
                              std::optional<Clock::time_point> screenFrom) {
  QuilloMeasure m;
  HWND main = q_->FindMainWindow(std::chrono::milliseconds(0));
  LRESULT last = -1;
  const bool done = WaitUntil([&] {
    HWND editor = FindWindowExW(main, nullptr, L"RichEdit20W", nullptr);
    if (!editor) return false;
    last = TextLength(editor, LeftMs(start));
    if (opening && last > 0 && m.firstScreen < 0) m.firstScreen = Since(screenFrom.value_or(start));
    if (last != expectedLength) return false;
    if (GetWindowLongW(editor, GWL_STYLE) & ES_READONLY) return false;
    return Answers(main, LeftMs(start));
  }, std::chrono::duration_cast<std::chrono::milliseconds>(rowLimit - (Clock::now() - start)));
  if (done) {
    m.seconds = Since(start);
  } else {
    m.note = "not done in " + std::to_string(rowLimit.count()) + " s (" + std::to_string(last) +
             " of " + std::to_string(expectedLength) + " characters)";
  }
  m.peakMB = PeakOf(q_->Pid());
  return m;
}

QuilloMeasure QuilloRun::OpenThroughDialog(const std::wstring& file, int expectedLength) {
  q_->Command(static_cast<UINT>(ActionId::FileOpen));
  HWND dialog = e2e::WaitForFileDialog(q_->Pid());
  if (!dialog) {
    QuilloMeasure m;
    m.note = "no file dialog";
    return m;
  }
  // A user takes a while to choose: the dialog has filled its list and
  // answers before the choice is made and the clock starts.
  Answers(dialog, LimitMs());
  Sleep(kChoosingMs);
  e2e::TypeFileName(dialog, file);
  Answers(dialog, LimitMs());
  const auto start = Clock::now();
  e2e::PressOk(dialog);
  WaitUntil([&] { return !IsWindow(dialog); }, std::chrono::milliseconds(LeftMs(start)));
  const double closed = Since(start);
  QuilloMeasure m = Wait(start, expectedLength, true);
  char note[64];
  std::snprintf(note, sizeof note, "the dialog gone after %.2f s", closed);
  m.note += (m.note.empty() ? "" : "; ") + std::string(note);
  return m;
}

QuilloMeasure QuilloRun::OpenDropped(const std::wstring& file, int expectedLength) {
  const auto start = Clock::now();
  e2e::DropFiles(*q_, {file});
  return Wait(start, expectedLength, true);
}

QuilloMeasure QuilloRun::OpenRecent(int expectedLength) {
  HWND main = q_->FindMainWindow(std::chrono::milliseconds(0));
  const auto start = Clock::now();
  const int first = GetRuntimeList(RuntimeList::RecentFiles).firstCommandId;
  DWORD_PTR r = 0;
  SendMessageTimeoutW(main, WM_COMMAND, static_cast<WPARAM>(first), 0, SMTO_NORMAL, LeftMs(start), &r);
  return Wait(start, expectedLength, true);
}

QuilloMeasure QuilloRun::Command(ActionId id, int expectedLength) {
  const int length = expectedLength < 0 ? Length() : expectedLength;
  HWND main = q_->FindMainWindow(std::chrono::milliseconds(0));
  const auto start = Clock::now();
  DWORD_PTR r = 0;
  SendMessageTimeoutW(main, WM_COMMAND, static_cast<WPARAM>(id), 0, SMTO_NORMAL, LeftMs(start), &r);
  return Wait(start, length, false);
}

QuilloMeasure QuilloRun::ReplaceAll(const std::string& findUtf8, const std::string& replaceUtf8) {
  const int length = Length();
  q_->Send(WM_COMMAND, static_cast<WPARAM>(ActionId::FindFind));
  e2e::FindPanelDriver panel(*q_);
  panel.SetFind(findUtf8);
  panel.SetReplace(replaceUtf8);
  const auto start = Clock::now();
  panel.ClickLater("Заменить все");
  HWND box = q_->WaitForMessageBox("Информация", rowLimit);
  QuilloMeasure m = Wait(start, length, false);
  if (box) {
    if (m.note.empty()) m.note = e2e::U8(e2e::Quillo::MessageBoxText(box));
    e2e::Quillo::Press(box, IDOK);
    WaitUntil([&] { return !IsWindow(box); }, std::chrono::seconds(10));
  } else if (m.note.empty()) {
    m.note = "no report of the replacement";
  }
  return m;
}

QuilloMeasure QuilloRun::Paste(const std::string& utf8, int pastedLength) {
  e2e::SetClipboardText(utf8);
  const int length = Length();
  HWND editor = q_->Editor();
  SendMessageW(editor, EM_SETSEL, length / 2, length / 2);
  HWND main = q_->FindMainWindow(std::chrono::milliseconds(0));
  const auto start = Clock::now();
  DWORD_PTR r = 0;
  SendMessageTimeoutW(main, WM_COMMAND, static_cast<WPARAM>(ActionId::EditPaste), 0, SMTO_NORMAL,
                      LeftMs(start), &r);
  return Wait(start, length + pastedLength, false);
}

int QuilloRun::Length() {
  HWND editor = q_->Editor();
  return editor ? static_cast<int>(TextLength(editor, LimitMs())) : -1;
}

std::wstring QuilloRun::Head(int chars) {
  std::vector<wchar_t> buf(static_cast<size_t>(chars) + 1);
  DWORD_PTR got = 0;
  SendMessageTimeoutW(q_->Editor(), WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                      SMTO_NORMAL, LimitMs(), &got);
  return std::wstring(buf.data(), std::min<size_t>(got, static_cast<size_t>(chars)));
}

double QuilloRun::PeakMB() { return PeakOf(q_->Pid()); }

SIZE QuilloRun::EditorSize() {
  RECT rc{};
  GetWindowRect(q_->Editor(), &rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

Measure MeasureNotepad(const std::wstring& file, int expectedLength) {
  std::wstring cmd = L"notepad.exe " + e2e::Quoted(file);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  const auto start = Clock::now();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return {};
  Measure m;
  const bool shown = WaitUntil([&] {
    const auto tops = e2e::TopLevelWindowsOf(pi.dwProcessId, L"Notepad", false);
    HWND top = tops.empty() ? nullptr : tops.front();
    HWND edit = top ? FindWindowExW(top, nullptr, L"Edit", nullptr) : nullptr;
    return edit && TextLength(edit, LeftMs(start)) >= expectedLength && Answers(top, LeftMs(start));
  }, rowLimit);
  if (shown) m.seconds = Since(start);
  m.peakMB = PeakMegabytes(pi.hProcess);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return m;
}

}  // namespace quillo::bench

#pragma once
// Drives a real quillo.exe from outside, as a user and other programs would:
// starts it from a scratch folder of its own, finds its windows, sends it
// messages and keys, answers its message boxes and checks that it ends.
#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace quillo::e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

inline constexpr Duration kDefaultWait = 15s;

// A folder of its own with a copy of the program, its settings file and an
// empty PlugIns folder; removed again when the object goes.
class Scratch {
 public:
  explicit Scratch(std::string_view name);
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::wstring& Folder() const { return folder_; }
  std::wstring Path(std::wstring_view name) const { return folder_ + L"\\" + std::wstring(name); }
  std::wstring Exe() const { return Path(L"quillo.exe"); }
  std::wstring SettingsFile() const { return Path(L"quillo.ini"); }

  // Writes bytes as they are (document files are Windows-1251 bytes).
  void WriteFile(std::wstring_view name, std::string_view bytes) const;
  std::string ReadFile(std::wstring_view name) const;
  bool Exists(std::wstring_view name) const;
  // The settings file's text (Windows-1251), e.g. "[Options]\r\nIns=1\r\n".
  void WriteSettings(std::string_view iniText) const { WriteFile(L"quillo.ini", iniText); }

 private:
  std::wstring folder_;
};

// One running quillo.exe.
class Quillo {
 public:
  // Starts the program with the given arguments (appended after its path as
  // they stand; quote paths with spaces yourself).
  Quillo(const Scratch& scratch, std::wstring_view arguments = L"");
  // Starts a given program file (an installed or unpacked copy) in a folder.
  Quillo(const std::wstring& exe, std::wstring_view arguments, const std::wstring& folder);
  ~Quillo();  // ends the process if a test left it running
  Quillo(const Quillo&) = delete;
  Quillo& operator=(const Quillo&) = delete;

  DWORD Pid() const { return pid_; }
  bool Running() const;
  // Waits for the process to end; false on time-out.
  bool WaitForExit(Duration timeout = kDefaultWait);
  DWORD ExitCode() const;

  // The main window (class TQuilloMainForm) of this process; fails the test if none appears.
  HWND MainWindow(Duration timeout = kDefaultWait);
  // Null when the process shows no main window within the time.
  HWND FindMainWindow(Duration timeout) ;
  HWND Editor();

  std::wstring Caption();
  // The document's text as Windows-1251 bytes, line breaks as CR LF.
  std::string Text();
  // Selection in the control's indexes.
  std::pair<int, int> Selection();
  void Select(int start, int end);

  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
  void Post(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
  void Command(UINT id) { Post(WM_COMMAND, id, 0); }

  // Brings the main window to the front and types keys in xdotool's
  // spelling, e.g. "ctrl+shift+3", "Escape", "alt+F8".
  void Keys(std::string_view keys);
  // Types text (UTF-8) as the keyboard would.
  void Type(std::string_view utf8);
  // Clicks with the mouse at a point of a window's client area.
  void Click(HWND window, int x, int y, int button = 1);
  // Double-clicks with the left button at a point of a window's client area.
  void DoubleClick(HWND window, int x, int y);

  // The status bar and its panels, read through the program's own memory.
  HWND StatusBar();
  std::wstring StatusText(int panel);
  // The panel's text once it reads `want`, or as it reads when the time is
  // out: keys reach the program in their own time.
  std::wstring StatusTextWhen(int panel, const std::wstring& want, Duration timeout = 5s);
  RECT StatusPanelRect(int panel);  // in the status bar's client coordinates

  // A message box of this process with that caption (UTF-8), or null.
  HWND WaitForMessageBox(std::string_view caption, Duration timeout = kDefaultWait);
  static std::wstring MessageBoxText(HWND box);
  static void Press(HWND box, int buttonId);  // IDYES, IDNO, IDCANCEL, IDOK

  // Every top-level main window of this process that is visible.
  std::vector<HWND> VisibleMainWindows();

  // Sends WM_CLOSE and waits for the end.
  void Kill();

 private:
  PROCESS_INFORMATION pi_{};
  DWORD pid_ = 0;
  HWND main_ = nullptr;
};

// Top-level windows of a class in process pid (0: any process), with this
// caption unless it is empty.
std::vector<HWND> TopLevelWindowsOf(DWORD pid, const std::wstring& cls, bool visibleOnly = true,
                                    const std::wstring& caption = L"");
// Main windows of every quillo process (by class), visible ones only.
std::vector<HWND> AllVisibleMainWindows();
// Main windows of other processes than q's (windows q started).
std::vector<HWND> OtherMainWindows(const Quillo& q);
// Closes the windows and waits for them to go.
void CloseWindowsOf(const std::vector<HWND>& windows);

// Drops the files on q's window as Explorer does (WM_DROPFILES).
void DropFiles(Quillo& q, const std::vector<std::wstring>& paths);

// Runs xdotool with these arguments and waits for it (keys go to the window
// that has the focus; under bare Xvfb the focus follows the pointer).
void RunXdotool(const std::wstring& args);

// Clipboard (Unicode text, UTF-8 here).
void SetClipboardText(std::string_view utf8);
std::string ClipboardText();

std::wstring W(std::string_view utf8);
std::string U8(std::wstring_view wide);
// Windows-1251 bytes from UTF-8, for document content.
std::string Cp1251(std::string_view utf8);

// The stand-in for programs the editor starts: it records its command line
// beside itself.
std::wstring StandInExe();
// A path in quotes, as a command line wants it.
std::wstring Quoted(const std::wstring& path);
// Ends the program by closing its window, answering "No" to the save
// question when it comes; gives whether it came.
bool ExitAsked(Quillo& q);
// Ends the program with Esc, answering "No" to the save question.
void EscapeAndDiscard(Quillo& q);

// Polls until pred() holds; false on time-out.
template <typename Pred>
bool WaitUntil(Pred pred, Duration timeout = kDefaultWait) {
  auto end = std::chrono::steady_clock::now() + timeout;
  while (!pred()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(30);
  }
  return true;
}

}  // namespace quillo::e2e

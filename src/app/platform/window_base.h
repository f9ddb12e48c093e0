#pragma once
// One way into every window procedure of the program: the program's own
// windows and the controls it subclasses map their handle to their object
// here, and an exception that escapes a handler ends in one barrier (the
// error box) instead of unwinding through Windows' frames.
#include <windows.h>

namespace quillo {

class WindowBase {
 public:
  WindowBase() = default;
  virtual ~WindowBase();
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND Handle() const { return hwnd_; }

 protected:
  // Registers the class on first use and creates a window whose messages
  // reach OnMessage.
  HWND CreateOwnWindow(const wchar_t* className, DWORD exStyle, const wchar_t* title, DWORD style,
                       RECT bounds, HWND parent, HINSTANCE instance, HICON icon = nullptr,
                       HBRUSH background = nullptr);
  // Routes an existing control's messages through OnMessage first.
  void Subclass(HWND control);
  void RemoveSubclass();

  // The message's handler. DefaultProc gives what the window would do
  // without it (the class's procedure for a subclassed control).
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

  // The window that owns the error box when a handler fails.
  virtual HWND ErrorOwner() const { return hwnd_; }

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK WindowThunk(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SubclassThunk(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);

  bool subclassed_ = false;
};

// The same barrier for code that runs in a callback of its own (a dialog
// procedure, a hook): runs f, and on an exception shows the error box and
// gives onError.
template <typename F>
auto Guarded(HWND owner, F&& f, decltype(f()) onError) -> decltype(f());

void ReportCurrentException(HWND owner);

template <typename F>
auto Guarded(HWND owner, F&& f, decltype(f()) onError) -> decltype(f()) {
  try {
    return f();
  } catch (...) {
    ReportCurrentException(owner);
    return onError;
  }
}

}  // namespace quillo

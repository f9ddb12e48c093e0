#include "app/platform/window_base.h"

#include <commctrl.h>

#include <exception>

#include "app/platform/error_box.h"

namespace quillo {
namespace {

constexpr UINT_PTR kSubclassId = 0x5157;  // one subclass of ours per control

}  // namespace

void ReportCurrentException(HWND owner) { ShowErrorBox(owner, std::current_exception()); }

WindowBase::~WindowBase() {
  RemoveSubclass();
  if (hwnd_ && GetWindowLongPtrW(hwnd_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

HWND WindowBase::CreateOwnWindow(const wchar_t* className, DWORD exStyle, const wchar_t* title,
                                 DWORD style, RECT bounds, HWND parent, HINSTANCE instance,
                                 HICON icon, HBRUSH background) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExW(instance, className, &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowThunk;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
  }
  return CreateWindowExW(exStyle, className, title, style, bounds.left, bounds.top,
                         bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                         instance, this);
}

void WindowBase::Subclass(HWND control) {
  RemoveSubclass();
  hwnd_ = control;
  subclassed_ = SetWindowSubclass(control, SubclassThunk, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != 0;
}

void WindowBase::RemoveSubclass() {
  if (subclassed_ && hwnd_) RemoveWindowSubclass(hwnd_, SubclassThunk, kSubclassId);
  subclassed_ = false;
}

LRESULT WindowBase::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefaultProc(msg, wp, lp); }

LRESULT WindowBase::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  return subclassed_ ? DefSubclassProc(hwnd_, msg, wp, lp) : DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT WindowBase::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  try {
    return OnMessage(msg, wp, lp);
  } catch (...) {
    ReportCurrentException(ErrorOwner());
    return 0;
  }
}

LRESULT CALLBACK WindowBase::WindowThunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || self->hwnd_ != hwnd) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    LRESULT r = self->Dispatch(msg, wp, lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return r;
  }
  return self->Dispatch(msg, wp, lp);
}

LRESULT CALLBACK WindowBase::SubclassThunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                           DWORD_PTR ref) {
  auto* self = reinterpret_cast<WindowBase*>(ref);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, SubclassThunk, kSubclassId);
    self->subclassed_ = false;
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  return self->Dispatch(msg, wp, lp);
}

}  // namespace quillo

#pragma once
// "Только чтение": the document cannot be changed, Space pages down, and
// with the "ReadOnly" options the background changes and Scroll Lock comes
// on. Not stored: every start is editable.
#include <windows.h>

namespace quillo {

struct AppContext;
class ActionRegistry;

class ReadOnlyMode {
 public:
  // The main window's timer that keeps the caret hidden; its WM_TIMER goes
  // to OnTimer.
  static constexpr UINT_PTR kCaretTimer = 0x5130;

  explicit ReadOnlyMode(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

  bool On() const { return on_; }
  void OnTimer();
  // Space while the mode is on.
  void PageDown();
  // The "ReadOnly" options as they are held now, while the mode is on.
  void ApplySettings();

 private:
  void Enter();
  void Leave();
  static void SetScrollLock(bool on);

  AppContext& ctx_;
  bool on_ = false;
  COLORREF colorBefore_ = 0;
  bool coloured_ = false;  // the background was changed on entering
};

}  // namespace quillo

#include "app/view/read_only_mode.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/settings/settings_store.h"
#include "app/window/status_view.h"

namespace quillo {
namespace {

constexpr UINT kCaretMilliseconds = 100;

}  // namespace

void ReadOnlyMode::Bind(ActionRegistry& actions) {
  actions.Bind(ActionId::OptReadOnly,
               [this] {
                 if (on_)
                   Leave();
                 else
                   Enter();
                 ctx_.status.Update();
               },
               [this] { return ActionState::Checked(on_); });
}

// Scroll Lock for this program only: the keyboard state of its thread, which
// the editor's key rules read.
void ReadOnlyMode::SetScrollLock(bool on) {
  BYTE keys[256];
  if (!GetKeyboardState(keys)) return;
  keys[VK_SCROLL] = on ? 1 : 0;
  SetKeyboardState(keys);
}

void ReadOnlyMode::Enter() {
  MyRichEdit& editor = ctx_.editor;
  const SettingValues& values = ctx_.settings.Values();
  editor.SetReadOnly(true);
  if (values.read_only_enable_options) {
    colorBefore_ = editor.Color();
    editor.SetColor(values.read_only_background);
    if (values.read_only_scroll_lock && (GetKeyState(VK_SCROLL) & 1) == 0) SetScrollLock(true);
  }
  coloured_ = values.read_only_enable_options;
  on_ = true;
  SetTimer(ctx_.window, kCaretTimer, kCaretMilliseconds, nullptr);
  HideCaret(editor.Handle());
}

void ReadOnlyMode::Leave() {
  MyRichEdit& editor = ctx_.editor;
  const SettingValues& values = ctx_.settings.Values();
  KillTimer(ctx_.window, kCaretTimer);
  on_ = false;
  editor.SetReadOnly(false);
  if (coloured_) editor.SetColor(colorBefore_);
  if (values.read_only_enable_options && values.read_only_scroll_lock) SetScrollLock(false);
  coloured_ = false;
  // The control makes its caret anew when it gets the focus again.
  if (GetFocus() == editor.Handle()) {
    SetFocus(ctx_.window);
    SetFocus(editor.Handle());
  }
}

void ReadOnlyMode::ApplySettings() {
  if (!on_) return;
  MyRichEdit& editor = ctx_.editor;
  const SettingValues& values = ctx_.settings.Values();
  if (values.read_only_enable_options) {
    if (!coloured_) colorBefore_ = editor.Color();
    editor.SetColor(values.read_only_background);
  } else if (coloured_) {
    editor.SetColor(colorBefore_);
  }
  coloured_ = values.read_only_enable_options;
}

// The control shows its caret again after every move; each tick hides it.
void ReadOnlyMode::OnTimer() {
  if (on_) HideCaret(ctx_.editor.Handle());
}

void ReadOnlyMode::PageDown() {
  ctx_.editor.ScrollText(SB_PAGEDOWN);
  ctx_.status.Update();
}

}  // namespace quillo

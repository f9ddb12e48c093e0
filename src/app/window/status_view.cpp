#include "app/window/status_view.h"

#include <exception>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/platform/file_io.h"
#include "app/platform/ui_text.h"
#include "app/window/menus.h"
#include "core/layout_names.h"
#include "core/status_text.h"

namespace quillo {

bool StatusView::Create(HWND parent) { return bar_.Create(parent); }

void StatusView::Update() {
  MyRichEdit& editor = ctx_.editor;
  if (!bar_.Handle() || !editor.Handle()) return;
  try {
    bar_.SetText(kPanelInsertMode, Wide(InsertModePanelText(editor.OverwriteMode())));
    const CaretPos caret = editor.GetCaretPos();
    bar_.SetText(kPanelCaret, Wide(CaretPanelText(caret.line, caret.column)));
    if (editor.Loading())
      // The line count and the reach are known when the whole text is in.
      bar_.SetText(kPanelLineCount, Wide(LoadingPanelText(editor.LoadingPercent())));
    else
      UpdateLinePanels();
    bar_.SetText(kPanelModified, Wide(ModifiedPanelText(editor.Modified())));
    const std::wstring& file = ctx_.document.FileName();
    if (bar_.Text(kPanelFilePath) != file)
      bar_.SetText(kPanelFilePath, file.empty() ? std::wstring() : LongFileName(file));
  } catch (const std::exception&) {
    // The panels keep their last texts.
  }
}

void StatusView::UpdateLinePanels() {
  MyRichEdit& editor = ctx_.editor;
  const int lines = editor.LineCount();
  bar_.SetText(kPanelLineCount, Wide(LineCountPanelText(lines)));
  if (!IsWindowVisible(editor.Handle())) return;
  RECT rc{};
  GetWindowRect(editor.Handle(), &rc);
  if (auto percent = ViewReachPercent(editor.FirstVisibleLine(), rc.bottom - rc.top, editor.FontHeightPixels(), lines))
    bar_.SetText(kPanelViewReach, Wide(ViewReachPanelText(*percent)));
}

void StatusView::UpdateLayoutPanel() {
  if (!bar_.Handle() || !ctx_.editor.Handle()) return;
  bar_.SetText(kPanelKeyboardLayout, Wide(LayoutNameFor(ctx_.editor.Language())));
}

void StatusView::OnClick(bool doubleClick) {
  POINT cursor{};
  GetCursorPos(&cursor);
  // The panels' edges lie in the bar's client area; the main window's outer
  // edge stands a frame's width (about 4 pixels) left of it.
  POINT inBar = cursor;
  ScreenToClient(bar_.Handle(), &inBar);
  RECT client{};
  GetClientRect(bar_.Handle(), &client);
  const auto widths = StatusPanelWidths();
  const int index = PanelAtCursor(inBar.x, 0, client.right - client.left, widths);
  if (index < 0) return;
  const StatusPanel& panel = StatusPanels()[index];
  if (!doubleClick) {
    if (panel.rightClickAction) {
      ctx_.actions.Run(*panel.rightClickAction);
    } else if (panel.rightClickMenu != MenuId::None) {
      ctx_.menus.Track(panel.rightClickMenu, ctx_.window, cursor);
    }
    return;
  }
  if (panel.doubleClick) {
    ctx_.actions.Run(*panel.doubleClick);
  } else {
    ctx_.editor.SetSelStart(SelStartAfterReachJump(ctx_.editor.SelStart(), ctx_.editor.TextLength()));
    ctx_.editor.ScrollCaret();
  }
  Update();
}

}  // namespace quillo

// The status bar and what the main window shows in it.
#include "app/window/status_bar.h"

#include <commctrl.h>

#include <vector>

#include "app/platform/file_io.h"
#include "app/window/main_form.h"
#include "app/platform/ui_text.h"
#include "core/layout_names.h"
#include "core/status_text.h"

namespace quillo {

bool StatusBar::Create(HWND parent) {
  // Left to size itself: it keeps to the bottom edge of its parent, which is
  // where it is docked first.
  hwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | SBARS_SIZEGRIP, 0, 0, 0, 0,
                          parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  std::vector<int> rightEdges;
  int right = 0;
  for (const StatusPanel& panel : StatusPanels()) rightEdges.push_back(right += panel.width);
  rightEdges.back() = -1;  // the path panel takes the rest
  SendMessageW(hwnd_, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
  for (int i = 0; i < kStatusPanelCount; ++i) SetText(i, Wide(StatusPanels()[i].designText));
  SendMessageW(hwnd_, WM_SIZE, 0, 0);
  return true;
}

int StatusBar::Height() const {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return 0;
  RECT rc{};
  GetWindowRect(hwnd_, &rc);
  return rc.bottom - rc.top;
}

void StatusBar::SetText(int panel, std::wstring_view text) {
  if (!hwnd_ || Text(panel) == text) return;
  std::wstring copy(text);
  SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(copy.c_str()));
}

std::wstring StatusBar::Text(int panel) const {
  if (!hwnd_) return {};
  const auto length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0));
  std::wstring text(length + 1u, L'\0');
  SendMessageW(hwnd_, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

namespace {

// |height| of the editor's font in pixels.
int EditorFontHeight(HWND editor) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_SIZE;
  SendMessageW(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  HDC dc = GetDC(editor);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(editor, dc);
  return MulDiv(format.yHeight, dpi, 1440);
}

int ControlTextLength(HWND editor) {
  GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<int>(SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

}  // namespace

void MainForm::UpdateStatusBar() {
  if (!statusBar_.Handle() || !editor_.Handle()) return;
  try {
    statusBar_.SetText(kPanelInsertMode, Wide(InsertModePanelText(editor_.OverwriteMode())));
    const CaretPos caret = editor_.GetCaretPos();
    statusBar_.SetText(kPanelCaret, Wide(CaretPanelText(caret.line, caret.column)));
    const int lines = editor_.LineCount();
    statusBar_.SetText(kPanelLineCount, Wide(LineCountPanelText(lines)));
    if (IsWindowVisible(editor_.Handle())) {
      RECT rc{};
      GetWindowRect(editor_.Handle(), &rc);
      if (auto percent = ViewReachPercent(editor_.FirstVisibleLine(), rc.bottom - rc.top,
                                          EditorFontHeight(editor_.Handle()), lines))
        statusBar_.SetText(kPanelViewReach, Wide(ViewReachPanelText(*percent)));
    }
    statusBar_.SetText(kPanelModified, Wide(ModifiedPanelText(editor_.Modified())));
    if (statusBar_.Text(kPanelFilePath) != currentFileName_)
      statusBar_.SetText(kPanelFilePath,
                         currentFileName_.empty() ? std::wstring() : LongFileName(currentFileName_));
  } catch (const std::exception&) {
    // The panels keep their last texts.
  }
}

void MainForm::UpdateLayoutPanel() {
  if (!statusBar_.Handle() || !editor_.Handle()) return;
  statusBar_.SetText(kPanelKeyboardLayout, Wide(LayoutNameFor(editor_.Language())));
}

void MainForm::OnStatusBarClick(bool doubleClick) {
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT window{};
  GetWindowRect(hwnd_, &window);
  const auto widths = StatusPanelWidths();
  const int index = PanelAtCursor(cursor.x, window.left, window.right - window.left, widths);
  if (index < 0) return;
  const StatusPanel& panel = StatusPanels()[index];
  if (!doubleClick) {
    if (panel.rightClickAction) {
      actions_.Run(*panel.rightClickAction);
    } else if (panel.rightClickMenu != MenuId::None) {
      menus_.Track(panel.rightClickMenu, hwnd_, cursor);
    }
    return;
  }
  if (panel.doubleClick) {
    actions_.Run(*panel.doubleClick);
  } else {
    editor_.SetSelStart(SelStartAfterReachJump(editor_.SelStart(), ControlTextLength(editor_.Handle())));
    SendMessageW(editor_.Handle(), EM_SCROLLCARET, 0, 0);
  }
  UpdateStatusBar();
}

}  // namespace quillo

#include "app/platform/input_box.h"

#include <algorithm>
#include <vector>

#include "app/platform/ui_text.h"
#include "app/platform/win_handles.h"
#include "app/platform/window_base.h"

namespace quillo {
namespace {

constexpr int kClientWidth = 297;
constexpr int kClientHeight = 94;
constexpr int kWidenBy = 15;
constexpr int kEditId = 100;
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct InputBoxState {
  std::wstring caption;
  std::wstring prompt;
  std::wstring text;
};

HWND AddChild(HWND dialog, const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y,
              int width, int height, int id, DWORD exStyle = 0) {
  HWND child = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                               width, height, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)),
                               nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

// The prompt's size; a prompt of several lines (CR LF) is that many lines high.
SIZE TextSize(HWND window, const std::wstring& text) {
  WindowDC dc(window);
  SelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT rc{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

// Sizes the dialog to its client area and centres it on its owner.
void PlaceDialog(HWND dialog, int clientWidth, int clientHeight) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, 0);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT around{};
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (!owner || !GetWindowRect(owner, &around)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  int x = around.left + (around.right - around.left - width) / 2;
  int y = around.top + (around.bottom - around.top - height) / 2;
  SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitDialog(HWND dialog, InputBoxState& state) {
  SetWindowTextW(dialog, state.caption.c_str());
  const int labelLeft = 5;
  const SIZE label = TextSize(dialog, state.prompt);
  const int below = std::max(0, static_cast<int>(label.cy) - 16);
  int clientWidth = kClientWidth + (labelLeft + label.cx > kClientWidth ? kWidenBy : 0);
  AddChild(dialog, L"STATIC", state.prompt, SS_LEFT | SS_NOPREFIX, labelLeft, 15, label.cx + 2,
           std::max(16, static_cast<int>(label.cy)), -1);
  HWND edit = AddChild(dialog, L"EDIT", state.text, ES_AUTOHSCROLL | WS_TABSTOP, 5, 35 + below, 286, 21,
                       kEditId, WS_EX_CLIENTEDGE);
  AddChild(dialog, L"BUTTON", Wide("ОК"), BS_DEFPUSHBUTTON | WS_TABSTOP, 136, 64 + below, 75, 25, IDOK);
  AddChild(dialog, L"BUTTON", Wide("Отмена"), BS_PUSHBUTTON | WS_TABSTOP, 216, 64 + below, 75, 25, IDCANCEL);
  PlaceDialog(dialog, clientWidth, kClientHeight + below);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
}

INT_PTR HandleInputBoxMessage(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lp);
      InitDialog(dialog, *reinterpret_cast<InputBoxState*>(lp));
      return FALSE;  // the focus is set already
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        if (LOWORD(wp) == IDOK) {
          auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
          HWND edit = GetDlgItem(dialog, kEditId);
          int n = GetWindowTextLengthW(edit);
          state->text.assign(static_cast<size_t>(n) + 1, L'\0');
          state->text.resize(static_cast<size_t>(GetWindowTextW(edit, state->text.data(), n + 1)));
        }
        EndDialog(dialog, LOWORD(wp));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  return Guarded(dialog, [&] { return HandleInputBoxMessage(dialog, msg, wp, lp); }, INT_PTR{FALSE});
}

// An in-memory dialog template with no controls: they are made in WM_INITDIALOG.
std::vector<DWORD> EmptyDialogTemplate() {
  std::vector<DWORD> buffer(16, 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(buffer.data());
  t->style = kDialogStyle;
  t->cdit = 0;
  t->cx = 200;
  t->cy = 60;
  // Menu, class and title follow as empty words; the buffer is zeroed.
  return buffer;
}

}  // namespace

bool ShowInputBox(HWND owner, std::string_view caption, std::string_view prompt, std::string& text) {
  InputBoxState state{Wide(caption), Wide(prompt), Wide(text)};
  std::vector<DWORD> dialogTemplate = EmptyDialogTemplate();
  HINSTANCE instance = owner ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE))
                             : GetModuleHandleW(nullptr);
  INT_PTR result = DialogBoxIndirectParamW(instance,
                                           reinterpret_cast<DLGTEMPLATE*>(dialogTemplate.data()),
                                           owner, InputBoxProc, reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return false;
  text = Utf8(state.text);
  return true;
}

}  // namespace quillo

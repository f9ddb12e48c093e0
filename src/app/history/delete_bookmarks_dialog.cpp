#include "app/history/delete_bookmarks_dialog.h"

#include "app/platform/ui_text.h"
#include "app/platform/window_base.h"

namespace quillo {
namespace {

constexpr int kClientWidth = 229;
constexpr int kClientHeight = 282;
constexpr int kListId = 100;
constexpr int kDeleteId = 101;
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct DialogState {
  const DeleteBookmarksDialog* dialog;
  std::vector<std::string> shown;  // the names the list box holds, in its order
};

struct Box {
  int x, y, width, height;
};

HWND AddChild(HWND dialog, const wchar_t* cls, const std::wstring& text, DWORD style, Box box, int id,
              DWORD exStyle = 0) {
  HWND child = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, box.x, box.y,
                               box.width, box.height, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)),
                               nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

void Refill(HWND dialog, DialogState& state) {
  HWND list = GetDlgItem(dialog, kListId);
  state.shown = state.dialog->names();
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : state.shown)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
}

void PlaceOnOwner(HWND dialog) {
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT around{};
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (!owner || !GetWindowRect(owner, &around)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  SetWindowPos(dialog, nullptr, around.left + (around.right - around.left - width) / 2,
               around.top + (around.bottom - around.top - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitDialog(HWND dialog, DialogState& state) {
  SetWindowTextW(dialog, Wide("Удалить").c_str());
  AddChild(dialog, L"STATIC",
           Wide("Выберите закладки для удаления\r\n(для выбора нескольких закладок\r\n"
                "удерживайте клавишу Shift или Ctrl)"),
           SS_LEFT | SS_NOPREFIX, {8, 8, 213, 42}, -1);
  HWND list = AddChild(dialog, L"LISTBOX", L"",
                       LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP,
                       {8, 54, 213, 186}, kListId, WS_EX_CLIENTEDGE);
  AddChild(dialog, L"BUTTON", Wide("Удалить"), BS_PUSHBUTTON | WS_TABSTOP, {8, 249, 104, 25}, kDeleteId);
  AddChild(dialog, L"BUTTON", Wide("Закрыть"), BS_PUSHBUTTON | WS_TABSTOP, {117, 249, 104, 25}, IDCANCEL);
  PlaceOnOwner(dialog);
  Refill(dialog, state);
  SetFocus(list);
}

void DeleteSelected(HWND dialog, DialogState& state) {
  HWND list = GetDlgItem(dialog, kListId);
  std::vector<std::string> chosen;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count && static_cast<size_t>(i) < state.shown.size(); ++i)
    if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) chosen.push_back(state.shown[i]);
  if (chosen.empty()) return;
  state.dialog->remove(chosen);
  Refill(dialog, state);
}

INT_PTR HandleMessage(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lp);
      InitDialog(dialog, *reinterpret_cast<DialogState*>(lp));
      return FALSE;  // the focus is set already
    case WM_COMMAND:
      if (LOWORD(wp) == kDeleteId && state) {
        DeleteSelected(dialog, *state);
        return TRUE;
      }
      if (LOWORD(wp) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  return Guarded(dialog, [&] { return HandleMessage(dialog, msg, wp, lp); }, INT_PTR{FALSE});
}

}  // namespace

void ShowDeleteBookmarksDialog(HWND owner, const DeleteBookmarksDialog& dialog) {
  DialogState state{&dialog, {}};
  // An empty in-memory template: the controls are made in WM_INITDIALOG.
  std::vector<DWORD> buffer(16, 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(buffer.data());
  t->style = kDialogStyle;
  t->cx = 150;
  t->cy = 180;
  HINSTANCE instance = owner ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE))
                             : GetModuleHandleW(nullptr);
  DialogBoxIndirectParamW(instance, t, owner, DialogProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace quillo

#include "app/find/find_panel.h"

#include <commctrl.h>

#include "app/platform/keyboard.h"
#include "app/platform/ui_text.h"
#include "core/action_table.h"

namespace quillo {
namespace {

enum ControlId : int {
  kFindField = 101,
  kReplaceField,
  kFindNext,
  kReplace,
  kReplaceAll,
  kMatchCase,
  kWholeWord,
  kUp,
  kDown,
  kHide,
  kOptionsFrame,
  kFindIcon,
  kReplaceIcon,
};

// The cross button stands this far left of the panel's right edge.
constexpr int kHideButtonFromRight = 20;
constexpr int kHideButtonSize = 16;
constexpr int kListHeight = 200;  // a combo box's height includes its open list

struct ControlSpec {
  ControlId id;
  const wchar_t* cls;
  const char* caption;  // UTF-8
  DWORD style;
  RECT box;             // left, top, width, height
};

constexpr DWORD kCombo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

const ControlSpec kControls[] = {
    {kFindIcon, L"STATIC", "", SS_ICON | SS_REALSIZEIMAGE, {6, 8, 16, 16}},
    {kFindField, L"COMBOBOX", "", kCombo, {26, 5, 220, kListHeight}},
    {kReplaceIcon, L"STATIC", "", SS_ICON | SS_REALSIZEIMAGE, {6, 35, 16, 16}},
    {kReplaceField, L"COMBOBOX", "", kCombo, {26, 32, 220, kListHeight}},
    {kFindNext, L"BUTTON", "Найти далее", kButton, {252, 4, 100, 24}},
    {kReplace, L"BUTTON", "Заменить", kButton, {252, 31, 100, 24}},
    {kReplaceAll, L"BUTTON", "Заменить все", kButton, {356, 31, 100, 24}},
    {kOptionsFrame, L"BUTTON", "Настройка", BS_GROUPBOX, {462, 0, 250, 57}},
    {kMatchCase, L"BUTTON", "Учитывать регистр", BS_AUTOCHECKBOX | WS_TABSTOP, {470, 16, 136, 18}},
    {kWholeWord, L"BUTTON", "Только слово", BS_AUTOCHECKBOX | WS_TABSTOP, {470, 36, 136, 18}},
    {kUp, L"BUTTON", "Вверх", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {614, 16, 90, 18}},
    {kDown, L"BUTTON", "Вниз", BS_AUTORADIOBUTTON, {614, 36, 90, 18}},
    {kHide, L"BUTTON", "\xC3\x97", BS_PUSHBUTTON | BS_FLAT | WS_GROUP,
     {0, 2, kHideButtonSize, kHideButtonSize}},
};

HICON ActionIcon(const Icons& icons, ActionId action) {
  int index = icons.IndexOf(action);
  return index >= 0 ? ImageList_GetIcon(icons.ImageList(), index, ILD_TRANSPARENT) : nullptr;
}

std::wstring WindowTextOf(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), n + 1)));
  return text;
}

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND button, bool on) {
  SendMessageW(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

bool FindPanel::Create(HWND parent, const Icons& icons, FindPanelHandlers handlers) {
  handlers_ = std::move(handlers);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  if (!CreateOwnWindow(kFindPanelClass, WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_CLIPCHILDREN,
                       RECT{0, 0, 0, kHeight}, parent, instance, nullptr,
                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
    return false;
  for (const ControlSpec& spec : kControls) {
    HWND control = AddControl(spec.cls, Wide(spec.caption), spec.style, spec.box, spec.id);
    switch (spec.id) {
      case kFindField: findField_ = control; break;
      case kReplaceField: replaceField_ = control; break;
      case kMatchCase: matchCase_ = control; break;
      case kWholeWord: wholeWord_ = control; break;
      case kUp: up_ = control; break;
      case kDown: down_ = control; break;
      case kHide: hide_ = control; break;
      case kFindIcon:
        findIcon_.Reset(ActionIcon(icons, ActionId::FindFind));
        SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(findIcon_.Get()), 0);
        break;
      case kReplaceIcon:
        replaceIcon_.Reset(ActionIcon(icons, ActionId::FindFindNext));
        SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(replaceIcon_.Get()), 0);
        break;
      default: break;
    }
  }
  SetOptions({});

  tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                             hwnd_, nullptr, instance, nullptr);
  if (tooltip_) {
    std::wstring hint = Wide("Скрыть");
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(hide_);
    tool.lpszText = hint.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return true;
}

HWND FindPanel::AddControl(const wchar_t* cls, std::wstring_view text, DWORD style, RECT box,
                           int id) {
  std::wstring caption(text);
  HWND control = CreateWindowExW(0, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | style, box.left,
                                 box.top, box.right, box.bottom, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)),
                                 nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

LRESULT FindPanel::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      PlaceHideButton();
      return 0;
    case WM_COMMAND: {
      if (HIWORD(wp) != BN_CLICKED) break;
      const std::function<void()>* handler = nullptr;
      switch (LOWORD(wp)) {
        case kFindNext: handler = &handlers_.findNext; break;
        case kReplace: handler = &handlers_.replace; break;
        case kReplaceAll: handler = &handlers_.replaceAll; break;
        case kHide: handler = &handlers_.hide; break;
        default: break;
      }
      if (handler && *handler) (*handler)();
      return 0;
    }
    default:
      break;
  }
  return DefaultProc(msg, wp, lp);
}

void FindPanel::PlaceHideButton() {
  RECT rc{};
  GetClientRect(hwnd_, &rc);
  SetWindowPos(hide_, nullptr, rc.right - kHideButtonFromRight, 2, kHideButtonSize,
               kHideButtonSize, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool FindPanel::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void FindPanel::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

std::string FindPanel::FindText() const { return Win1251FromWide(WindowTextOf(findField_)); }

void FindPanel::SetFindText(std::string_view text) { SetFieldText(findField_, WideFromWin1251(text)); }

std::string FindPanel::ReplaceText() const { return Win1251FromWide(WindowTextOf(replaceField_)); }

std::wstring FindPanel::FindTextWide() const { return WindowTextOf(findField_); }

std::wstring FindPanel::ReplaceTextWide() const { return WindowTextOf(replaceField_); }

void FindPanel::SetFieldText(HWND field, const std::wstring& text) {
  SetWindowTextW(field, text.c_str());
}

void FindPanel::FocusFindField() {
  SetFocus(findField_);
  SendMessageW(findField_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

bool FindPanel::HasFocus() const {
  HWND focus = GetFocus();
  return hwnd_ && focus && (focus == hwnd_ || IsChild(hwnd_, focus));
}

HWND FindPanel::FocusedField() const {
  HWND focus = GetFocus();
  if (!focus) return nullptr;
  for (HWND field : {findField_, replaceField_})
    if (focus == field || IsChild(field, focus)) return field;
  return nullptr;
}

FindPanelOptions FindPanel::Options() const {
  return {IsChecked(matchCase_), IsChecked(wholeWord_), !IsChecked(up_)};
}

void FindPanel::SetOptions(const FindPanelOptions& options) {
  SetChecked(matchCase_, options.matchCase);
  SetChecked(wholeWord_, options.wholeWord);
  SetChecked(up_, !options.down);
  SetChecked(down_, options.down);
}

void FindPanel::SwapDirection() {
  bool up = IsChecked(up_);
  SetChecked(up_, !up);
  SetChecked(down_, up);
}

void FindPanel::FillList(HWND combo, const FindHistory& history) {
  std::wstring text = WindowTextOf(combo);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : history.Entries()) {
    std::wstring item = WideFromWin1251(entry);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SetWindowTextW(combo, text.c_str());
}

// The list changes in place so that the field keeps its text.
static void SyncList(HWND combo, const FindHistory& history, bool added) {
  if (!added) return;
  std::wstring item = WideFromWin1251(history.Entries().front());
  SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  auto count = static_cast<size_t>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (; count > history.Entries().size(); --count)
    SendMessageW(combo, CB_DELETESTRING, count - 1, 0);
}

void FindPanel::AddFindHistory(std::string_view text) {
  SyncList(findField_, findHistory_, findHistory_.Add(text));
}

void FindPanel::AddReplaceHistory(std::string_view text) {
  SyncList(replaceField_, replaceHistory_, replaceHistory_.Add(text));
}

void FindPanel::LoadHistories(const IniFile& settings) {
  findHistory_.Load(settings, kFindHistorySection);
  replaceHistory_.Load(settings, kReplaceHistorySection);
  FillList(findField_, findHistory_);
  FillList(replaceField_, replaceHistory_);
}

void FindPanel::SaveHistories(IniFile& settings) const {
  findHistory_.Save(settings, kFindHistorySection);
  replaceHistory_.Save(settings, kReplaceHistorySection);
}

HWND FindPanel::FocusedControl() const {
  HWND focus = GetFocus();
  if (!hwnd_ || !focus || !IsChild(hwnd_, focus)) return nullptr;
  while (GetParent(focus) != hwnd_) focus = GetParent(focus);
  return focus;
}

// The controls were created in visual order, which is the order the tab
// stops are found in. Entering the direction pair lands on the checked one.
void FindPanel::MoveFocus(bool backward) {
  HWND next = GetNextDlgTabItem(hwnd_, FocusedControl(), backward ? TRUE : FALSE);
  if (!next) return;
  if (next == up_ || next == down_) next = IsChecked(up_) ? up_ : down_;
  SetFocus(next);
  if (next == findField_ || next == replaceField_) SendMessageW(next, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

bool FindPanel::PressFocusedButton() {
  HWND control = FocusedControl();
  const std::function<void()>* handler = nullptr;
  switch (control ? GetDlgCtrlID(control) : 0) {
    case kFindNext: handler = &handlers_.findNext; break;
    case kReplace: handler = &handlers_.replace; break;
    case kReplaceAll: handler = &handlers_.replaceAll; break;
    case kHide: handler = &handlers_.hide; break;
    default: return false;
  }
  if (*handler) (*handler)();
  return true;
}

bool FindPanel::HandleKey(UINT key, unsigned modifiers) {
  HWND control = FocusedControl();
  if (!control) return false;
  if (key == VK_TAB && (modifiers == 0 || modifiers == kShift)) {
    MoveFocus(modifiers != 0);
    return true;
  }
  const bool onDirection = control == up_ || control == down_;
  if (onDirection && modifiers == 0 &&
      (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT)) {
    HWND other = control == up_ ? down_ : up_;
    SetChecked(other, true);
    SetChecked(control, false);
    SetFocus(other);
    return true;
  }
  HWND field = FocusedField();
  // Not every edit control selects all on Ctrl+A by itself.
  if (field && key == 'A' && modifiers == kCtrl) {
    SendMessageW(field, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    return true;
  }
  if (modifiers != 0 || (key != VK_RETURN && key != VK_ESCAPE)) return false;
  // An open list closes first, as it would on its own.
  if (field && SendMessageW(field, CB_GETDROPPEDSTATE, 0, 0)) {
    SendMessageW(field, CB_SHOWDROPDOWN, FALSE, 0);
    if (key == VK_ESCAPE) return true;
  }
  if (key == VK_ESCAPE) {
    if (handlers_.leave) handlers_.leave();
    return true;
  }
  if (field) {
    const auto& handler = field == findField_ ? handlers_.findNext : handlers_.replace;
    if (handler) handler();
    return true;
  }
  PressFocusedButton();
  return true;
}

}  // namespace quillo

#include "app/window/tool_bar.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "app/platform/ui_text.h"
#include "core/bar_rows.h"
#include "core/codepage.h"

namespace quillo {
namespace {

constexpr UINT_PTR kUpdateTimer = 1;
constexpr UINT kUpdateMilliseconds = 250;

// Buttons without an image show a text; the code pages show their short
// names rather than the long captions, so the bar keeps its width.
struct ShortLabel {
  ActionId action;
  TCodePage page;
};
constexpr ShortLabel kShortLabels[] = {
    {ActionId::CodWIN, cpWIN},
    {ActionId::CodDOS, cpDOS},
    {ActionId::CodKOI, cpKOI},
};

std::string ButtonText(const ToolButton& button) {
  for (const ShortLabel& label : kShortLabels)
    if (label.action == button.action) return CodePageName(label.page);
  return std::string(button.caption.empty() ? GetAction(button.action).caption : button.caption);
}

std::string_view ButtonHint(const ToolButton& button) {
  return button.hint.empty() ? GetAction(button.action).hint : button.hint;
}

// Where "Сохранить" and "Восстановить" keep the button layout.
TBSAVEPARAMSW LayoutKey() {
  static const wchar_t kSubKey[] = L"Quillo";
  static const wchar_t kValue[] = L"";
  return TBSAVEPARAMSW{HKEY_CURRENT_USER, kSubKey, kValue};
}

const ToolButton* ButtonByCommand(int commandId) {
  for (const ToolButton& button : ToolBarButtons())
    if (!button.separator && button.CommandId() == commandId) return &button;
  return nullptr;
}

}  // namespace

bool ToolBar::Create(HWND parent, const Icons& icons, const ActionRegistry& actions,
                     WindowMenus& menus) {
  parent_ = parent;
  actions_ = &actions;
  menus_ = &menus;
  HWND hwnd = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                          WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST |
                              TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | CCS_ADJUSTABLE,
                          0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return false;
  Subclass(hwnd);
  SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0,
               TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
  SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons.ImageList()));

  std::vector<std::wstring>& texts = texts_;
  std::vector<TBBUTTON> buttons;
  texts.reserve(ToolBarButtons().size());
  for (const ToolButton& button : ToolBarButtons()) {
    TBBUTTON tb{};
    if (button.separator) {
      tb.fsStyle = BTNS_SEP;
      buttons.push_back(tb);
      continue;
    }
    const int image = IconIndexOf(button.action);
    tb.idCommand = button.CommandId();
    tb.iBitmap = image >= 0 ? image : I_IMAGENONE;
    tb.fsState = TBSTATE_ENABLED;
    tb.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
    if (button.dropDown != MenuId::None) tb.fsStyle |= BTNS_DROPDOWN;
    if (image < 0) tb.fsStyle |= BTNS_SHOWTEXT;
    texts.push_back(Wide(ButtonText(button)));
    tb.iString = reinterpret_cast<INT_PTR>(texts.back().c_str());
    hints_[tb.idCommand] = Wide(ButtonHint(button));
    buttons.push_back(tb);
  }
  SendMessageW(hwnd_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  for (const TBBUTTON& button : buttons)
    if (!(button.fsStyle & BTNS_SEP)) buttons_.push_back(button);
  SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
  SIZE size{};
  SendMessageW(hwnd_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  const DWORD buttonSize = static_cast<DWORD>(SendMessageW(hwnd_, TB_GETBUTTONSIZE, 0, 0));
  rowHeight_ = std::max<int>(size.cy, HIWORD(buttonSize)) + 2;

  SetTimer(hwnd_, kUpdateTimer, kUpdateMilliseconds, nullptr);
  UpdateButtons();
  return true;
}

int ToolBar::Height() {
  // Its own visibility: while the main window is still hidden at start-up
  // the bar already takes its place.
  if (!hwnd_ || !(GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE)) return 0;
  RECT client{};
  GetClientRect(parent_, &client);
  return FitRows(client.right - client.left);
}

// The rows are chosen here rather than by the control: Wine's wrapping
// measures every button as wide as the widest, and the native control
// wraps only with a style that also lets it resize itself.
int ToolBar::FitRows(int width) {
  if (width == fittedWidth_) return fittedHeight_;
  const int count = static_cast<int>(SendMessageW(hwnd_, TB_BUTTONCOUNT, 0, 0));
  std::vector<BarItem> items;
  for (int i = 0; i < count; ++i) {
    RECT rc{};
    SendMessageW(hwnd_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    TBBUTTON tb{};
    SendMessageW(hwnd_, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tb));
    items.push_back({static_cast<int>(rc.right - rc.left), (tb.fsStyle & BTNS_SEP) != 0});
  }
  const std::vector<bool> ends = RowEnds(items, width);
  for (int i = 0; i < count; ++i) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_STATE;
    SendMessageW(hwnd_, TB_GETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    const BYTE state = static_cast<BYTE>(ends[static_cast<size_t>(i)] ? info.fsState | TBSTATE_WRAP
                                                                      : info.fsState & ~TBSTATE_WRAP);
    if (state == info.fsState) continue;
    info.fsState = state;
    SendMessageW(hwnd_, TB_SETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
  }
  // Makes the control place its buttons again.
  SendMessageW(hwnd_, TB_SETINDENT, 0, 0);
  int bottom = 0;
  for (int i = 0; i < count; ++i) {
    RECT rc{};
    SendMessageW(hwnd_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    bottom = std::max<int>(bottom, rc.bottom);
  }
  fittedWidth_ = width;
  fittedHeight_ = std::max(rowHeight_, bottom + 2);
  return fittedHeight_;
}

void ToolBar::UpdateButtons() {
  if (!hwnd_ || !actions_) return;
  actions_->TakeSnapshot();
  for (const ToolButton& button : ToolBarButtons()) {
    if (button.separator) continue;
    const ActionState state = actions_->State(button.action);
    const auto wanted = static_cast<BYTE>((state.enabled ? TBSTATE_ENABLED : 0) |
                                          (state.checked ? TBSTATE_CHECKED : 0));
    const auto current = static_cast<BYTE>(
        SendMessageW(hwnd_, TB_GETSTATE, static_cast<WPARAM>(button.CommandId()), 0));
    const BYTE mask = TBSTATE_ENABLED | TBSTATE_CHECKED;
    if ((current & mask) != wanted)
      SendMessageW(hwnd_, TB_SETSTATE, static_cast<WPARAM>(button.CommandId()),
                   MAKELPARAM((current & ~mask) | wanted, 0));
  }
}

void ToolBar::ShowHints(bool on) {
  if (!hwnd_) return;
  if (HWND tips = reinterpret_cast<HWND>(SendMessageW(hwnd_, TB_GETTOOLTIPS, 0, 0)))
    SendMessageW(tips, TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

void ToolBar::Customize() {
  if (hwnd_) SendMessageW(hwnd_, TB_CUSTOMIZE, 0, 0);
}

void ToolBar::SaveLayout() {
  if (!hwnd_) return;
  TBSAVEPARAMSW key = LayoutKey();
  SendMessageW(hwnd_, TB_SAVERESTOREW, TRUE, reinterpret_cast<LPARAM>(&key));
}

void ToolBar::RestoreLayout() {
  if (!hwnd_) return;
  TBSAVEPARAMSW key = LayoutKey();
  SendMessageW(hwnd_, TB_SAVERESTOREW, FALSE, reinterpret_cast<LPARAM>(&key));
  UpdateButtons();
}

bool ToolBar::OnCustomizeNotify(NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
      result = TRUE;
      return true;
    case TBN_INITCUSTOMIZE:
      result = TBNRF_HIDEHELP;
      return true;
    case TBN_RESTORE: {
      // A restored entry without a command is one of the bar's separators;
      // Wine hands it over as a button without an image and drops it.
      auto& restore = reinterpret_cast<NMTBRESTORE&>(header);
      if (restore.iItem >= 0 && restore.tbButton.idCommand == 0) {
        restore.tbButton.fsStyle = BTNS_SEP;
        restore.tbButton.iBitmap = 0;
      }
      result = 0;
      return true;
    }
    case TBN_GETBUTTONINFOW: {
      // The dialog and a restored layout ask for the buttons one by one.
      auto& info = reinterpret_cast<NMTOOLBARW&>(header);
      if (info.iItem < 0 || static_cast<size_t>(info.iItem) >= buttons_.size()) {
        result = FALSE;
        return true;
      }
      info.tbButton = buttons_[static_cast<size_t>(info.iItem)];
      if (info.pszText && info.cchText > 0) {
        auto it = hints_.find(info.tbButton.idCommand);
        lstrcpynW(info.pszText, it != hints_.end() ? it->second.c_str() : L"", info.cchText);
      }
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

bool ToolBar::OnNotify(NMHDR& header, LRESULT& result) {
  if (!hwnd_) return false;
  if (header.hwndFrom == hwnd_ && OnCustomizeNotify(header, result)) return true;
  if (header.hwndFrom == hwnd_ && header.code == TBN_DROPDOWN) {
    const auto& down = reinterpret_cast<const NMTOOLBARW&>(header);
    const ToolButton* button = ButtonByCommand(down.iItem);
    if (!button || button->dropDown == MenuId::None) return false;
    RECT rc{};
    SendMessageW(hwnd_, TB_GETRECT, static_cast<WPARAM>(down.iItem), reinterpret_cast<LPARAM>(&rc));
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    menus_->Track(button->dropDown, parent_, POINT{rc.left, rc.bottom});
    result = TBDDRET_DEFAULT;
    return true;
  }
  if (header.code == TTN_GETDISPINFOW) {
    auto it = hints_.find(static_cast<int>(header.idFrom));
    if (it == hints_.end()) return false;
    // A live hint (the date or time Ctrl+D or Ctrl+T would insert) from the
    // action, else the button's own.
    auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
    info.lpszText = it->second.data();
    if (const ToolButton* button = ButtonByCommand(static_cast<int>(header.idFrom))) {
      actions_->TakeSnapshot();
      const std::string live = actions_->State(button->action).hint;
      if (!live.empty()) {
        liveHint_ = Wide(live);
        info.lpszText = liveHint_.data();
      }
    }
    info.hinst = nullptr;
    result = 0;
    return true;
  }
  return false;
}

LRESULT ToolBar::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && wp == kUpdateTimer) {
    try {
      UpdateButtons();
    } catch (const std::exception&) {
      // A failing update handler leaves the buttons as they were.
    }
    return 0;
  }
  if (msg == WM_DESTROY) KillTimer(hwnd_, kUpdateTimer);
  return DefaultProc(msg, wp, lp);
}

}  // namespace quillo

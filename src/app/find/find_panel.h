#pragma once
// The find panel docked at the bottom of the main window: the find and
// replace fields with their history lists, the options and the buttons.
// It only shows and keeps state; what its buttons do is the owner's.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "app/interop.h"
#include "app/platform/win_handles.h"
#include "app/platform/window_base.h"
#include "app/window/icons.h"
#include "core/find_history.h"
#include "core/ini_file.h"

namespace quillo {

// What the panel's buttons and keys ask the owner to do. They run inside the
// panel's window procedure and must not let an exception out.
struct FindPanelHandlers {
  std::function<void()> findNext;    // "Найти далее", Enter in the find field
  std::function<void()> replace;     // "Заменить", Enter in the replace field
  std::function<void()> replaceAll;  // "Заменить все"
  std::function<void()> hide;        // the cross button
  std::function<void()> leave;       // Esc: the typing goes back to the text
};

struct FindPanelOptions {
  bool matchCase = false;
  bool wholeWord = false;
  bool down = true;
};

class FindPanel : public WindowBase {
 public:
  static constexpr int kHeight = 60;

  FindPanel() = default;

  // Creates the panel hidden, as a child of parent.
  bool Create(HWND parent, const Icons& icons, FindPanelHandlers handlers);
  int Height() const { return Visible() ? kHeight : 0; }
  bool Visible() const;
  void SetVisible(bool visible);

  // Texts of the two fields, as Windows-1251 bytes.
  std::string FindText() const;
  // The field's characters as typed, those Windows-1251 lacks included.
  std::wstring FindTextWide() const;
  void SetFindText(std::string_view text);
  std::string ReplaceText() const;
  std::wstring ReplaceTextWide() const;
  // Gives the find field the focus, its whole text selected.
  void FocusFindField();
  // Whether the focus is in the panel, or in one of its two fields.
  bool HasFocus() const;
  HWND FocusedField() const;
  HWND FindField() const { return findField_; }
  HWND ReplaceField() const { return replaceField_; }
  // Replaces the whole text of a field (UTF-16, e.g. from the clipboard).
  void SetFieldText(HWND field, const std::wstring& text);

  FindPanelOptions Options() const;
  void SetOptions(const FindPanelOptions& options);
  // "Вверх" and "Вниз" change places.
  void SwapDirection();

  // The history lists. Adding puts a field's text on top of its list.
  void AddFindHistory(std::string_view text);
  void AddReplaceHistory(std::string_view text);
  const FindHistory& FindTexts() const { return findHistory_; }
  const FindHistory& ReplaceTexts() const { return replaceHistory_; }
  void LoadHistories(const IniFile& settings);
  void SaveHistories(IniFile& settings) const;

  // The panel's own keys while the focus is in it, as in a dialog: Tab and
  // Shift+Tab through the controls in visual order, the arrows between the
  // two direction buttons, Enter in a field runs its button and on a button
  // presses it, Esc closes an open list or leaves the panel, Ctrl+A selects
  // a field's whole text. False for other keys and when the focus is
  // elsewhere.
  bool HandleKey(UINT key, unsigned modifiers);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  HWND AddControl(const wchar_t* cls, std::wstring_view text, DWORD style, RECT box, int id);
  void FillList(HWND combo, const FindHistory& history);
  void PlaceHideButton();
  // The panel's child that holds the focus (a field's edit box is inside
  // its combo box); null when the focus is elsewhere.
  HWND FocusedControl() const;
  void MoveFocus(bool backward);
  bool PressFocusedButton();

  HWND findField_ = nullptr;
  HWND replaceField_ = nullptr;
  HWND matchCase_ = nullptr;
  HWND wholeWord_ = nullptr;
  HWND up_ = nullptr;
  HWND down_ = nullptr;
  HWND hide_ = nullptr;
  HWND tooltip_ = nullptr;
  IconHandle findIcon_;
  IconHandle replaceIcon_;
  FindPanelHandlers handlers_;
  FindHistory findHistory_;
  FindHistory replaceHistory_;
};

}  // namespace quillo

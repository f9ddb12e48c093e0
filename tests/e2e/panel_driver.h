#pragma once
// Reaches the controls of the program's find panel and input box from
// outside: fields by class, buttons by caption, texts by WM_SETTEXT.
#include <windows.h>

#include <string>
#include <string_view>

#include "tests/e2e/harness.h"

namespace quillo::e2e {

// The index-th window of that class (and caption, when given) anywhere
// below parent, in creation order; null when there is none.
HWND FindDescendant(HWND parent, std::wstring_view cls, std::string_view captionUtf8 = {},
                    int index = 0);
std::string WindowTextU8(HWND window);
void SetWindowTextU8(HWND window, std::string_view utf8);

class FindPanelDriver {
 public:
  explicit FindPanelDriver(Quillo& q) : q_(q) {}

  HWND Panel();
  bool Visible() { return IsWindowVisible(Panel()) != 0; }
  HWND FindField() { return FindDescendant(Panel(), L"ComboBox", {}, 0); }
  HWND ReplaceField() { return FindDescendant(Panel(), L"ComboBox", {}, 1); }
  HWND Button(std::string_view caption) { return FindDescendant(Panel(), L"Button", caption); }
  bool Checked(std::string_view caption);

  void SetFind(std::string_view utf8) { SetWindowTextU8(FindField(), utf8); }
  void SetReplace(std::string_view utf8) { SetWindowTextU8(ReplaceField(), utf8); }
  std::string Find() { return WindowTextU8(FindField()); }
  // The entries of a field's drop-down list, UTF-8.
  std::vector<std::string> List(HWND combo);

  // Clicks and returns when the click has been handled.
  void Click(std::string_view caption);
  // Clicks without waiting: for buttons that end in a message box.
  void ClickLater(std::string_view caption);

 private:
  Quillo& q_;
};

// The one-line input box: its text replaced, then OK or Cancel.
void AnswerInputBox(HWND box, std::string_view utf8, bool ok);

}  // namespace quillo::e2e

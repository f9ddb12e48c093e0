#include "tests/e2e/panel_driver.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillo::e2e {
namespace {

struct Search {
  std::wstring cls;
  std::wstring caption;
  bool anyCaption;
  int index;
  HWND found;
};

BOOL CALLBACK VisitChild(HWND child, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  if (lstrcmpiW(cls, s->cls.c_str()) != 0) return TRUE;
  if (!s->anyCaption && W(WindowTextU8(child)) != s->caption) return TRUE;
  if (s->index-- > 0) return TRUE;
  s->found = child;
  return FALSE;
}

}  // namespace

HWND FindDescendant(HWND parent, std::wstring_view cls, std::string_view captionUtf8, int index) {
  if (!parent) return nullptr;
  Search s{std::wstring(cls), W(captionUtf8), captionUtf8.empty(), index, nullptr};
  EnumChildWindows(parent, VisitChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::string WindowTextU8(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &length);
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_NORMAL, 10000, &got);
  text.resize(got);
  return U8(text);
}

void SetWindowTextU8(HWND window, std::string_view utf8) {
  std::wstring text = W(utf8);
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND FindPanelDriver::Panel() { return FindWindowExW(q_.MainWindow(), nullptr, L"TQuilloFindPanel", nullptr); }

bool FindPanelDriver::Checked(std::string_view caption) {
  return SendMessageW(Button(caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::string> FindPanelDriver::List(HWND combo) {
  std::vector<std::string> items;
  auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    auto length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    std::wstring item(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<size_t>(length > 0 ? length : 0));
    items.push_back(U8(item));
  }
  return items;
}

void FindPanelDriver::Click(std::string_view caption) {
  HWND button = Button(caption);
  ASSERT_TRUE(button) << "no button " << caption;
  SendMessageW(button, BM_CLICK, 0, 0);
}

void FindPanelDriver::ClickLater(std::string_view caption) {
  HWND button = Button(caption);
  ASSERT_TRUE(button) << "no button " << caption;
  PostMessageW(button, BM_CLICK, 0, 0);
}

void AnswerInputBox(HWND box, std::string_view utf8, bool ok) {
  ASSERT_TRUE(box) << "no input box";
  SetWindowTextU8(FindDescendant(box, L"Edit"), utf8);
  Quillo::Press(box, ok ? IDOK : IDCANCEL);
}

}  // namespace quillo::e2e

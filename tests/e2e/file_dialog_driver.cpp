#include "tests/e2e/file_dialog_driver.h"

#include <vector>

namespace quillo::e2e {
namespace {

// The file-name box of the old and the explorer-style dialogs.
constexpr int kNameBoxIds[] = {0x47c /* cmb13 */, 0x480 /* edt1 */};

HWND NameBox(HWND dialog) {
  for (int id : kNameBoxIds)
    if (HWND box = GetDlgItem(dialog, id)) return box;
  return nullptr;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t buf[1024] = {};
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return buf;
}

}  // namespace

HWND WaitForFileDialog(DWORD pid, Duration timeout) {
  HWND dialog = nullptr;
  WaitUntil([&] {
    for (HWND h : TopLevelWindowsOf(pid, L"#32770"))
      if (NameBox(h)) dialog = h;
    return dialog != nullptr;
  }, timeout);
  return dialog;
}

std::wstring FileDialogName(HWND dialog) {
  HWND box = NameBox(dialog);
  return box ? TextOf(box) : std::wstring();
}

void TypeFileName(HWND dialog, const std::wstring& path) {
  if (HWND box = NameBox(dialog))
    SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG,
                        2000, nullptr);
}

void PressOk(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void ChooseFile(HWND dialog, const std::wstring& path) {
  if (!NameBox(dialog)) return;
  TypeFileName(dialog, path);
  PressOk(dialog);
}

HWND WaitForOtherDialog(DWORD pid, HWND besides, Duration timeout) {
  HWND other = nullptr;
  WaitUntil([&] {
    for (HWND h : TopLevelWindowsOf(pid, L"#32770"))
      if (h != besides && !NameBox(h)) other = h;
    return other != nullptr;
  }, timeout);
  return other;
}

}  // namespace quillo::e2e

#include "app/platform/file_dialogs.h"

#include <commdlg.h>

#include <algorithm>

#include "app/platform/file_io.h"
#include "app/platform/message_box.h"
#include "app/platform/ui_text.h"

namespace quillo {
namespace {

constexpr wchar_t kFileFilter[] =
    L"Текстовые документы|*.txt;*.bak;*.bbs;*.cfg;*.diz;*.eng;*.ext;*.inf;*.ini;*.log;*.lst;"
    L"*.me;*.nfo;*.rus;*.sys;*.txt|Все файлы (*.*)|*.*";

// The common dialogs want the filter's parts separated by NULs.
std::wstring DialogFilter() {
  std::wstring f = kFileFilter;
  for (auto& ch : f)
    if (ch == L'|') ch = L'\0';
  f.push_back(L'\0');
  return f;
}

// Room for many selected files.
constexpr size_t kNameBuffer = 65536;

OPENFILENAMEW DialogSetup(HWND owner, const std::wstring& folder, const std::wstring& filter,
                          std::vector<wchar_t>& buffer) {
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = L"txt";
  return ofn;
}

}  // namespace

std::vector<std::wstring> AskFilesToOpen(HWND owner, const std::wstring& folder, bool multiSelect) {
  std::vector<wchar_t> buffer(kNameBuffer, L'\0');
  std::wstring filter = DialogFilter();
  OPENFILENAMEW ofn = DialogSetup(owner, folder, filter, buffer);
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_FILEMUSTEXIST |
              OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | (multiSelect ? OFN_ALLOWMULTISELECT : 0);
  if (!GetOpenFileNameW(&ofn)) return {};

  // One file: its full path. Several: the folder, then each name, every
  // part ended by a NUL and the list by an empty part.
  std::vector<std::wstring> parts;
  for (const wchar_t* p = buffer.data(); *p; p += wcslen(p) + 1) parts.emplace_back(p);
  if (parts.size() <= 1) return parts;
  std::wstring dir = parts.front();
  if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
  std::vector<std::wstring> files;
  for (size_t i = 1; i < parts.size(); ++i) files.push_back(dir + parts[i]);
  return files;
}

std::wstring AskFileToSave(HWND owner, const std::wstring& folder, const std::wstring& proposal,
                           OverwriteQuestion overwrite, const SaveNameRule& rule) {
  std::wstring startFolder = folder, startName = proposal;
  for (;;) {
    std::vector<wchar_t> buffer(kNameBuffer, L'\0');
    startName.copy(buffer.data(), std::min(startName.size(), buffer.size() - 1));
    std::wstring filter = DialogFilter();
    OPENFILENAMEW ofn = DialogSetup(owner, startFolder, filter, buffer);
    // The extension is the program's business (".txt" only for names without one).
    ofn.lpstrDefExt = nullptr;
    // The dialog's own overwrite question would concern the name as typed,
    // not the one the program then writes.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return {};
    std::wstring chosen = buffer.data();
    std::wstring path = rule ? rule(chosen) : chosen;
    if (overwrite == OverwriteQuestion::kNone || !FileExists(path)) return path;
    std::string question = FormatMessageText("Файл \"%s\" уже существует.\nЗаменить его?", Utf8(path));
    if (ShowMessage(owner, question, kCaptionWarning, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES)
      return path;
    startFolder = FolderOf(chosen);
    startName = FileNameOf(chosen);
  }
}

}  // namespace quillo

#pragma once
// What other processes, plug-ins and the tests rely on: window classes,
// private window messages, named objects and file names. Changing any of
// these breaks programs outside this one.
#include <windows.h>

namespace quillo {

// Window classes. Another instance finds a window by its caption (the
// document's title); the tests find the main window by its class.
inline constexpr wchar_t kMainWindowClass[] = L"TQuilloMainForm";
inline constexpr wchar_t kFindPanelClass[] = L"TQuilloFindPanel";

// Broadcasts go to every top-level window whose caption contains this.
inline constexpr wchar_t kBroadcastCaption[] = L"Quillo";

// Private window messages.
enum : UINT {
  WM_QUILLO_TRAY = WM_USER + 100,
  WM_QUILLO_SAVE = WM_USER + 101,
  WM_QUILLO_ACTIVATE = WM_USER + 200,
  WM_QUILLO_RELOAD_BOOKMARKS = WM_USER + 300,
  WM_QUILLO_APPLY_SETTINGS = WM_USER + 400,
};

// The system menu's "О программе..." item.
inline constexpr UINT kSysMenuAbout = 200;

// Files beside the executable.
inline constexpr wchar_t kSettingsFallbackName[] = L"Quillo2.ini";  // when "<exe>.ini" is missing
inline constexpr wchar_t kAutoSaveListExtension[] = L".ext";        // "<exe>.ext"
inline constexpr wchar_t kHelpFileName[] = L"Quillo2.chm";
inline constexpr wchar_t kShortcutsTopic[] = L"keyboard.ru.html";

// The per-file named mutex is the document's long full path (LongFileName:
// drive letter in upper case, each component as the file system spells it)
// with every "\" replaced by "###" (core/command_line: FileLockName).

}  // namespace quillo

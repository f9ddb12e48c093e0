#pragma once
// The main window: owns the document's editor, the settings and everything
// else of one editor process, and runs start-up and exit in their fixed order.
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/commands/action_registry.h"
#include "app/find/find_panel.h"
#include "app/window/icons.h"
#include "app/window/menus.h"
#include "app/editor/rich_edit.h"
#include "app/window/status_bar.h"
#include "app/window/tool_bar.h"
#include "app/platform/win_handles.h"
#include "core/command_line.h"
#include "core/goto_input.h"
#include "core/ini_file.h"
#include "core/key_map.h"
#include "core/settings_table.h"

namespace quillo {

// Private window messages other processes and plug-ins rely on.
enum : UINT {
  WM_QUILLO_TRAY = WM_USER + 100,
  WM_QUILLO_SAVE = WM_USER + 101,
  WM_QUILLO_ACTIVATE = WM_USER + 200,
  WM_QUILLO_RELOAD_BOOKMARKS = WM_USER + 300,
  WM_QUILLO_APPLY_SETTINGS = WM_USER + 400,
};

inline constexpr UINT kSysMenuAbout = 200;
inline constexpr wchar_t kMainWindowClass[] = L"TQuilloMainForm";

class MainForm : public EditorEvents {
 public:
  MainForm() = default;
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // Process entry: start-up, then the message loop until the program ends.
  int Run(HINSTANCE instance, const std::vector<std::u16string>& args);

  // Commands.
  void CloseProgram();
  void FileSaveExit();
  void FileSave();
  bool FileSaveAs();
  void EditPaste();
  void URLGoToLink();
  void URLCopyLink();
  void OptChangeKeybLayout();
  void ToggleInsertMode();
  void EditNoSelText();
  void InsertDateAndTime();

  // Search (find_actions.cpp, goto_actions.cpp).
  void ToggleFindPanel();
  void FindFind();
  void FindNextClick();
  void ReplaceClick();
  void ReplaceAllClick();
  void FindClipbrd();
  void EditGoToLine();
  void GoToPercent(int percent);
  void GoToPercentClick(int tag);
  void FindGoToBack();
  HWND FindPanelHandle() const { return findPanel_.Handle(); }

  // File commands (file_actions.cpp).
  void FileNew();
  void FileOpen();
  void FileSaveInCodePage(TCodePage page);
  void FileSaveUnderNewName();
  void FileUpdate();
  void FileInsertFrom();
  void FileSaveSelText();
  void FileAddTo();
  void FileSaveAll();
  void FileDelete();
  // The save items of the menus: without a file name, or when modified.
  bool SaveMenuItemsEnabled() const;

  // The code page of the view (codepage_actions.cpp). CodAuto detects it
  // from the shown text; ShowInCodePage switches the view (or, for DOS and
  // KOI with a selection, converts only the selection).
  void CodAutoOptToggle();
  void CodAuto();
  void ShowInCodePage(TCodePage page);

  // Reads the settings object's values and applies them to the window; the
  // background colour only with withBackground (at start-up).
  void ApplySettings(bool withBackground);
  // Section "View": the window's placement, read at start-up and written at exit.
  void ApplyWindowPlacement();
  void WriteWindowPlacement();

  // The document.
  void NewDocument();
  bool CloseDocument();
  void OpenFile(const std::wstring& path);
  // Gives the path written (a leading dot of the file name is dropped).
  std::wstring SaveFile(const std::wstring& path);
  void SetFileName(const std::wstring& path);
  void SetDialogFolder(const std::wstring& folder);
  std::wstring TitleFor(const std::wstring& path) const;

  MyRichEdit& Editor() { return editor_; }
  IniFile& Settings() { return settings_; }
  SettingValues& Values() { return values_; }
  ActionRegistry& Actions() { return actions_; }
  HWND Handle() const { return hwnd_; }
  HINSTANCE Instance() const { return instance_; }
  const std::wstring& CurrentFileName() const { return currentFileName_; }
  int LastChangePos() const { return lastChangePos_; }
  void SetLastChangePos(int pos) { lastChangePos_ = pos; }
  bool Closing() const { return closing_; }

  // Runs the action or window key bound to a key; true when it was used.
  bool HandleShortcut(UINT key);

  // A bar docked along the top or bottom edge, in the order docked (bottom
  // bars from the bottom up); height() gives 0 while it is hidden.
  void Dock(HWND bar, bool top, std::function<int()> height);
  void LayoutChildren();

  // The status bar's panels (all but the layout) and its layout panel.
  void UpdateStatusBar();
  void UpdateLayoutPanel();

  // The menus and bars (view_actions.cpp).
  HWND ToolBarHandle() const { return toolBar_.Handle(); }
  HWND StatusBarHandle() const { return statusBar_.Handle(); }
  WindowMenus& Menus() { return menus_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  bool OnCommand(UINT id);

  // Start-up; false when this process hands over to another window and ends.
  bool StartUp(const std::vector<std::u16string>& args);
  bool ApplyInstanceRule();
  void CreateEditor();
  void ReadAndApplySettings();
  void OpenStartupDocument();
  void AskToCreateMissingFile(const std::wstring& path);
  void RegisterExePath();
  void TakeFileLock(const std::wstring& path);
  void ReleaseFileLock();
  void ShowAbout();
  void ShowError(const std::string& utf8Message);
  bool RunWindowKey(WindowKeyEffect effect);

  // Each subsystem binds its actions in its own file.
  void BindActions();
  void BindEditorActions();
  void BindFileActions();
  void BindCodePageActions();
  void BindTextActions();
  void BindFindActions();
  void BindViewActions();
  void BindHelpActions();

  void CreateBars();
  bool OnBarNotify(NMHDR& header, LRESULT& result);
  void OnStatusBarClick(bool doubleClick);
  void ShowEditorMenu(LPARAM screenPoint);

  void CreateFindPanel();
  void StoreFindState();
  void FocusFindBoxOrFind();
  void ApplyFindPanelOnActivate();
  bool FindPanelKey(UINT key);
  bool PasteIntoFindField();
  void FindFromField(const std::wstring& text);
  bool FillFindHistoryMenu(HMENU menu);
  void FindHistoryClick(int index);
  void MoveCaretTo(CaretTarget target);
  void BindGoToActions();

  // EditorEvents.
  void OnEditorChange() override;
  void OnEditorKeyDown(WPARAM key, unsigned modifiers) override;
  void OnEditorKeyUp() override;
  void OnEditorMouseDown() override;
  void OnEditorWheel(bool up, unsigned modifiers) override;
  void OnEditorScroll() override;
  void OnEditorLangChange(HKL layout) override;
  void OnEditorUrlClick(const std::string& link, bool leftButton) override;
  void OnEditorPaste() override;
  bool PasteOnInsert() const override;
  void OnEditorPositionMark(int digit, bool store) override;
  void OnEditorLayoutRestored() override;

  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
  MyRichEdit editor_;
  ActionRegistry actions_;
  KeyMap keyMap_;
  struct DockedBar {
    HWND hwnd;
    bool top;
    std::function<int()> height;
  };
  std::vector<DockedBar> docked_;

  std::wstring settingsFileName_;
  IniFile settings_;
  SettingValues values_;
  StartCommand start_;

  std::wstring currentFileName_;
  std::wstring dialogFolder_;
  bool closing_ = false;
  bool savedAs_ = false;
  KernelHandle fileLock_;
  int lastChangePos_ = -1;
  std::string currentLink_;
  std::array<CaretPos, 10> positionMarks_{};

  Icons icons_;
  WindowMenus menus_;
  ToolBar toolBar_;
  StatusBar statusBar_;
  FindPanel findPanel_;
};

}  // namespace quillo

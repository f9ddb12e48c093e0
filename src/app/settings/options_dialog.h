#pragma once
// "Настройки": the settings dialog with its six pages. It edits a copy of
// the values (OptionsFields) and hands it back on "ОК"; what acts at once
// (the font buttons, deleting an extension, changing an icon, the colour and
// font dialogs, opening the plug-ins folder) goes through its host.
#include <windows.h>

#include <string>
#include <vector>

#include "core/setting_values.h"

namespace quillo {

struct ExtensionLine {
  std::wstring ext;
  bool checked = false;  // associated with the program
  std::wstring icon;     // the icon registered for it when the list was last read
};

struct OptionsFields {
  // "Общие"
  bool autoSave = false, pasteIns = false;
  std::wstring historyCount, fileManager;
  int saveCoding = 0;  // a button of SaveCodePageChoices(); one past them: "Установленной"
  int defCoding = 0;   // a button of DefaultCodePageChoices()
  int openFileStrat = 0;  // 0 a new document, 1 the last one
  // "Привязка к файлам"
  bool openWith = false;
  std::vector<ExtensionLine> extensions;  // shown sorted
  // "Вид"
  int titleType = 1;
  bool minToTray = false, url = false, hints = false, clipbrdPlus = false, iconsInMenus = false,
       showShortCut = false, popupSimple = false;
  // "Дополнительно"
  bool fsToolBar = false, fsScrollBar = false, fsStatusBar = false, fsMenu = false;
  bool roEnable = false, scrollLock = false, savePosition = false;
  Color roBackground = kWhite;
  std::wstring defFileName;
};

class OptionsDialogHost {
 public:
  virtual ~OptionsDialogHost() = default;
  virtual std::vector<std::wstring> PlugInLines() = 0;
  // 0: the editor's font; 1 to 4: the quick-switch fonts.
  virtual FontSetting Font(int number) = 0;
  virtual void PickFont(HWND owner, int number) = 0;
  virtual bool PickColor(HWND owner, Color& color) = 0;
  virtual void OpenPlugInsFolder() = 0;
  virtual bool BrowseProgram(HWND owner, std::wstring& path) = 0;
  // "Удалить": an associated extension is given back at once.
  virtual void UnassociateNow(const std::wstring& ext) = 0;
  virtual std::wstring ExtensionIcon(const std::wstring& ext) = 0;
  virtual void SetExtensionIconNow(const std::wstring& icon, const std::wstring& ext) = 0;
};

// Modal, centred on owner, always opening on "Общие". On "ОК" (or Enter)
// `fields` takes the edited values and the result is true; on "Отмена" (or
// Esc) it is left as it was.
bool RunOptionsDialog(HWND owner, OptionsFields& fields, OptionsDialogHost& host);

}  // namespace quillo

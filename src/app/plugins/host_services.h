#pragma once
// What the program does for a plug-in: one operation per method of the
// plug-in interface. HostTable (host_table.h) turns a plug-in's calls into
// calls of this interface; the program implements it over its main window.
//
// Portable on purpose (no Windows headers): window, menu, icon and module
// handles travel as integers of pointer size, callback pointers likewise.
// Texts are Windows-1251 bytes. A method may throw: the plug-in then gets the
// neutral result (empty, 0, false) and Failed() is told.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillo {

using NativeHandle = std::uintptr_t;     // HWND, HMENU, HICON, HINSTANCE
using CallbackAddress = std::uintptr_t;  // a function in the plug-in; 0 = none

// The seven notifications a plug-in can register for.
enum class PluginEvent { KeyDown, KeyUp, KeyPress, Change, FileOpen, FileClose, FileSave };

// A menu item as a plug-in creates or modifies it.
struct PluginMenuItem {
  CallbackAddress callback = 0;  // called with (index, host, modifier byte), stdcall on x86
  std::uintptr_t data = 0;       // kept with the item, never interpreted
  std::string caption;
  NativeHandle icon = 0;         // 0 = no image; otherwise the host adds a copy
  std::string shortCut;          // "Shift+Ctrl+F5"; empty or unknown = none
};

struct PluginFont {
  std::string name;
  std::int32_t size = 0;     // points
  std::int32_t charset = 0;  // 0-255
  std::string color;         // "$RRGGBB"
  std::int32_t height = 0;   // font units, negative = pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

class HostServices {
 public:
  virtual ~HostServices() = default;

  // The document; the four run inside the Russian-layout bracket.
  virtual std::string SelText() = 0;
  virtual void SetSelText(std::string_view text) = 0;         // caret after the inserted text
  virtual std::string DocumentText() = 0;
  virtual void SetDocumentText(std::string_view text) = 0;    // one edit, caret kept, modified set

  virtual NativeHandle MainWindow() = 0;
  virtual NativeHandle MainMenu() = 0;

  // Menu items (InsertMenuItemAt: windows.h turns the plain name into a
  // macro). parent: -1 ... -21 one of the program's menus (the SDK's
  // QUILLO_MENU_ values), 0 or more a plug-in item that becomes a submenu.
  // Results: the new item's index, never reused; Modify: false for a
  // negative index or a deleted item.
  virtual std::int32_t AddMenuItem(const PluginMenuItem& item, std::int32_t parent) = 0;
  virtual std::int32_t InsertMenuItemAt(const PluginMenuItem& item, std::int32_t position,
                                        std::int32_t parent) = 0;  // parent -9: appended
  virtual bool ModifyMenuItem(const PluginMenuItem& item, std::int32_t index) = 0;
  // An invalid or deleted item reads as false and ignores changes.
  virtual bool MenuItemChecked(std::int32_t index) = 0;
  virtual void SetMenuItemChecked(std::int32_t index, bool value) = 0;
  virtual bool MenuItemEnabled(std::int32_t index) = 0;
  virtual void SetMenuItemEnabled(std::int32_t index, bool value) = 0;
  virtual bool DeleteMenuItem(std::int32_t index) = 0;  // false while it has sub-items

  virtual std::string FileName() = 0;                    // empty for a new document
  virtual void SetFileName(std::string_view name) = 0;   // normalised, title updated; text untouched
  virtual bool Modified() = 0;
  virtual void SetModified(bool value) = 0;

  virtual std::int32_t CaretLine() = 0;
  virtual std::int32_t CaretColumn() = 0;
  virtual void SetCaretPosition(std::int32_t column, std::int32_t line) = 0;
  virtual std::int32_t SelLength() = 0;
  virtual void SetSelLength(std::int32_t length) = 0;
  virtual std::int32_t TextLength() = 0;
  virtual std::int32_t SelStart() = 0;
  virtual void SetSelStart(std::int32_t position) = 0;   // empty selection there
  virtual NativeHandle EditorWindow() = 0;

  virtual std::string HostVersion() = 0;                 // "major.minor build n", or empty
  virtual std::string WordAtCursor() = 0;                // inside the Russian-layout bracket
  virtual std::int32_t WordAtCursorLength() = 0;

  // Callback registration of the plug-in whose module handle is given;
  // nothing happens (or 0 is read) for a handle no loaded plug-in has.
  virtual void SetCallback(NativeHandle plugin, PluginEvent event, CallbackAddress proc) = 0;
  virtual CallbackAddress Callback(NativeHandle plugin, PluginEvent event) = 0;

  virtual PluginFont Font() = 0;
  virtual void SetFont(const PluginFont& font) = 0;  // name, size, charset, colour, then styles; not height

  virtual void ReloadSettings() = 0;                 // from memory; all but the background
  virtual void BeginTextUpdate() = 0;                // nests
  virtual void EndTextUpdate() = 0;
  virtual std::int32_t ReloadBookmarks() = 0;        // the result of WM_RELOADBOOKMARKS
  virtual std::string BackgroundColor() = 0;         // "RRGGBB", without "$"
  virtual void SetBackgroundColor(std::string_view color) = 0;  // with or without "$"; bad text: black
  virtual NativeHandle ToolBarWindow() = 0;
  virtual NativeHandle StatusBarWindow() = 0;

  // A method above threw while a plug-in called it (method: the slot's name
  // in the plug-in interface, such as "SetDocumentText").
  virtual void Failed(std::string_view method, std::string_view reason) noexcept = 0;
};

}  // namespace quillo

#pragma once
// The menu items plug-ins create (TPlugInMenuItem): in any of the program's
// menus a plug-in can name, or under another plug-in item, which then opens
// a submenu. An item's index is its handle for the plug-in and is never
// reused; its menu command id follows from it.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/plugins/host_services.h"
#include "core/shortcut.h"

namespace quillo {

struct AppContext;
class Icons;

class PlugInMenuItems {
 public:
  PlugInMenuItems(AppContext& ctx, Icons& icons) : ctx_(ctx), icons_(icons) {}
  PlugInMenuItems(const PlugInMenuItems&) = delete;
  PlugInMenuItems& operator=(const PlugInMenuItems&) = delete;

  // Creates an item in the menu the parent number names (-1 … -21, or an
  // item's index) at the end, or at position when given (the editor's
  // context menu always appends). The new index; -1 when the parent names
  // no menu or no live item. owner: the library the item belongs to.
  std::int32_t Create(const PluginMenuItem& item, std::int32_t parent, std::optional<int> position,
                      HMODULE owner);
  // Data, callback, caption, shortcut and image anew; false for an index
  // that is negative, unknown or deleted.
  bool Modify(const PluginMenuItem& item, std::int32_t index);
  // An invalid or deleted item reads as false and ignores changes.
  bool Checked(std::int32_t index) const;
  void SetChecked(std::int32_t index, bool on);
  bool Enabled(std::int32_t index) const;
  void SetEnabled(std::int32_t index, bool on);
  // Removes an item without sub-items; false otherwise.
  bool Delete(std::int32_t index);

  // What choosing the item calls: its callback (0: none) and the library it
  // belongs to. Nothing for a deleted or disabled item.
  struct Choice {
    CallbackAddress callback;
    HMODULE owner;
  };
  std::optional<Choice> Choose(std::int32_t index) const;
  // The live, enabled item whose shortcut this key is; -1 for none.
  std::int32_t ItemForKey(int key, std::uint8_t modifiers) const;

  // Removes every item of this library, with whatever hangs under them.
  void DeleteItemsOf(HMODULE owner);
  // A menu about to open: items of the program's menu that went when the
  // menu got its table items anew (actions hidden or shown again) are put
  // back, in the order they were made and placed as they were then.
  void Restore(HMENU menu);
  // Forgets every item (their menus went with the window).
  void Clear() { items_.clear(); }

 private:
  struct Item {
    CallbackAddress callback = 0;
    std::uintptr_t data = 0;
    std::string caption;  // Windows-1251
    std::optional<Shortcut> shortcut;
    HMENU menu = nullptr;     // the native menu that holds it
    HMENU submenu = nullptr;  // while it has sub-items
    std::int32_t parent = -1; // the plug-in item it hangs under
    std::optional<int> position;  // where it was inserted; none: appended
    int image = -1;               // in the image list
    int children = 0;
    bool showsShortcut = false;
    bool checked = false;
    bool enabled = true;
    HMODULE owner = nullptr;
  };

  Item* Live(std::int32_t index);
  const Item* Live(std::int32_t index) const;
  HMENU MenuForParent(std::int32_t parent, bool& showsShortcut);
  int PositionOf(std::int32_t index) const;
  bool InsertNative(std::int32_t index, int at);
  void ShowText(std::int32_t index);
  void ShowImage(std::int32_t index, NativeHandle icon);
  void MenuChanged(HMENU menu) const;
  void DeleteWithSubItems(std::int32_t index);

  AppContext& ctx_;
  Icons& icons_;
  std::vector<std::unique_ptr<Item>> items_;  // null once deleted
};

}  // namespace quillo

#pragma once
// The program's 16x16 images: one strip resource in one image list, shown by
// the tool bar and drawn beside menu items.
#include <windows.h>
#include <commctrl.h>

#include "app/platform/win_handles.h"
#include "core/action_table.h"

namespace quillo {

inline constexpr wchar_t kToolIconsResource[] = L"TOOLICONS";
inline constexpr int kIconSize = 16;

// The strip's image of an action; -1 when it has none.
int IconIndexOf(ActionId action);

class Icons {
 public:
  // Loads the strip; false when the resource is missing.
  bool Load(HINSTANCE instance);

  HIMAGELIST ImageList() const { return list_; }
  // The action's image in the list; -1 when it has none or nothing was loaded.
  int IndexOf(ActionId action) const { return list_ ? IconIndexOf(action) : -1; }
  // Appends a copy of the icon; its index, or -1 when it could not be added.
  int AddIcon(HICON icon) { return list_ ? ImageList_ReplaceIcon(list_, -1, icon) : -1; }

 private:
  ImageListHandle list_;
};

}  // namespace quillo

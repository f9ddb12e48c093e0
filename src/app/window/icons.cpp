#include "app/window/icons.h"

#include <iterator>

namespace quillo {
namespace {

struct ActionIcon {
  ActionId action;
  int index;
};

constexpr ActionIcon kActionIcons[] = {
#include "app/resources/tool_icons.inc"
};

}  // namespace

int IconIndexOf(ActionId action) {
  for (const ActionIcon& icon : kActionIcons)
    if (icon.action == action) return icon.index;
  return -1;
}

bool Icons::Load(HINSTANCE instance) {
  BitmapHandle strip(static_cast<HBITMAP>(
      LoadImageW(instance, kToolIconsResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!strip) return false;
  DIBSECTION dib{};
  const int count = static_cast<int>(std::size(kActionIcons));
  if (GetObjectW(strip, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 32 ||
      dib.dsBm.bmWidth < count * kIconSize || dib.dsBm.bmHeight != kIconSize)
    return false;
  list_.Reset(ImageList_Create(kIconSize, kIconSize, ILC_COLOR32, count, 16));
  ImageList_Add(list_, strip, nullptr);
  return true;
}

}  // namespace quillo

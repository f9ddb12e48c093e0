#pragma once
// The modifier byte plug-ins and several commands are given: 1 = Shift,
// 2 = Ctrl, 4 = Alt, from the keys' state at the moment of use.
#include <windows.h>

namespace quillo {

enum : unsigned { kShift = 1, kCtrl = 2, kAlt = 4 };

inline unsigned CurrentModifiers() {
  unsigned m = 0;
  if (GetKeyState(VK_SHIFT) < 0) m |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) m |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) m |= kAlt;
  return m;
}

inline bool ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

}  // namespace quillo

#pragma once
// Messages to every main window of the program, this one included.
#include <windows.h>

#include <cstdint>
#include <string>

#include "core/window_match.h"

namespace quillo {

// The order of a broadcast: every top-level window the mode selects by its
// caption or class name (core/window_match) gets the message posted.
struct WindowBroadcast {
  std::wstring text;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::uint8_t mode = kCaptionContains;
};

// Posts without waiting; the enumeration never stops early, and a window
// that has gone away meanwhile loses its copy silently.
void BroadcastToWindows(const WindowBroadcast& broadcast);

// Posts the message to every top-level window of the main window's class
// whose caption contains "Quillo". The class is checked too: a private
// message must never reach another program that merely has the word in its
// caption.
void PostToProgramWindows(UINT msg, WPARAM wp = 0, LPARAM lp = 0);

}  // namespace quillo

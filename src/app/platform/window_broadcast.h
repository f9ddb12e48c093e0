#pragma once
// Messages to every main window of the program, this one included.
#include <windows.h>

namespace quillo {

// Posts the message to every top-level window of the main window's class
// whose caption contains "Quillo". The class is checked too: a private
// message must never reach another program that merely has the word in its
// caption.
void PostToProgramWindows(UINT msg, WPARAM wp = 0, LPARAM lp = 0);

}  // namespace quillo

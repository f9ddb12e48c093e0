#pragma once
// Under Wine the rich-edit control takes its small blocks from a pool of its
// own (platform/slab_pool.h says why) instead of the process heap. Windows
// gives its heap a low-fragmentation front end and is left alone.
#include <windows.h>

namespace quillo {

// Sends the heap calls of the loaded control module to the pool; false, with
// nothing changed, outside Wine or when the module does not import the heap
// functions as expected. Safe to call again after the module was reloaded.
bool GiveControlItsOwnMemory(HMODULE richEdit);

}  // namespace quillo

#pragma once
// Pointers that may come from another process. A message such as WM_NOTIFY
// can be posted to a window by any process with a pointer of its own address
// space, which means nothing here; code that would read through it checks
// first that the memory is there.
#include <windows.h>

#include <cstddef>

namespace quillo {

// Whether [p, p + size) is committed memory this process may read.
bool IsReadableMemory(const void* p, size_t size);

// The header of a WM_NOTIFY that one of this thread's own windows sent; null
// for anything else (a pointer from another process, a window of another
// thread).
const NMHDR* OwnNotifyHeader(LPARAM lp);

}  // namespace quillo

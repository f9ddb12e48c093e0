#include "app/editor/control_memory.h"

#include <algorithm>
#include <cstring>

#include "app/platform/import_patch.h"
#include "app/platform/slab_pool.h"

namespace quillo {
namespace {

using HeapAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
using HeapFreeFn = BOOL(WINAPI*)(HANDLE, DWORD, LPVOID);
using HeapReAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, LPVOID, SIZE_T);
using CrtFreeFn = void(__cdecl*)(void*);

// The system's functions as the module imported them. Set once, before any
// block comes from the pool, and read by the replacements below: the import
// table can only call plain functions.
struct {
  HeapAllocFn alloc = nullptr;
  HeapFreeFn free = nullptr;
  HeapReAllocFn realloc = nullptr;
  CrtFreeFn crtFree = nullptr;
} heapCalls;

// Never destroyed: the control frees its blocks as late as the process's own
// end, after static objects are gone.
SlabPool& Pool() {
  static SlabPool* pool = new SlabPool;
  return *pool;
}

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

LPVOID WINAPI PoolAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  if (heap == GetProcessHeap()) {
    if (void* p = Pool().Allocate(bytes, (flags & HEAP_ZERO_MEMORY) != 0)) return p;
  }
  return heapCalls.alloc(heap, flags, bytes);
}

BOOL WINAPI PoolFree(HANDLE heap, DWORD flags, LPVOID p) {
  if (p && Pool().Free(p)) return TRUE;
  return heapCalls.free(heap, flags, p);
}

LPVOID WINAPI PoolReAlloc(HANDLE heap, DWORD flags, LPVOID p, SIZE_T bytes) {
  if (!p || !Pool().Owns(p)) return heapCalls.realloc(heap, flags, p, bytes);
  const bool stay = (flags & HEAP_REALLOC_IN_PLACE_ONLY) != 0;
  if (Pool().ResizeInPlace(p, bytes, stay)) return p;
  if (stay) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  void* moved = PoolAlloc(heap, flags, bytes);
  if (!moved) return nullptr;
  std::memcpy(moved, p, std::min<size_t>(Pool().BlockSize(p), bytes));
  Pool().Free(p);
  return moved;
}

void __cdecl PoolCrtFree(void* p) {
  if (p && !Pool().Free(p)) heapCalls.crtFree(p);
}

template <typename Fn>
bool Redirect(HMODULE module, const char* dll, const char* name, Fn replacement, Fn& original) {
  void* before = ReplaceImport(module, dll, name, reinterpret_cast<void*>(replacement));
  if (!before) return false;
  if (before != reinterpret_cast<void*>(replacement)) original = reinterpret_cast<Fn>(before);
  return true;
}

}  // namespace

bool GiveControlItsOwnMemory(HMODULE richEdit) {
  if (!richEdit || !UnderWine()) return false;
  // Freeing first: no block from the pool may ever reach the heap.
  if (!Redirect(richEdit, "kernel32.dll", "HeapFree", &PoolFree, heapCalls.free)) return false;
  if (!Redirect(richEdit, "kernel32.dll", "HeapReAlloc", &PoolReAlloc, heapCalls.realloc)) return false;
  for (const char* crt : {"ucrtbase.dll", "msvcrt.dll"})
    Redirect(richEdit, crt, "free", &PoolCrtFree, heapCalls.crtFree);
  return Redirect(richEdit, "kernel32.dll", "HeapAlloc", &PoolAlloc, heapCalls.alloc);
}

}  // namespace quillo

#include "app/platform/foreign_pointers.h"

#include <cstdint>

namespace quillo {

bool IsReadableMemory(const void* p, size_t size) {
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  auto at = reinterpret_cast<std::uintptr_t>(p);
  if (at == 0 || at + size < at) return false;
  const std::uintptr_t end = at + size;
  while (at < end) {
    MEMORY_BASIC_INFORMATION region{};
    if (VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof(region)) == 0) return false;
    if (region.State != MEM_COMMIT || (region.Protect & PAGE_GUARD) || !(region.Protect & kReadable)) return false;
    at = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
  }
  return true;
}

const NMHDR* OwnNotifyHeader(LPARAM lp) {
  const auto* header = reinterpret_cast<const NMHDR*>(lp);
  if (!IsReadableMemory(header, sizeof(NMHDR))) return nullptr;
  if (!IsWindow(header->hwndFrom) ||
      GetWindowThreadProcessId(header->hwndFrom, nullptr) != GetCurrentThreadId())
    return nullptr;
  return header;
}

}  // namespace quillo

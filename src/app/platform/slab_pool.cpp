#include "app/platform/slab_pool.h"

#include <array>
#include <cstring>

namespace quillo {
namespace {

// Steps of 16 bytes up to 512, then four sizes to every doubling: no block
// wastes more than a fifth of itself.
constexpr std::array<uint32_t, 48> kSizes = {
    16,   32,   48,   64,   80,   96,   112,  128,  144,  160,  176,  192,  208,   224,   240,   256,
    272,  288,  304,  320,  336,  352,  368,  384,  400,  416,  432,  448,  464,   480,   496,   512,
    640,  768,  896,  1024, 1280, 1536, 1792, 2048, 2560, 3072, 3584, 4096, 6144,  8192,  12288, 16384,
};

constexpr uint16_t kNoClass = 0xFFFF;

// Address space is taken in large reservations and committed a slab at a
// time; a 32-bit process has little of it to spare.
constexpr size_t kRegionBytes = sizeof(void*) == 8 ? size_t(1) << 30 : size_t(64) << 20;
constexpr size_t kSmallestRegion = SlabPool::kSlabBytes * 16;
// Empty slabs kept committed for the next blocks before any goes back.
constexpr size_t kEmptyKept = 64;

uint16_t ClassOf(size_t bytes) {
  if (bytes <= 512) return static_cast<uint16_t>(bytes <= 16 ? 0 : (bytes + 15) / 16 - 1);
  uint16_t c = 32;
  while (kSizes[c] < bytes) ++c;
  return c;
}

uint32_t Capacity(uint16_t sizeClass) { return static_cast<uint32_t>(SlabPool::kSlabBytes / kSizes[sizeClass]); }

// Holds the pool's lock for a scope: shared for reading, exclusive for
// changing.
class Hold {
 public:
  Hold(SRWLOCK& lock, bool exclusive) : lock_(lock), exclusive_(exclusive) {
    exclusive_ ? AcquireSRWLockExclusive(&lock_) : AcquireSRWLockShared(&lock_);
  }
  ~Hold() { exclusive_ ? ReleaseSRWLockExclusive(&lock_) : ReleaseSRWLockShared(&lock_); }
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;

 private:
  SRWLOCK& lock_;
  bool exclusive_;
};

}  // namespace

struct SlabPool::Slab {
  char* base = nullptr;
  void* free = nullptr;  // freed blocks, each holding the next one's address
  Slab* prev = nullptr;
  Slab* next = nullptr;
  uint32_t live = 0;   // blocks handed out
  uint32_t fresh = 0;  // blocks from this index on were never handed out
  uint16_t sizeClass = kNoClass;
};

struct SlabPool::Region {
  char* base = nullptr;
  size_t bytes = 0;
  size_t carved = 0;  // slabs taken into use, from the start
  std::vector<Slab> slabs;
};

void SlabPool::SlabList::Push(Slab* s) {
  s->prev = nullptr;
  s->next = head;
  if (head) head->prev = s;
  head = s;
  ++count;
}

void SlabPool::SlabList::Remove(Slab* s) {
  if (s->prev)
    s->prev->next = s->next;
  else
    head = s->next;
  if (s->next) s->next->prev = s->prev;
  s->prev = s->next = nullptr;
  --count;
}

SlabPool::SlabPool() = default;

SlabPool::~SlabPool() {
  for (const auto& region : regions_) VirtualFree(region->base, 0, MEM_RELEASE);
}

SlabPool::Slab* SlabPool::SlabOf(const void* p) const {
  const char* c = static_cast<const char*>(p);
  for (const auto& region : regions_) {
    if (c >= region->base && c < region->base + region->bytes)
      return &region->slabs[static_cast<size_t>(c - region->base) / kSlabBytes];
  }
  return nullptr;
}

SlabPool::Slab* SlabPool::CarveSlab() {
  Region* region = regions_.empty() ? nullptr : regions_.back().get();
  if (!region || region->carved * kSlabBytes >= region->bytes) {
    auto fresh = std::make_unique<Region>();
    for (size_t bytes = kRegionBytes; bytes >= kSmallestRegion && !fresh->base; bytes /= 2) {
      fresh->base = static_cast<char*>(VirtualAlloc(nullptr, bytes, MEM_RESERVE, PAGE_READWRITE));
      fresh->bytes = bytes;
    }
    if (!fresh->base) return nullptr;
    fresh->slabs.resize(fresh->bytes / kSlabBytes);
    for (size_t i = 0; i < fresh->slabs.size(); ++i) fresh->slabs[i].base = fresh->base + i * kSlabBytes;
    regions_.push_back(std::move(fresh));
    region = regions_.back().get();
  }
  Slab* s = &region->slabs[region->carved];
  if (!VirtualAlloc(s->base, kSlabBytes, MEM_COMMIT, PAGE_READWRITE)) return nullptr;
  ++region->carved;
  committed_ += kSlabBytes;
  return s;
}

SlabPool::Slab* SlabPool::TakeSlab(uint16_t sizeClass) {
  Slab* s = emptyCommitted_.head;
  if (s) {
    emptyCommitted_.Remove(s);
  } else if ((s = emptyReleased_.head)) {
    if (!VirtualAlloc(s->base, kSlabBytes, MEM_COMMIT, PAGE_READWRITE)) return nullptr;
    emptyReleased_.Remove(s);
    committed_ += kSlabBytes;
  } else if (!(s = CarveSlab())) {
    return nullptr;
  }
  s->sizeClass = sizeClass;
  s->free = nullptr;
  s->live = 0;
  s->fresh = 0;
  return s;
}

void SlabPool::Retire(Slab* s) {
  s->sizeClass = kNoClass;
  if (emptyCommitted_.count < kEmptyKept) {
    emptyCommitted_.Push(s);
    return;
  }
  VirtualFree(s->base, kSlabBytes, MEM_DECOMMIT);
  committed_ -= kSlabBytes;
  emptyReleased_.Push(s);
}

void* SlabPool::Allocate(size_t bytes, bool zeroed) {
  if (bytes > kLargestBlock) return nullptr;
  const uint16_t c = ClassOf(bytes);
  const size_t size = kSizes[c];
  char* p = nullptr;
  {
    Hold hold(lock_, true);
    Slab* s = withRoom_[c].head;
    if (!s) {
      if (!(s = TakeSlab(c))) return nullptr;
      withRoom_[c].Push(s);
    }
    if (s->free) {
      p = static_cast<char*>(s->free);
      std::memcpy(&s->free, p, sizeof(void*));
    } else {
      p = s->base + size * s->fresh++;
    }
    if (++s->live == Capacity(c)) withRoom_[c].Remove(s);
  }
  if (zeroed)
    std::memset(p, 0, size);
  else
    std::memset(p + bytes, 0, size - bytes);
  return p;
}

bool SlabPool::Owns(const void* p) const {
  Hold hold(lock_, false);
  return SlabOf(p) != nullptr;
}

size_t SlabPool::BlockSize(const void* p) const {
  Hold hold(lock_, false);
  const Slab* s = SlabOf(p);
  return s && s->sizeClass != kNoClass ? kSizes[s->sizeClass] : 0;
}

bool SlabPool::Free(void* p) {
  Hold hold(lock_, true);
  Slab* s = SlabOf(p);
  if (!s) return false;
  if (s->sizeClass == kNoClass || s->live == 0) return true;
  const uint16_t c = s->sizeClass;
  std::memcpy(p, &s->free, sizeof(void*));
  s->free = p;
  if (s->live-- == Capacity(c)) withRoom_[c].Push(s);
  if (s->live == 0) {
    withRoom_[c].Remove(s);
    Retire(s);
  }
  return true;
}

bool SlabPool::ResizeInPlace(void* p, size_t bytes, bool mustStay) {
  const size_t size = BlockSize(p);
  if (bytes > size || (!mustStay && bytes * 2 < size && bytes > 0 && size > 16)) return false;
  std::memset(static_cast<char*>(p) + bytes, 0, size - bytes);
  return true;
}

size_t SlabPool::CommittedBytes() const {
  Hold hold(lock_, false);
  return committed_;
}

}  // namespace quillo

#pragma once
// Memory for very many small blocks: each block size has slabs of its own,
// so finding room is a list pop whatever came and went before. Made for the
// rich-edit control under Wine, whose heap (no low-fragmentation front end)
// walks ever longer free lists once a large document has been edited: a
// resize of the editor over 2 MB took a minute in the program against two
// seconds in a fresh process.
//
// Blocks up to kLargestBlock; for larger ones Allocate returns null and the
// caller uses its heap. The bytes of a block past what was asked for are
// kept zero, so a block grown in place reads zero there as the heap's
// HEAP_ZERO_MEMORY promises. Thread-safe.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quillo {

class SlabPool {
 public:
  static constexpr size_t kLargestBlock = 16384;
  static constexpr size_t kSlabBytes = 65536;

  SlabPool();
  ~SlabPool();
  SlabPool(const SlabPool&) = delete;
  SlabPool& operator=(const SlabPool&) = delete;

  // At least `bytes`, all zero when `zeroed`; null above kLargestBlock or
  // when the system gives no more memory.
  void* Allocate(size_t bytes, bool zeroed);
  bool Owns(const void* p) const;
  // The usable size of an owned block.
  size_t BlockSize(const void* p) const;
  // False, with nothing done, for a block the pool does not own.
  bool Free(void* p);
  // An owned block keeps its place for `bytes` when it fits and, unless
  // `mustStay`, is not wasting more than half of it; false means the caller
  // moves it.
  bool ResizeInPlace(void* p, size_t bytes, bool mustStay);

  // Committed memory, for tests: empty slabs beyond a small reserve go back.
  size_t CommittedBytes() const;

 private:
  struct Slab;
  struct Region;
  struct SlabList {
    Slab* head = nullptr;
    size_t count = 0;
    void Push(Slab* s);
    void Remove(Slab* s);
  };

  static constexpr size_t kClassCount = 48;

  Slab* SlabOf(const void* p) const;
  Slab* TakeSlab(uint16_t sizeClass);
  Slab* CarveSlab();
  void Retire(Slab* s);

  mutable SRWLOCK lock_ = SRWLOCK_INIT;
  std::vector<std::unique_ptr<Region>> regions_;
  SlabList withRoom_[kClassCount];
  SlabList emptyCommitted_;
  SlabList emptyReleased_;
  size_t committed_ = 0;
};

}  // namespace quillo

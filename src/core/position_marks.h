#pragma once
// The ten numbered position marks of the current document: caret positions
// stored and recalled by Ctrl+Shift+digit / Ctrl+digit and by the actions
// LocalBM0 … LocalBM9, whose captions show them.
#include <array>
#include <optional>
#include <string>

#include "core/caret_pos.h"

namespace quillo {

class PositionMarks {
 public:
  static constexpr int kCount = 10;

  // Every slot empty, as for a new document.
  PositionMarks() { Clear(); }
  void Clear();

  // A slot is set when neither number is negative. Slots outside 0-9 are
  // never set and ignore stores.
  std::optional<CaretPos> Get(int slot) const;
  void Set(int slot, CaretPos caret);

  // The action of the slot: an empty slot, or Shift held, stores `caret` and
  // gives nothing; a set slot gives its place to move the caret to.
  std::optional<CaretPos> Use(int slot, CaretPos caret, bool shift);

  // UTF-8: "№ 3: 12:1" (line and column from 1), "№ 0: <пусто>".
  std::string Caption(int slot) const;

 private:
  std::array<CaretPos, kCount> slots_;
};

}  // namespace quillo

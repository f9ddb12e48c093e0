#include "core/position_marks.h"

#include <cstdint>

namespace quillo {
namespace {

bool InRange(int slot) { return slot >= 0 && slot < PositionMarks::kCount; }

}  // namespace

void PositionMarks::Clear() { slots_.fill(CaretPos{-1, -1}); }

std::optional<CaretPos> PositionMarks::Get(int slot) const {
  if (!InRange(slot)) return std::nullopt;
  const CaretPos caret = slots_[slot];
  if (caret.column < 0 || caret.line < 0) return std::nullopt;
  return caret;
}

void PositionMarks::Set(int slot, CaretPos caret) {
  if (InRange(slot)) slots_[slot] = caret;
}

std::optional<CaretPos> PositionMarks::Use(int slot, CaretPos caret, bool shift) {
  const std::optional<CaretPos> stored = Get(slot);
  if (stored && !shift) return stored;
  Set(slot, caret);
  return std::nullopt;
}

std::string PositionMarks::Caption(int slot) const {
  std::string caption = "№ " + std::to_string(slot) + ": ";
  const std::optional<CaretPos> caret = Get(slot);
  if (!caret) return caption + "<пусто>";
  return caption + std::to_string(std::int64_t{caret->line} + 1) + ":" +
         std::to_string(std::int64_t{caret->column} + 1);
}

}  // namespace quillo

#pragma once
// The ten numbered position marks of the document: Ctrl+Shift+digit stores
// the caret, Ctrl+digit brings it back; the actions LocalBM0 … LocalBM9
// ("Закладки" under "Поиск" and the line-count panel's menu) show each
// mark in their caption and store or recall it. A new document starts with
// none.
#include "core/position_marks.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class PositionMarkKeys {
 public:
  explicit PositionMarkKeys(AppContext& ctx) : ctx_(ctx) {}

  void Bind(ActionRegistry& actions);
  void Clear() { marks_.Clear(); }
  void OnKey(int digit, bool store);

 private:
  // The action of a slot: an empty slot, or Shift held, stores the caret.
  void Use(int slot);
  void GoTo(CaretPos caret);

  AppContext& ctx_;
  PositionMarks marks_;
};

}  // namespace quillo

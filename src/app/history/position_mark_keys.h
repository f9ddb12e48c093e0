#pragma once
// The ten numbered position marks of the document: Ctrl+Shift+digit stores
// the caret, Ctrl+digit brings it back. A new document starts with none.
#include "core/position_marks.h"

namespace quillo {

struct AppContext;

class PositionMarkKeys {
 public:
  explicit PositionMarkKeys(AppContext& ctx) : ctx_(ctx) {}

  void Clear() { marks_.Clear(); }
  void OnKey(int digit, bool store);

 private:
  AppContext& ctx_;
  PositionMarks marks_;
};

}  // namespace quillo

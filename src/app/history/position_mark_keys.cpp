#include "app/history/position_mark_keys.h"

#include "app/app_context.h"
#include "app/editor/rich_edit.h"

namespace quillo {

void PositionMarkKeys::OnKey(int digit, bool store) {
  if (store) {
    marks_.Set(digit, ctx_.editor.GetCaretPos());
  } else if (auto mark = marks_.Get(digit)) {
    ctx_.editor.SetCaretPos(*mark);
    ctx_.editor.ScrollCaret();
  }
}

}  // namespace quillo

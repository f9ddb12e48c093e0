#include "app/history/position_mark_keys.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"
#include "app/platform/keyboard.h"

namespace quillo {

namespace {

constexpr ActionId kMarkActions[] = {
    ActionId::LocalBM0, ActionId::LocalBM1, ActionId::LocalBM2, ActionId::LocalBM3, ActionId::LocalBM4,
    ActionId::LocalBM5, ActionId::LocalBM6, ActionId::LocalBM7, ActionId::LocalBM8, ActionId::LocalBM9,
};

}  // namespace

void PositionMarkKeys::Bind(ActionRegistry& actions) {
  for (ActionId id : kMarkActions) {
    const int slot = GetAction(id).tag;
    actions.Bind(id, [this, slot] { Use(slot); }, [this, slot] {
      ActionState state;
      state.caption = marks_.Caption(slot);
      return state;
    });
  }
}

void PositionMarkKeys::OnKey(int digit, bool store) {
  if (store) {
    marks_.Set(digit, ctx_.editor.GetCaretPos());
  } else if (auto mark = marks_.Get(digit)) {
    GoTo(*mark);
  }
}

void PositionMarkKeys::Use(int slot) {
  if (auto mark = marks_.Use(slot, ctx_.editor.GetCaretPos(), ShiftHeld())) GoTo(*mark);
}

void PositionMarkKeys::GoTo(CaretPos caret) {
  ctx_.editor.SetCaretPos(caret);
  ctx_.editor.ScrollCaret();
}

}  // namespace quillo

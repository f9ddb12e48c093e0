#include "app/window/editor_event_router.h"

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/commands/edit_commands.h"
#include "app/commands/link_commands.h"
#include "app/document/document.h"
#include "app/history/position_mark_keys.h"
#include "app/plugins/plug_ins.h"
#include "app/settings/settings_store.h"
#include "app/window/status_view.h"

namespace quillo {

void EditorEventRouter::OnEditorChange() {
  plugIns_.OnTextChanged();
  ctx_.document.SetLastChangePos(ctx_.editor.SelStart());
  ctx_.status.Update();
}

void EditorEventRouter::OnEditorKeyDown(WPARAM, unsigned) { ctx_.status.Update(); }
void EditorEventRouter::OnEditorKeyUp() { ctx_.status.Update(); }
void EditorEventRouter::OnEditorMouseDown() {
  links_.OnMouseDown();
  ctx_.status.Update();
}

// The caret moved, by the mouse too: the click's own refresh comes before
// the control moves the caret.
void EditorEventRouter::OnEditorSelectionChange() { ctx_.status.Update(); }

void EditorEventRouter::OnEditorWheel(bool up, unsigned modifiers) {
  if (modifiers == kCtrl) ctx_.actions.Run(up ? ActionId::OptFontp1 : ActionId::OptFontm1);
  ctx_.status.Update();
}

void EditorEventRouter::OnEditorScroll() { ctx_.status.Update(); }
void EditorEventRouter::OnEditorLangChange(HKL) { ctx_.status.UpdateLayoutPanel(); }
void EditorEventRouter::OnEditorLayoutRestored() { ctx_.status.UpdateLayoutPanel(); }
void EditorEventRouter::OnEditorLoading() { ctx_.status.Update(); }

void EditorEventRouter::OnEditorUrlClick(const std::string& link, bool leftButton) {
  links_.OnClick(link, leftButton);
}

void EditorEventRouter::OnEditorPaste() { edit_.Paste(); }
bool EditorEventRouter::PasteOnInsert() const { return ctx_.settings.Values().ins; }

void EditorEventRouter::OnEditorPositionMark(int digit, bool store) { marks_.OnKey(digit, store); }

}  // namespace quillo

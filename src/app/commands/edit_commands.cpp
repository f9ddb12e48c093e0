#include "app/commands/edit_commands.h"

#include <windows.h>

#include "app/app_context.h"
#include "app/commands/action_registry.h"
#include "app/editor/rich_edit.h"

namespace quillo {

void EditCommands::Bind(ActionRegistry& a) {
  MyRichEdit& editor = ctx_.editor;
  a.Bind(ActionId::EditUndo, [&editor] { editor.Undo(); });
  a.Bind(ActionId::EditRedo, [&editor] { editor.Redo(); });
  a.Bind(ActionId::EditCut, [&editor] { editor.CutToClipboard(); });
  a.Bind(ActionId::EditCopy, [&editor] { editor.CopyToClipboard(); });
  a.Bind(ActionId::EditPaste, [this] { Paste(); });
  a.Bind(ActionId::EditDelete, [&editor] { editor.ClearSelection(); });
  a.Bind(ActionId::EditSelectAll, [&editor] { editor.SelectAll(); });
  a.Bind(ActionId::EditNoSelText, [this] { Deselect(); });
  a.Bind(ActionId::OptInsMode, [this] { ToggleInsertMode(); });
  a.Bind(ActionId::OptChangeKeybLayout, [this] { ChangeKeyboardLayout(); });
}

void EditCommands::Paste() {
  if (pasteIntoField_ && pasteIntoField_()) return;
  ctx_.editor.BeginRussianLayout();
  ctx_.editor.PasteFromClipboard();
  ctx_.editor.EndRussianLayout();
}

void EditCommands::ToggleInsertMode() { ctx_.editor.SendOwnInsertKey(); }

void EditCommands::ChangeKeyboardLayout() {
  ActivateKeyboardLayout(reinterpret_cast<HKL>(HKL_NEXT), KLF_REORDER);
  HKL layout = GetKeyboardLayout(0);
  SendMessageW(ctx_.editor.Handle(), WM_INPUTLANGCHANGEREQUEST, 0, reinterpret_cast<LPARAM>(layout));
}

void EditCommands::Deselect() {
  MyRichEdit& editor = ctx_.editor;
  if (editor.SelLength() > 0) editor.SetSelStart(editor.SelStart());
}

}  // namespace quillo

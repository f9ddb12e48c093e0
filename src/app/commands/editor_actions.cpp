// The standard edit actions and the editor's own commands.
#include <windows.h>

#include "app/window/main_form.h"

namespace quillo {

void MainForm::BindEditorActions() {
  auto& a = actions_;
  auto hasSelection = [this] { return ActionState::Enabled(editor_.SelLength() > 0); };
  a.Bind(ActionId::CloseProgram, [this] { CloseProgram(); });
  a.Bind(ActionId::FileSaveExit, [this] { FileSaveExit(); });
  a.Bind(ActionId::EditUndo, [this] { editor_.Undo(); },
         [this] { return ActionState::Enabled(editor_.CanUndo()); });
  a.Bind(ActionId::EditRedo, [this] { editor_.Redo(); },
         [this] { return ActionState::Enabled(editor_.CanRedo()); });
  a.Bind(ActionId::EditCut, [this] { editor_.CutToClipboard(); }, hasSelection);
  a.Bind(ActionId::EditCopy, [this] { editor_.CopyToClipboard(); }, hasSelection);
  a.Bind(ActionId::EditPaste, [this] { EditPaste(); },
         [] { return ActionState::Enabled(IsClipboardFormatAvailable(CF_UNICODETEXT) != 0); });
  a.Bind(ActionId::EditDelete, [this] { editor_.ClearSelection(); }, hasSelection);
  a.Bind(ActionId::EditSelectAll, [this] { editor_.SelectAll(); });
  a.Bind(ActionId::EditNoSelText, [this] { EditNoSelText(); }, hasSelection);
  a.Bind(ActionId::OptInsMode, [this] { ToggleInsertMode(); });
  a.Bind(ActionId::OptChangeKeybLayout, [this] { OptChangeKeybLayout(); });
  a.Bind(ActionId::URLGoToLink, [this] { URLGoToLink(); },
         [this] { return ActionState::Enabled(!currentLink_.empty()); });
  a.Bind(ActionId::URLCopyLink, [this] { URLCopyLink(); },
         [this] { return ActionState::Enabled(!currentLink_.empty()); });
}

}  // namespace quillo

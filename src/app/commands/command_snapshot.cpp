#include "app/commands/command_snapshot.h"

#include "app/app_context.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/platform/clipboard.h"

namespace quillo {

CommandSnapshot TakeCommandSnapshot(const AppContext& ctx, bool hasLink) {
  const MyRichEdit& editor = ctx.editor;
  CommandSnapshot s;
  if (!editor.Handle()) return s;
  s.hasSelection = editor.SelLength() > 0;
  s.hasText = editor.TextLength() > 0;
  s.hasFileName = !ctx.document.FileName().empty();
  s.modified = editor.Modified();
  s.canUndo = editor.CanUndo();
  s.canRedo = editor.CanRedo();
  s.clipboardHasText = ClipboardHasText();
  s.hasLink = hasLink;
  s.hasLastChange = ctx.document.LastChangePos() >= 0;
  s.hasWordAtCaret = !editor.WordAtCaret().empty();
  return s;
}

}  // namespace quillo

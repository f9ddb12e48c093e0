#include "app/history/saved_position.h"

#include "app/app_context.h"
#include "app/document/document.h"
#include "app/editor/rich_edit.h"
#include "app/history/bookmarks.h"
#include "app/history/recent_files.h"
#include "app/platform/ui_text.h"
#include "app/settings/settings_store.h"
#include "core/saved_caret.h"

namespace quillo {

void PutCaretAtSavedPosition(AppContext& ctx, const RecentFiles& recent, const Bookmarks& bookmarks) {
  if (!ctx.settings.Values().save_position || ctx.document.FileName().empty()) return;
  const std::string file = Win1251FromWide(ctx.document.FileName());
  if (auto caret = SavedCaretFor(file, recent.List(), bookmarks.List())) {
    ctx.editor.SetCaretPos(*caret);
    ctx.editor.ScrollCaret();
  }
}

}  // namespace quillo

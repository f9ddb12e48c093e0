#include "core/saved_caret.h"

#include <algorithm>

#include "core/path_text.h"

namespace quillo {

std::optional<CaretPos> SavedCaretFor(std::string_view file_name, const MruManager& recent,
                                      const BmList& bookmarks) {
  const auto& marks = bookmarks.Items();
  const auto bookmark = std::find_if(marks.rbegin(), marks.rend(), [&](const Bookmark& item) {
    return SamePath(item.file_name, file_name);
  });
  if (bookmark != marks.rend()) return bookmark->caret;
  if (const RecentFile* entry = recent.Find(file_name)) return entry->caret;
  return std::nullopt;
}

}  // namespace quillo

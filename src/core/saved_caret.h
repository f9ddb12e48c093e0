#pragma once
// Where the caret goes when a file named on the command line is opened at
// start-up while the setting "SavePosition" is on.
#include <optional>
#include <string_view>

#include "core/bookmark_list.h"
#include "core/caret_pos.h"
#include "core/mru_manager.h"

namespace quillo {

// The place of the last bookmark into `file_name`, else that of the file's
// newest recent-files entry; file names compared regardless of letter case.
// Nothing when neither knows the file.
std::optional<CaretPos> SavedCaretFor(std::string_view file_name, const MruManager& recent,
                                      const BmList& bookmarks);

}  // namespace quillo

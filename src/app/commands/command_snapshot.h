#pragma once
// One look at the editor and the document, for every command's state at once.
#include "core/command_state.h"

namespace quillo {

struct AppContext;

CommandSnapshot TakeCommandSnapshot(const AppContext& ctx, bool hasLink);

}  // namespace quillo

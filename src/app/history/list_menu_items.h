#pragma once
// The items of a run-time list (recent files, bookmarks) in a native menu.
#include <windows.h>

#include <string>
#include <vector>

#include "core/menu_layout.h"

namespace quillo {

// Replaces the list's items in the menu by one item per caption (UTF-8),
// item i with the id of the list's block + i, as many as the block holds.
// They go where they were, else at the end; after the menu's own items they
// follow a separator. Items of other owners stay where they are.
void ShowListItems(HMENU menu, RuntimeList list, const std::vector<std::string>& captions);

// Whether the menu is one of `copies`.
bool IsOneOf(HMENU menu, const std::vector<HMENU>& copies);

}  // namespace quillo

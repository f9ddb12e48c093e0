#pragma once
// Start-up with a file named on the command line: while the setting
// "SavePosition" is on, the caret goes where the last bookmark into the file
// points, else where its newest recent-files entry left it.
namespace quillo {

struct AppContext;
class Bookmarks;
class RecentFiles;

void PutCaretAtSavedPosition(AppContext& ctx, const RecentFiles& recent, const Bookmarks& bookmarks);

}  // namespace quillo

#pragma once
// Files dropped on the window: the first opens here (after the question
// about unsaved changes), every further one in a window of its own.
#include <windows.h>
#include <shellapi.h>

namespace quillo {

struct AppContext;

class DroppedFiles {
 public:
  explicit DroppedFiles(AppContext& ctx) : ctx_(ctx) {}
  // WM_DROPFILES; the drop is finished here.
  void OnDrop(HDROP drop);

 private:
  AppContext& ctx_;
};

}  // namespace quillo

#pragma once
// Commands that move text through the selection run with the Russian
// keyboard layout active; the scope holds the editor's bracket open for its
// lifetime, so an exception never leaves the user in the wrong layout.
#include "app/editor/rich_edit.h"

namespace quillo {

class RussianLayoutScope {
 public:
  explicit RussianLayoutScope(MyRichEdit& editor) : editor_(editor) { editor_.BeginRussianLayout(); }
  ~RussianLayoutScope() { editor_.EndRussianLayout(); }
  RussianLayoutScope(const RussianLayoutScope&) = delete;
  RussianLayoutScope& operator=(const RussianLayoutScope&) = delete;

 private:
  MyRichEdit& editor_;
};

}  // namespace quillo

#pragma once
// The "Кодировка" commands: the code page the document's bytes are shown in.
#include "core/codepage.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class CodePageCommands {
 public:
  explicit CodePageCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

  // Switches the view (or, for DOS and KOI with a selection, converts only
  // the selection).
  void ShowInCodePage(TCodePage page);

 private:
  void ToggleAutoDetection();
  // Detects the code page from the file's bytes the text stands for.
  void Detect();

  AppContext& ctx_;
};

}  // namespace quillo

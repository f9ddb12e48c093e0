#pragma once
// The "Кодировка" commands: the encoding the document's bytes are read in.
#include "app/document/document.h"
#include "core/codepage.h"

namespace quillo {

struct AppContext;
class ActionRegistry;

class CodePageCommands {
 public:
  explicit CodePageCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

  // Reads the document's bytes in the code page (or, for DOS and KOI with a
  // selection, converts only the selection).
  void ShowInCodePage(TCodePage page);
  // Reads the document's bytes in that form; a UTF-16 document keeps its
  // characters instead, its bytes read in no other form.
  void ShowInForm(FileForm form);

 private:
  void ToggleAutoDetection();
  // Detects the code page from the file's bytes the text stands for.
  void Detect();
  // True when the user agrees that the characters the form lacks become '?'.
  bool AcceptSubstitutes(const EncodeReport& report, FileForm form);

  AppContext& ctx_;
};

}  // namespace quillo

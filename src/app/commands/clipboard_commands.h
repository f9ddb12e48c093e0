#pragma once
// The clipboard commands beyond cut, copy and paste: cut and copy that append
// to what the clipboard holds, swapping the selection with the clipboard,
// copying or cutting the whole text, copying the document's file name,
// saving the clipboard's text to a file and a new window with it. The
// setting "Clipbrd+" shows or hides them, and the find commands that search
// for the clipboard's text with them.
//
// The clipboard holds Unicode text, line breaks as CR LF. Another program's
// text on it is kept exactly; the document's text reaches it from its
// Windows-1251 form. A command that cannot change the clipboard says so and
// changes nothing in the document.
#include <string>

namespace quillo {

struct AppContext;
class ActionRegistry;

class ClipboardCommands {
 public:
  explicit ClipboardCommands(AppContext& ctx) : ctx_(ctx) {}
  void Bind(ActionRegistry& actions);

 private:
  void CopyAdd();
  void CutAdd();
  void Swap();
  void CopyAll();
  void CutAll();
  void CopyFileName();
  void SaveClipboardText();
  void NewWindowWithClipboardText();
  bool Extended() const;

  AppContext& ctx_;
};

// Text in the control's form (one CR per line break) as the clipboard holds
// it: every line break CR LF.
std::wstring ClipboardLineBreaks(std::wstring_view controlText);

}  // namespace quillo

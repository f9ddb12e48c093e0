#pragma once
// The find panel and its commands: find next, replace, replace all, the
// quick searches that fill the find field, the histories and the panel's
// showing and hiding.
#include <windows.h>

#include <string>

#include "app/commands/key_dispatcher.h"
#include "app/find/find_panel.h"

namespace quillo {

struct AppContext;
class ActionRegistry;
class Icons;

class FindCommands {
 public:
  explicit FindCommands(AppContext& ctx) : ctx_(ctx) {}

  // Creates the panel docked at the bottom, hidden unless the setting
  // "FindPanel" asks for it at start-up.
  void Create(const Icons& icons);
  void Bind(ActionRegistry& actions);

  // Shows or hides the panel; showing it takes the selection into the field
  // when the field is empty.
  void ToggleFindPanel();
  // Ctrl+F3.
  void FocusFindBoxOrFind();
  // A key typed while the focus is in the panel: the panel's own keys are
  // used, the fields' typing and editing keys stay with the focused
  // control, the rest go to the command table.
  KeyRoute RouteKey(UINT key, std::uint8_t modifiers);
  // Ctrl+V in one of the panel's fields replaces the field's whole text.
  bool PasteIntoFocusedField();
  // At exit, before the other settings are written.
  void StoreState();
  // The panel's boxes from the "Find" options as they are held now.
  void ApplySettings();

  const FindPanel& Panel() const { return panel_; }

 private:
  void FindFind();
  void TakeSelectionIntoEmptyField();
  void FindNext();
  void Replace();
  void ReplaceAll();
  void FindFromField(const std::wstring& text);
  void FindClipboardText();
  void FillHistoryMenu(HMENU menu);
  void HistoryClick(int index);

  AppContext& ctx_;
  FindPanel panel_;
};

}  // namespace quillo

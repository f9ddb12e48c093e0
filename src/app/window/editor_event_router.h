#pragma once
// What the editor reports goes to the features that care: the plug-ins, the
// status bar, the place of the last change, the font keys of the wheel,
// paste, the position marks and links.
#include "app/editor/rich_edit.h"

namespace quillo {

struct AppContext;
class EditCommands;
class LinkCommands;
class PlugIns;
class PositionMarkKeys;

class EditorEventRouter : public EditorEvents {
 public:
  EditorEventRouter(AppContext& ctx, EditCommands& edit, LinkCommands& links, PositionMarkKeys& marks,
                    PlugIns& plugIns)
      : ctx_(ctx), edit_(edit), links_(links), marks_(marks), plugIns_(plugIns) {}

  void OnEditorChange() override;
  void OnEditorKeyDown(WPARAM key, unsigned modifiers) override;
  void OnEditorKeyUp() override;
  void OnEditorMouseDown() override;
  void OnEditorSelectionChange() override;
  void OnEditorWheel(bool up, unsigned modifiers) override;
  void OnEditorScroll() override;
  void OnEditorLangChange(HKL layout) override;
  void OnEditorUrlClick(const std::string& link, bool leftButton) override;
  void OnEditorPaste() override;
  bool PasteOnInsert() const override;
  void OnEditorPositionMark(int digit, bool store) override;
  void OnEditorLayoutRestored() override;
  void OnEditorLoading() override;

 private:
  AppContext& ctx_;
  EditCommands& edit_;
  LinkCommands& links_;
  PositionMarkKeys& marks_;
  PlugIns& plugIns_;
};

}  // namespace quillo

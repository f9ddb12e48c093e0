// Where a key goes: to its command, to the focused control, or nowhere.
#include "app/commands/key_dispatcher.h"

#include <gtest/gtest.h>

#include "app/commands/action_registry.h"
#include "core/shortcut.h"

namespace quillo {
namespace {

TEST(KeyDispatcher, AKeyOfACommandNeverReachesTheControl) {
  ActionRegistry actions;
  int copies = 0, deletes = 0;
  bool selected = false;
  actions.Bind(ActionId::EditCopy, [&] { ++copies; });
  actions.Bind(ActionId::EditDelete, [&] { ++deletes; });
  actions.SetSnapshotSource([&] {
    CommandSnapshot s;
    s.hasSelection = selected;
    return s;
  });
  KeyDispatcher keys(actions);
  struct Case {
    const char* keys;
    bool selected;
    bool used;  // false: the editor control gets the key
    int copies;
    int deletes;
  };
  const Case cases[] = {
      {"Ctrl+C", true, true, 1, 0},
      {"Ctrl+C", false, true, 0, 0},        // cannot run: the control's own copy does not run either
      {"Ctrl+W", false, true, 0, 0},        // a command not built yet (Wine's control opens a box)
      {"Shift+Ctrl+X", true, true, 0, 0},   // not built yet: no plain cut by the control
      {"Del", true, true, 0, 1},
      {"Del", false, false, 0, 0},          // the control deletes the next character
      {"Tab", false, false, 0, 0},          // no command's key
      {"Shift+Ctrl+F10", false, true, 0, 0},  // the window swallows it
  };
  for (const Case& c : cases) {
    copies = deletes = 0;
    selected = c.selected;
    const Shortcut key = *ParseShortcut(c.keys);
    EXPECT_EQ(keys.Handle(static_cast<UINT>(key.key), key.modifiers), c.used) << c.keys;
    EXPECT_EQ(copies, c.copies) << c.keys;
    EXPECT_EQ(deletes, c.deletes) << c.keys;
  }
}

TEST(KeyDispatcher, APanelWithTheFocusDecidesFirst) {
  ActionRegistry actions;
  int copies = 0;
  actions.Bind(ActionId::EditCopy, [&] { ++copies; });
  KeyDispatcher keys(actions);
  const Shortcut ctrlC = *ParseShortcut("Ctrl+C");
  for (KeyRoute route : {KeyRoute::Used, KeyRoute::ToControl, KeyRoute::Lookup}) {
    copies = 0;
    keys.SetPreview([route](UINT, std::uint8_t) { return route; });
    const bool used = keys.Handle(static_cast<UINT>(ctrlC.key), ctrlC.modifiers);
    EXPECT_EQ(used, route != KeyRoute::ToControl) << static_cast<int>(route);
    EXPECT_EQ(copies, route == KeyRoute::Lookup ? 1 : 0) << static_cast<int>(route);
  }
}

}  // namespace
}  // namespace quillo

#include "core/key_map.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace quillo {
namespace {

struct KeyCase {
  const char* keys;
  std::optional<ActionId> action;
};

TEST(ShortcutDispatch, KeysRunTheirActionsAndCollisionsAreSettled) {
  const KeyMap map;
  const KeyCase cases[] = {
      {"Ctrl+N", ActionId::FileNew},
      {"Ctrl+F4", ActionId::FileNew},
      {"F2", ActionId::FileSave},
      {"Shift+F12", ActionId::FileSave},
      {"F12", ActionId::FileSaveAs},
      {"Ctrl+Shift+Ins", ActionId::FileInsertFrom},
      {"Alt+Backspace", ActionId::EditUndo},
      {"Shift+Alt+BkSp", ActionId::EditRedo},
      {"Alt+Ctrl+Y", ActionId::FindFindNext},
      {"Alt+CapsLock", ActionId::TextLatToRusInvert},
      {"Ctrl+]", ActionId::OptFontp1},
      // A primary shortcut beats a second one of another action.
      {"Ctrl+Alt+E", ActionId::FileOpenFolder},
      // Two second shortcuts: the precedence list decides.
      {"Ctrl+Alt+F12", ActionId::FileOpenFolder},
      {"Ctrl+H", ActionId::FindReplaceNext},
      // The window's own rule for this key comes after the actions.
      {"Shift+Ctrl+F10", ActionId::FileExecute},
      {"F4", std::nullopt},
      {"Esc", std::nullopt},
      {"Shift+Ctrl+Alt+N", std::nullopt},
  };
  for (const KeyCase& c : cases) {
    const Shortcut shortcut = *ParseShortcut(c.keys);
    EXPECT_EQ(map.ActionFor(shortcut.key, shortcut.modifiers), c.action) << c.keys;
  }
}

TEST(ShortcutDispatch, ModifierOnlyEntriesNeverMatch) {
  const KeyMap map;
  for (const KeyBinding& binding : map.Bindings()) EXPECT_NE(binding.shortcut.key, 0);
  EXPECT_FALSE(map.ActionFor(0, kModShift | kModAlt));
  EXPECT_FALSE(map.ActionFor(0, kModShift | kModCtrl));
}

TEST(ShortcutDispatch, OnlyTheKnownKeysAreClaimedByTwoActions) {
  std::map<std::pair<int, int>, std::set<ActionId>> owners;
  for (const ActionInfo& action : Actions()) {
    if (auto primary = PrimaryShortcut(action)) {
      owners[{primary->key, primary->modifiers}].insert(action.id);
    }
    for (const Shortcut& second : SecondShortcuts(action)) {
      owners[{second.key, second.modifiers}].insert(action.id);
    }
  }
  std::set<std::string> shared;
  for (const auto& [keys, actions] : owners) {
    if (actions.size() > 1) {
      shared.insert(ShortcutToText(Shortcut{keys.first, static_cast<std::uint8_t>(keys.second)}));
    }
  }
  EXPECT_EQ(shared, (std::set<std::string>{"Ctrl+Alt+E", "Ctrl+Alt+F12"}));
}

TEST(ShortcutDispatch, WindowKeysCompareTheShiftStateExactly) {
  const KeyMap map;
  struct Case {
    const char* keys;
    std::optional<WindowKeyEffect> effect;
  };
  const Case cases[] = {
      {"F4", WindowKeyEffect::ToggleMaximized},
      {"Alt+F10", WindowKeyEffect::ToggleMaximized},
      {"Shift+Ctrl+F10", WindowKeyEffect::Swallow},
      {"Ctrl+Alt+F10", WindowKeyEffect::MinimizeApplication},
      {"Shift+Alt+F10", WindowKeyEffect::MinimizeToTray},
      {"Ctrl+Alt+F11", WindowKeyEffect::ToggleBothBars},
      {"Ctrl+Shift+H", WindowKeyEffect::ToggleBothBars},
      {"Shift+Ctrl+D", WindowKeyEffect::InsertDateAndTime},
      {"Shift+Ctrl+T", WindowKeyEffect::InsertDateAndTime},
      {"Ctrl+F3", WindowKeyEffect::FocusFindBoxOrFind},
      {"Esc", WindowKeyEffect::CloseProgram},
      {"Shift+Esc", std::nullopt},
      {"Ctrl+F4", std::nullopt},
      {"Shift+F4", std::nullopt},
  };
  for (const Case& c : cases) {
    const Shortcut shortcut = *ParseShortcut(c.keys);
    EXPECT_EQ(map.WindowKeyFor(shortcut.key, shortcut.modifiers), c.effect) << c.keys;
  }
}

// Typed in the find field: the line's editing keys stay in the field, the
// command keys that make sense there still run their commands.
TEST(FieldKeys, EditingKeysStayInTheFieldCommandKeysDoNot) {
  struct Case {
    const char* keys;
    bool field;
  };
  const Case cases[] = {
      {"Del", true},       {"BkSp", true},        {"Ctrl+A", true},      {"Ctrl+C", true},
      {"Ctrl+X", true},    {"Ctrl+Z", true},      {"Ctrl+Y", true},      {"Shift+Ins", true},
      {"Shift+Del", true}, {"Ctrl+Ins", true},    {"Shift+Home", true},  {"Shift+End", true},
      {"Space", true},     {"Shift+A", true},     {"Shift+Ctrl+Left", true},
      {"Ctrl+V", false},   {"F3", false},         {"Ctrl+F3", false},    {"Shift+F4", false},
      {"Alt+F", false},    {"Alt+BkSp", false},   {"Enter", false},      {"Esc", false},
      {"Tab", false},      {"Shift+Tab", false},  {"Ctrl+D", false},     {"Ctrl+W", false},
  };
  for (const Case& c : cases) {
    const Shortcut shortcut = *ParseShortcut(c.keys);
    EXPECT_EQ(BelongsToFocusedField(shortcut.key, shortcut.modifiers), c.field) << c.keys;
  }
}

TEST(FieldKeys, EverySearchCommandKeyStillWorksFromTheField) {
  for (const ActionInfo& action : Actions()) {
    if (action.category != ActionCategory::Find) continue;
    std::vector<Shortcut> keys = SecondShortcuts(action);
    if (auto primary = PrimaryShortcut(action)) keys.push_back(*primary);
    for (const Shortcut& key : keys)
      EXPECT_FALSE(BelongsToFocusedField(key.key, key.modifiers)) << ShortcutToText(key);
  }
}

TEST(FieldKeys, OnlyDelReachesTheEditorWhenItsCommandCannotRun) {
  for (const char* keys : {"Del", "Shift+Del", "Ctrl+C", "Ctrl+W", "Shift+Ctrl+X"}) {
    const Shortcut shortcut = *ParseShortcut(keys);
    EXPECT_EQ(GoesToControlWhenUnavailable(shortcut.key, shortcut.modifiers), std::string(keys) == "Del")
        << keys;
  }
}

}  // namespace
}  // namespace quillo

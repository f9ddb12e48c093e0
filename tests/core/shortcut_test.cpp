#include "core/shortcut.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(Shortcut, ParsesKeysAndModifiersInAnyOrder) {
  struct Case {
    const char* text;
    int key;
    int modifiers;
  };
  const Case cases[] = {
      {"Shift+Ctrl+Alt+W", 'W', kModShift | kModCtrl | kModAlt},
      {"Ctrl+Alt+Shift+F2", 0x71, kModShift | kModCtrl | kModAlt},
      {"Ctrl+]", 0xDD, kModCtrl},
      {"Ctrl+[", 0xDB, kModCtrl},
      {"Alt+Shift+BkSp", 0x08, kModShift | kModAlt},
      {"Alt+Backspace", 0x08, kModAlt},
      {"Shift+Ctrl+Ins", 0x2D, kModShift | kModCtrl},
      {"Alt+Enter", 0x0D, kModAlt},
      {"F1", 0x70, 0},
      {"F12", 0x7B, 0},
      {"Del", 0x2E, 0},
      {"Shift+Alt+Del", 0x2E, kModShift | kModAlt},
      {"PgUp", 0x21, 0},
      {"PgDn", 0x22, 0},
      {"Num +", 0x6B, 0},
      {"Ctrl+Num -", 0x6D, kModCtrl},
      {"Shift+CapsLock", 0x14, kModShift},
      {"Alt+CapsLock", 0x14, kModAlt},
      {"Shift+Ctrl+Up", 0x26, kModShift | kModCtrl},
      {"Ctrl+Down", 0x28, kModCtrl},
      {"Alt+Ctrl+Y", 'Y', kModCtrl | kModAlt},
      {"Ctrl+1", '1', kModCtrl},
      {"Esc", 0x1B, 0},
      {"alt+f4", 0x73, kModAlt},
      {"CTRL+SHIFT+n", 'N', kModShift | kModCtrl},
      {"F24", 0x87, 0},
  };
  for (const Case& c : cases) {
    const std::optional<Shortcut> parsed = ParseShortcut(c.text);
    ASSERT_TRUE(parsed) << c.text;
    EXPECT_EQ(parsed->key, c.key) << c.text;
    EXPECT_EQ(parsed->modifiers, c.modifiers) << c.text;
  }
}

TEST(Shortcut, TextsThatNameNoKnownKeyGiveNothing) {
  for (const char* text : {"", "Alt+Shift", "Ctrl+Shift", "Shift", "Ctrl+", "Ctrl+Foo", "F0",
                           "F25", "Ctrl+AB", "Ctrl-A", "Num"}) {
    EXPECT_FALSE(ParseShortcut(text)) << text;
  }
}

TEST(Shortcut, PrintsModifiersShiftCtrlAltThenShortKeyName) {
  struct Case {
    const char* text;
    const char* printed;
  };
  const Case cases[] = {
      {"Ctrl+Shift+F4", "Shift+Ctrl+F4"},
      {"Alt+Backspace", "Alt+BkSp"},
      {"Alt+Shift+BkSp", "Shift+Alt+BkSp"},
      {"Ctrl+Alt+Shift+F2", "Shift+Ctrl+Alt+F2"},
      {"Ctrl+Shift+Alt+F10", "Shift+Ctrl+Alt+F10"},
      {"Alt+Ctrl+Y", "Ctrl+Alt+Y"},
      {"ctrl+insert", "Ctrl+Ins"},
      {"Delete", "Del"},
      {"Alt+Return", "Alt+Enter"},
      {"PageUp", "PgUp"},
      {"Ctrl+]", "Ctrl+]"},
      {"Num +", "Num +"},
  };
  for (const Case& c : cases) {
    const std::optional<Shortcut> parsed = ParseShortcut(c.text);
    ASSERT_TRUE(parsed) << c.text;
    EXPECT_EQ(ShortcutToText(*parsed), c.printed) << c.text;
  }
}

TEST(Shortcut, EveryNamedKeyRoundTripsWithEveryModifierSet) {
  int named = 0;
  for (int key = 1; key < 256; ++key) {
    if (KeyName(key).empty()) continue;
    ++named;
    for (int modifiers = 0; modifiers < 8; ++modifiers) {
      const Shortcut shortcut{key, static_cast<std::uint8_t>(modifiers)};
      const std::string text = ShortcutToText(shortcut);
      const std::optional<Shortcut> back = ParseShortcut(text);
      ASSERT_TRUE(back) << text;
      EXPECT_EQ(*back, shortcut) << text;
    }
  }
  EXPECT_GT(named, 36 + 24 + 20);
}

TEST(Shortcut, UnknownKeyPrintsNothing) {
  EXPECT_EQ(ShortcutToText(Shortcut{0, kModCtrl}), "");
  EXPECT_EQ(ShortcutToText(Shortcut{0xFF, kModCtrl}), "");
}

TEST(Shortcut, MatchesOnlyTheExactModifierStateAndNeverWithoutKey) {
  const Shortcut ctrlS = *ParseShortcut("Ctrl+S");
  EXPECT_TRUE(ShortcutMatches(ctrlS, 'S', kModCtrl));
  EXPECT_FALSE(ShortcutMatches(ctrlS, 'S', kModCtrl | kModShift));
  EXPECT_FALSE(ShortcutMatches(ctrlS, 'S', kModNone));
  EXPECT_FALSE(ShortcutMatches(ctrlS, 'D', kModCtrl));
  const Shortcut noKey{0, kModShift | kModAlt};
  EXPECT_FALSE(ShortcutMatches(noKey, 0, kModShift | kModAlt));
}

}  // namespace
}  // namespace quillo

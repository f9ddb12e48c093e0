#include "core/find_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/win1251.h"

namespace quillo {
namespace {

using Entries = std::vector<std::string>;

FindHistory Filled(const Entries& oldest_first) {
  FindHistory history;
  for (const std::string& text : oldest_first) history.Add(text);
  return history;
}

TEST(FindHistory, NewestFirstAndTheEleventhDropsTheOldest) {
  FindHistory history = Filled({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
  ASSERT_EQ(history.Entries().size(), 10u);
  EXPECT_TRUE(history.Add("11"));
  EXPECT_EQ(history.Entries(), (Entries{"11", "10", "9", "8", "7", "6", "5", "4", "3", "2"}));
}

TEST(FindHistory, EntriesThatDifferOnlyInCaseAreRefused) {
  struct Case {
    const char* stored;
    const char* added;
    bool refused;
  };
  const Case cases[] = {
      {"Word", "WORD", true},       {"word", "Word", true},       {"Привет", "ПРИВЕТ", true},
      {"ёлка", "ЁЛКА", true},       {"їжак", "ЇЖАК", true},       {"ґанок", "Ґанок", true},
      {"ђеца", "ЂЕЦА", true},       {"елка", "ёлка", false},      {"word", "words", false},
      {"word", "word ", false},     {"a-b", "A_B", false},        {"", "", true},
  };
  for (const Case& c : cases) {
    FindHistory history = Filled({"other", Utf8ToWin1251(c.stored)});
    EXPECT_EQ(history.Add(Utf8ToWin1251(c.added)), !c.refused) << c.stored << " / " << c.added;
    EXPECT_EQ(history.Entries().size(), c.refused ? 2u : 3u);
    EXPECT_EQ(history.Entries().front(), Utf8ToWin1251(c.refused ? c.stored : c.added));
  }
}

TEST(FindHistory, AKnownEntryKeepsItsPlace) {
  FindHistory history = Filled({"b", "a"});
  EXPECT_FALSE(history.Add("B"));
  EXPECT_EQ(history.Entries(), (Entries{"a", "b"}));
}

TEST(FindHistoryStorage, LoadsKeysZeroToFifteenInKeyOrder) {
  FindHistory history;
  history.Load({{"MatchCase", "1"}, {"2", "two"}, {"0", "zero"}, {"15", "fifteen"},
                {"16", "too far"}, {"0", "repeated"}, {"Down", "0"}});
  EXPECT_EQ(history.Entries(), (Entries{"zero", "two", "fifteen"}));
}

TEST(FindHistoryStorage, SixteenLoadedButAnAdditionCutsToTen) {
  HistoryKeyValues section;
  for (int i = 0; i < 20; ++i) section.emplace_back(std::to_string(i), "entry " + std::to_string(i));
  FindHistory history;
  history.Load(section);
  EXPECT_EQ(history.Entries().size(), 16u);
  EXPECT_EQ(history.Entries().back(), "entry 15");
  history.Add("new");
  EXPECT_EQ(history.Entries().size(), 10u);
  EXPECT_EQ(history.Entries().front(), "new");
  EXPECT_EQ(history.Entries().back(), "entry 8");
}

TEST(FindHistoryStorage, WrittenUnderIndexesAndReadBack) {
  FindHistory history = Filled({"first", "-", "last"});
  const HistoryKeyValues written = history.ToKeyValues();
  EXPECT_EQ(written, (HistoryKeyValues{{"0", "last"}, {"1", "-"}, {"2", "first"}}));
  FindHistory restored;
  restored.Add("stale");
  restored.Load(written);
  EXPECT_EQ(restored.Entries(), history.Entries());
}

TEST(FindHistory, MenuCaptionOfALoneDash) {
  EXPECT_EQ(HistoryMenuCaption("-"), " - ");
  EXPECT_EQ(HistoryMenuCaption("--"), "--");
  EXPECT_EQ(HistoryMenuCaption("a-b"), "a-b");
}

}  // namespace
}  // namespace quillo

#include "core/find_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ini_file.h"
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
  const IniFile settings(
      "[Find]\r\nMatchCase=1\r\n2=two\r\n0=zero\r\n15=fifteen\r\n16=too far\r\nDown=0\r\n"
      "[Replace]\r\n1=other list\r\n");
  FindHistory history;
  history.Load(settings, kFindHistorySection);
  EXPECT_EQ(history.Entries(), (Entries{"zero", "two", "fifteen"}));
}

TEST(FindHistoryStorage, SixteenLoadedButAnAdditionCutsToTen) {
  IniFile settings;
  for (int i = 0; i < 20; ++i)
    settings.WriteString(kReplaceHistorySection, std::to_string(i), "entry " + std::to_string(i));
  FindHistory history;
  history.Load(settings, kReplaceHistorySection);
  EXPECT_EQ(history.Entries().size(), 16u);
  EXPECT_EQ(history.Entries().back(), "entry 15");
  history.Add("new");
  EXPECT_EQ(history.Entries().size(), 10u);
  EXPECT_EQ(history.Entries().front(), "new");
  EXPECT_EQ(history.Entries().back(), "entry 8");
}

TEST(FindHistoryStorage, SavingErasesTheSectionAndSurvivesARestart) {
  IniFile settings("[Find]\r\n0=old\r\n7=stale\r\nWholeWord=1\r\n");
  FindHistory history = Filled({"first", "-", "last"});
  history.Save(settings, kFindHistorySection);
  EXPECT_EQ(settings.Keys(kFindHistorySection), (Entries{"0", "1", "2"}));
  EXPECT_EQ(settings.ReadString(kFindHistorySection, "0", ""), "last");

  const IniFile reread(settings.ToText());
  FindHistory restored;
  restored.Add("from this run");
  restored.Load(reread, kFindHistorySection);
  EXPECT_EQ(restored.Entries(), history.Entries());
}

TEST(FindHistory, MenuCaptionOfALoneDash) {
  EXPECT_EQ(HistoryMenuCaption("-"), " - ");
  EXPECT_EQ(HistoryMenuCaption("--"), "--");
  EXPECT_EQ(HistoryMenuCaption("a-b"), "a-b");
}

}  // namespace
}  // namespace quillo

#include "core/options_choices.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillo {
namespace {

// Every code page of the table is found at its own button.
TEST(OptionsChoices, CodePageButtonsRoundTrip) {
  for (auto choices : {DefaultCodePageChoices(), SaveCodePageChoices()})
    for (size_t i = 0; i < choices.size(); ++i)
      EXPECT_EQ(CodePageChoiceIndex(choices, choices[i].page), static_cast<int>(i)) << choices[i].caption;
  EXPECT_EQ(CodePageChoiceIndex(DefaultCodePageChoices(), cpNone), 0);
}

TEST(OptionsChoices, ExtensionListFileAndLookup) {
  std::vector<std::string> list = ExtensionsFromText("txt\r\n\r\n  log \r\nini");
  EXPECT_EQ(list, (std::vector<std::string>{"txt", "log", "ini"}));
  EXPECT_EQ(FindExtension(list, "TXT"), 0);  // TXT adds nothing when txt is listed
  EXPECT_EQ(FindExtension(list, "lo"), -1);
  const std::vector<std::string> builtIn = BuiltInExtensions();
  EXPECT_TRUE(std::is_sorted(builtIn.begin(), builtIn.end())) << "shown as it stands";
  EXPECT_GE(FindExtension(builtIn, "TXT"), 0);
}

TEST(OptionsChoices, ShellTypeNameAndNewDocumentOnlyForTxt) {
  EXPECT_EQ(ExtensionTypeName("txt"), "Текстовый документ");
  EXPECT_EQ(ExtensionTypeName("ini"), "ini-файл");
  EXPECT_EQ(ExtensionTypeName("TXT"), "TXT-файл");
  EXPECT_TRUE(ExtensionHasNewDocument("txt"));
  EXPECT_FALSE(ExtensionHasNewDocument("TXT"));
}

TEST(OptionsChoices, HistorySizeThatIsNotANumberIsTwenty) {
  struct Case { const char* text; int capacity; };
  for (Case c : {Case{"15", 15}, Case{" 7 ", 7}, Case{"abc", 20}, Case{"", 20}, Case{"5x", 20}, Case{"0", 0}})
    EXPECT_EQ(HistoryCapacityFromText(c.text), c.capacity) << c.text;
}

}  // namespace
}  // namespace quillo

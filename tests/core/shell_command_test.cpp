#include "core/shell_command.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(SplitShellCommand, QuotedProgramKeepsItsSpacesAndArguments) {
  struct Case {
    const char16_t* setting;
    const char16_t* program;
    const char16_t* arguments;
  };
  const Case cases[] = {
      {u"explorer.exe", u"explorer.exe", u""},
      {u"  explorer.exe ", u"explorer.exe", u""},
      {u"C:\\Program Files\\FM\\fm.exe", u"C:\\Program Files\\FM\\fm.exe", u""},
      {u"\"C:\\Program Files\\FM\\fm.exe\"", u"C:\\Program Files\\FM\\fm.exe", u""},
      {u"\"C:\\Program Files\\TC\\tc.exe\" /O /T", u"C:\\Program Files\\TC\\tc.exe", u"/O /T"},
      {u"\"C:\\unclosed.exe", u"C:\\unclosed.exe", u""},
      {u"", u"", u""},
  };
  for (const Case& c : cases) {
    ShellCommand command = SplitShellCommand(c.setting);
    EXPECT_EQ(command.program, c.program);
    EXPECT_EQ(command.arguments, c.arguments);
  }
}

TEST(QuotedFolderOf, TheFoldersTrailingBackslashSurvivesTheQuotes) {
  EXPECT_EQ(QuotedFolderOf(u"C:\\Мои документы\\письмо.txt"), u"\"C:\\Мои документы\\\\\"");
  EXPECT_EQ(QuotedFolderOf(u"C:\\a.txt"), u"\"C:\\\\\"");
  EXPECT_EQ(QuotedFolderOf(u"\\\\server\\share\\a.txt"), u"\"\\\\server\\share\\\\\"");
  EXPECT_EQ(QuotedFolderOf(u"a.txt"), u"\"\"");
}

}  // namespace
}  // namespace quillo

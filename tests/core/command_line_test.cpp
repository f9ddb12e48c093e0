#include "core/command_line.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

bool OnlyReadmeExists(const std::u16string& p) { return p == u"C:\\Docs\\read me.txt"; }

TEST(CommandLine, ArgumentStringJoinsAndStripsLeadingSwitchCharacters) {
  struct Case { std::vector<std::u16string> args; std::u16string expected; };
  const Case cases[] = {
      {{}, u""},
      {{u"c"}, u"c"},
      {{u"-c"}, u"c"},
      {{u"/c"}, u"c"},
      {{u"--/ c"}, u"c"},
      {{u"C:\\Docs\\read", u"me.txt"}, u"C:\\Docs\\read me.txt"},
      {{u"a-b", u"-x"}, u"a-b -x"},
      {{u"   "}, u""},
  };
  for (const auto& c : cases) EXPECT_EQ(ArgumentString(c.args), c.expected);
}

TEST(CommandLine, StartCommandForEachKindOfArgument) {
  struct Case {
    std::vector<std::u16string> args;
    StartRequest request;
    std::u16string path;
  };
  const Case cases[] = {
      {{}, StartRequest::kNone, u""},
      {{u"-c"}, StartRequest::kClipboard, u""},
      {{u"c"}, StartRequest::kClipboard, u""},
      {{u"n", u"C:\\x.txt"}, StartRequest::kOpenHere, u"C:\\x.txt"},
      {{u"n"}, StartRequest::kOpenHere, u""},
      // an unquoted path with single spaces survives the joining
      {{u"C:\\Docs\\read", u"me.txt"}, StartRequest::kFile, u"C:\\Docs\\read me.txt"},
      {{u"missing.txt"}, StartRequest::kFile, u"missing.txt"},
      // "c" with more arguments is an ordinary (missing) file name
      {{u"c", u"d"}, StartRequest::kFile, u"c d"},
  };
  for (const auto& c : cases) {
    StartCommand cmd = ParseStartCommand(c.args, OnlyReadmeExists);
    EXPECT_EQ(cmd.request, c.request);
    EXPECT_EQ(cmd.path, c.path);
  }
}

TEST(CommandLine, FileLockNameReplacesEveryBackslash) {
  EXPECT_EQ(FileLockName(u"C:\\Мои документы\\a.txt"), u"C:###Мои документы###a.txt");
  EXPECT_EQ(FileLockName(u"\\\\server\\share"), u"######server###share");
  EXPECT_EQ(FileLockName(u"plain"), u"plain");
}

}  // namespace
}  // namespace quillo

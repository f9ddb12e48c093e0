#include "core/file_names.h"

#include <gtest/gtest.h>

#include <set>

namespace quillo {
namespace {

struct FreeNameCase {
  const char* proposed;
  std::set<std::string> taken;
  const char* expected;
};

TEST(FileNames, FreeFileNameCountsPastTakenNames) {
  const FreeNameCase cases[] = {
      {"noname.txt", {}, "noname.txt"},
      {"noname.txt", {"noname.txt"}, "noname1.txt"},
      {"noname.txt", {"noname.txt", "noname1.txt"}, "noname2.txt"},
      // A gap is filled: the first free name wins.
      {"noname.txt", {"noname.txt", "noname2.txt"}, "noname1.txt"},
      {"C:\\Мои.папки\\noname.txt", {"C:\\Мои.папки\\noname.txt"}, "C:\\Мои.папки\\noname1.txt"},
      // The dot of a folder is not an extension.
      {"C:\\a.b\\readme", {"C:\\a.b\\readme"}, "C:\\a.b\\readme1"},
      {"doc.tar.gz", {"doc.tar.gz"}, "doc.tar1.gz"},
  };
  for (const auto& c : cases) {
    auto exists = [&](const std::string& name) { return c.taken.count(name) > 0; };
    EXPECT_EQ(FreeFileName(c.proposed, exists), c.expected) << c.proposed;
  }
}

TEST(FileNames, ChosenNamesAreCorrected) {
  struct Case {
    const char* chosen;
    const char* withExtension;
    const char* withoutDot;
  };
  const Case cases[] = {
      {"C:\\docs\\письмо", "C:\\docs\\письмо.txt", "C:\\docs\\письмо"},
      {"C:\\docs\\письмо.doc", "C:\\docs\\письмо.doc", "C:\\docs\\письмо.doc"},
      {"C:\\my.docs\\notes", "C:\\my.docs\\notes.txt", "C:\\my.docs\\notes"},
      {"C:\\docs\\.profile", "C:\\docs\\.profile", "C:\\docs\\profile"},
      {".x", ".x", "x"},
      {"C:\\docs\\.", "C:\\docs\\.", "C:\\docs\\."},
      {"D:noname", "D:noname.txt", "D:noname"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithDefaultExtension(c.chosen), c.withExtension) << c.chosen;
    EXPECT_EQ(WithoutLeadingDot(c.chosen), c.withoutDot) << c.chosen;
  }
}

TEST(FileNames, NameToWriteIsTheNameTheOverwriteQuestionConcerns) {
  struct Case {
    const char* chosen;
    bool defaultExtension;
    std::set<std::string> existing;
    const char* written;
  };
  const Case cases[] = {
      // "letter" typed where letter.txt exists: letter.txt is what gets replaced.
      {"C:\\d\\letter", true, {"C:\\d\\letter.txt"}, "C:\\d\\letter.txt"},
      {"C:\\d\\letter", false, {"C:\\d\\letter.txt"}, "C:\\d\\letter"},
      // A new dotted name loses its dot, an existing one is kept.
      {"C:\\d\\.env", true, {"C:\\d\\env"}, "C:\\d\\env"},
      {"C:\\d\\.env", false, {"C:\\d\\.env", "C:\\d\\env"}, "C:\\d\\.env"},
      {"C:\\d\\.env", true, {}, "C:\\d\\env"},
  };
  for (const auto& c : cases) {
    auto exists = [&](const std::string& name) { return c.existing.count(name) > 0; };
    EXPECT_EQ(NameToWrite(c.chosen, c.defaultExtension, exists), c.written) << c.chosen;
  }
}

}  // namespace
}  // namespace quillo

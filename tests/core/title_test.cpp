#include "core/title.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(Title, FormatsForEachTitleType) {
  struct Case {
    const char* path;
    int titleType;
    const char* title;
  };
  const Case cases[] = {
      {"C:\\Мои документы\\ReadMe.txt", 0, "ReadMe.txt - Quillo"},
      {"C:\\Мои документы\\ReadMe.txt", 1, "C:\\Мои документы\\ReadMe.txt - Quillo"},
      {"C:\\Мои документы\\ReadMe.txt", 2, "ReadMe.txt @C:\\Мои документы - Quillo"},
      {"C:\\Мои документы\\ReadMe.txt", 7, "ReadMe.txt @C:\\Мои документы - Quillo"},
      {"C:\\Мои документы\\ReadMe.txt", -1, "ReadMe.txt @C:\\Мои документы - Quillo"},
      // A drive root keeps its backslash.
      {"C:\\ReadMe.txt", 2, "ReadMe.txt @C:\\ - Quillo"},
      {"D:\\a\\b\\c.log", 2, "c.log @D:\\a\\b - Quillo"},
      {"\\\\server\\share\\note.txt", 2, "note.txt @\\\\server\\share - Quillo"},
      {"\\\\server\\share\\note.txt", 0, "note.txt - Quillo"},
      {"C:\\ReadMe.txt", 0, "ReadMe.txt - Quillo"},
      {"", 0, "Quillo"},
      {"", 1, "Quillo"},
      {"", 2, "Quillo"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TitleFor(c.path, c.titleType), c.title) << c.path << " type " << c.titleType;
  }
}

TEST(Title, PathParts) {
  EXPECT_EQ(FileNamePart("C:\\dir\\file.txt"), "file.txt");
  EXPECT_EQ(FileNamePart("C:file.txt"), "file.txt");
  EXPECT_EQ(FileNamePart("file.txt"), "file.txt");
  EXPECT_EQ(FolderPart("C:\\dir\\file.txt"), "C:\\dir");
  EXPECT_EQ(FolderPart("C:\\file.txt"), "C:\\");
  EXPECT_EQ(FolderPart("C:file.txt"), "C:");
  EXPECT_EQ(FolderPart("\\file.txt"), "\\");
  EXPECT_EQ(FolderPart("file.txt"), "");
}

}  // namespace
}  // namespace quillo

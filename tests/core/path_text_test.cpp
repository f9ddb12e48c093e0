#include "core/path_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/win1251.h"

namespace quillo {
namespace {

TEST(ShortenPathForCaption, LongPathsKeepDriveFirstAndLastFolderAndName) {
  struct Case {
    std::string path;
    std::string shown;  // empty: unchanged
  };
  const std::string sixty_pad(40, 'x');
  const Case cases[] = {
      {"C:\\Documents and Settings\\user\\Мои документы\\Письма\\2006\\письмо в банк.txt",
       "C:\\Documents and Settings\\...\\2006\\письмо в банк.txt"},
      // Four backslashes: 59 characters stay, 60 are shortened.
      {"C:\\a\\b\\c\\" + std::string(50, 'f'), ""},
      {"C:\\a\\b\\c\\" + std::string(51, 'f'), "C:\\a\\...\\c\\" + std::string(51, 'f')},
      // Three backslashes, however long.
      {"C:\\" + sixty_pad + "\\" + sixty_pad + "\\file.txt", ""},
      // A drive root.
      {"C:\\" + std::string(200, 'n') + ".txt", ""},
      // A '/' anywhere.
      {"C:\\a\\b\\c/d\\" + sixty_pad + sixty_pad, ""},
      // A very long name and very long folders.
      {"D:\\" + sixty_pad + "\\mid\\" + sixty_pad + "\\" + std::string(300, 'z'),
       "D:\\" + sixty_pad + "\\...\\" + sixty_pad + "\\" + std::string(300, 'z')},
      // Network paths: the server and share are the drive.
      {"\\\\server\\share\\Отдел\\Отчёты\\2024\\" + sixty_pad + ".txt",
       "\\\\server\\share\\Отдел\\...\\2024\\" + sixty_pad + ".txt"},
      // Two folders after the share: nothing to leave out.
      {"\\\\server\\share\\Отдел\\2024\\" + sixty_pad + ".txt", ""},
      {"\\\\server\\share\\" + sixty_pad + sixty_pad + ".txt", ""},
  };
  for (const Case& c : cases) {
    const std::string path = Utf8ToWin1251(c.path);
    const std::string shown = c.shown.empty() ? path : Utf8ToWin1251(c.shown);
    EXPECT_EQ(ShortenPathForCaption(path), shown) << c.path;
  }
}

TEST(SamePath, LetterCaseOfLatinAndCyrillicIgnored) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"C:\\A.TXT", "c:\\a.txt", true},
      {"C:\\ПИСЬМА\\ЁЛКА.TXT", "c:\\письма\\ёлка.txt", true},
      {"C:\\Їжак\\Ґанок.txt", "C:\\їжак\\ґанок.txt", true},
      {"C:\\елка.txt", "C:\\ёлка.txt", false},
      {"C:\\a.txt", "C:\\a.txt ", false},
      {"C:\\a\\b.txt", "C:/a/b.txt", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SamePath(Utf8ToWin1251(c.a), Utf8ToWin1251(c.b)), c.same) << c.a << " / " << c.b;
  }
}

}  // namespace
}  // namespace quillo

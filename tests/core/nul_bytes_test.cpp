#include "core/nul_bytes.h"

#include <gtest/gtest.h>

#include <string>

#include "core/codepage.h"

namespace quillo {
namespace {

TEST(NulBytes, ShownAsSpacesKeepingTheLength) {
  const struct {
    std::string file;
    std::string shown;
    std::size_t count;
  } cases[] = {
      {"", "", 0},
      {"plain text\r\n", "plain text\r\n", 0},
      {std::string("\0", 1), " ", 1},
      {std::string("MZ\0\0\x90\0tail", 10), "MZ  \x90 tail", 3},
      {std::string("ab\0", 3), "ab ", 1},
  };
  for (const auto& c : cases) {
    std::string text = c.file;
    EXPECT_EQ(ReplaceNulBytes(text), c.count);
    EXPECT_EQ(text, c.shown);
  }
}

// The file's code page does not move NUL bytes: they are found after
// conversion as well as before.
TEST(NulBytes, FoundAfterAnyCodePageConversion) {
  const std::string file("\x8F\0\xE0", 3);
  for (TCodePage page : {cpWIN, cpDOS, cpKOI}) {
    std::string shown = ConvertToWin(file, page);
    EXPECT_EQ(ReplaceNulBytes(shown), 1u) << page;
    EXPECT_EQ(shown.size(), 3u);
  }
}

TEST(NulBytes, WarningNamesTheFile) {
  const std::string text = NulBytesWarning("C:\\Документы\\дамп.bin");
  EXPECT_NE(text.find("«C:\\Документы\\дамп.bin»"), std::string::npos);
  EXPECT_NE(text.find("нулевые байты"), std::string::npos);
}

}  // namespace
}  // namespace quillo

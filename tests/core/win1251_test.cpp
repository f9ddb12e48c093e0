#include "core/win1251.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace quillo {
namespace {

// The system's converter is the independent reference for every defined byte.
std::u16string IconvToUtf16(const std::string& bytes) {
  iconv_t cd = iconv_open("UTF-16LE", "CP1251");
  std::string in = bytes;
  std::string out(in.size() * 4, '\0');
  char* ip = in.data();
  char* op = out.data();
  size_t il = in.size(), ol = out.size();
  size_t rc = iconv(cd, &ip, &il, &op, &ol);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return u"<error>";
  std::u16string result;
  for (char* p = out.data(); p < op; p += 2)
    result.push_back(static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                           static_cast<unsigned char>(p[1]) << 8));
  return result;
}

TEST(Win1251, EveryDefinedByteMatchesTheSystemTable) {
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;  // undefined in Windows-1251
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Win1251ToUtf16(one), IconvToUtf16(one)) << "byte " << b;
  }
}

TEST(Win1251, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf16ToWin1251(Win1251ToUtf16(all)), all);
}

TEST(Win1251, Utf8Texts) {
  struct Case { const char* utf8; const char* cp1251; };
  const Case cases[] = {
      {"Привет", "\xCF\xF0\xE8\xE2\xE5\xF2"},
      {"Ёлка ё №5", "\xA8\xEB\xEA\xE0 \xB8 \xB9" "5"},
      {"abc", "abc"},
      {"日本", "??"},
      {"😀", "?"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToWin1251(c.utf8), c.cp1251) << c.utf8;
  }
  EXPECT_EQ(Win1251ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("😀 ж")), "😀 ж");
}

}  // namespace
}  // namespace quillo

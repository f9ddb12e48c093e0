#include "core/letter_case.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/win1251.h"

namespace quillo {
namespace {

using Convert = std::string (*)(std::string_view);

std::string TitleCase(std::string_view text) { return ToTitleCase(text); }

struct CaseExample {
  Convert convert;
  const char* name;
  const char* input;  // UTF-8
  const char* expected;
};

const CaseExample kExamples[] = {
    {ToUpperCase, "Upper", "ёлка", "ЁЛКА"},
    {ToUpperCase, "Upper", "abc эюя ђѓљњќћџўјґєїіѕ 123", "ABC ЭЮЯ ЂЃЉЊЌЋЏЎЈҐЄЇІЅ 123"},
    {ToLowerCase, "Lower", "ABC ЭЮЯ ЁЂЃЉЊЌЋЏЎЈҐЄЇІЅ «»", "abc эюя ёђѓљњќћџўјґєїіѕ «»"},
    {InvertCase, "Invert", "Ёлка Tree", "ЁЛКА tREE"},
    {InvertCase, "Invert", "ёЂђ aZ яА 9", "ёЂђ Az Яа 9"},
    {TitleCase, "Title", "иВАН иВАНОВИЧ-петров", "Иван Иванович-Петров"},
    {TitleCase, "Title", "it's 2nd «слово»", "It's 2nd «слово»"},
    {TitleCase, "Title", "a_b c@d e#f (ёж)", "A_b C@d E#f (Ёж)"},
    {TitleCase, "Title", "раз\tдва\rтри\nчетыре", "Раз\tДва\rТри\nЧетыре"},
};

TEST(LetterCase, ConvertsTheExamples) {
  for (const CaseExample& c : kExamples)
    EXPECT_EQ(Win1251ToUtf8(c.convert(Utf8ToWin1251(c.input))), c.expected)
        << c.name << "(" << c.input << ")";
}

TEST(LetterCase, WordDelimitersAreExactlyTheListedBytes) {
  std::string delimiters = "\"!()*+,-./:;<=>?[\\]^{|}";
  for (int b = 0; b < 256; ++b) {
    bool listed = b <= 0x20 || delimiters.find(static_cast<char>(b)) != std::string::npos;
    EXPECT_EQ(IsWordDelimiter(static_cast<unsigned char>(b)), listed) << "byte " << b;
  }
}

// Unicode's own case pairs of the Latin and Cyrillic letters, mapped back to
// Windows-1251, as an independent reference for the byte tables.
char16_t UnicodeUpper(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0x430 && c <= 0x44F)) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c == 0x491) return 0x490;
  return c;
}

char16_t UnicodeLower(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0x410 && c <= 0x42F)) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c == 0x490) return 0x491;
  return c;
}

TEST(LetterCase, TablesAgreeWithUnicodeCasePairs) {
  for (int b = 0; b < 256; ++b) {
    auto byte = static_cast<unsigned char>(b);
    char16_t c = Win1251ToUnicode(byte);
    EXPECT_EQ(UpperOf(byte), UnicodeToWin1251(UnicodeUpper(c))) << "byte " << b;
    EXPECT_EQ(LowerOf(byte), UnicodeToWin1251(UnicodeLower(c))) << "byte " << b;
  }
}

TEST(LetterCaseProperty, LengthIsKeptAndInvertIsItsOwnInverse) {
  std::mt19937 rng(866);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 64);
  for (int i = 0; i < 2000; ++i) {
    std::string text(static_cast<std::size_t>(length(rng)), '\0');
    for (char& c : text) c = static_cast<char>(byte(rng));
    for (Convert convert : {ToUpperCase, ToLowerCase, InvertCase, TitleCase})
      ASSERT_EQ(convert(text).size(), text.size());
    ASSERT_EQ(InvertCase(InvertCase(text)), text);
    ASSERT_EQ(ToUpperCase(ToLowerCase(text)), ToUpperCase(text));
  }
}

}  // namespace
}  // namespace quillo

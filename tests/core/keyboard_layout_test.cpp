#include "core/keyboard_layout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/win1251.h"

namespace quillo {
namespace {

using Convert = std::string (*)(std::string_view);

struct LayoutCase {
  Convert convert;
  const char* name;
  const char* input;  // UTF-8
  const char* expected;
};

const LayoutCase kLayoutCases[] = {
    {ConvertLatToRus, "LatToRus", "ghbdtn", "привет"},
    {ConvertLatToRus, "LatToRus", "Ghbdtn, vbh!", "Приветб мир!"},
    {ConvertLatToRus, "LatToRus", "qwertyuiop[]asdfghjkl;'zxcvbnm,./",
     "йцукенгшщзхъфывапролджэячсмитьбю."},
    {ConvertLatToRus, "LatToRus", "QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>?",
     "ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮ,"},
    {ConvertLatToRus, "LatToRus", "ёЁ`~1234567890!@#$%^&*()-_=+\\|", "ёЁ`~1234567890!@#$%^&*()-_=+\\|"},
    {ConvertRusToLat, "RusToLat", "привет", "ghbdtn"},
    {ConvertRusToLat, "RusToLat", "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
     "F<DULT:PBQRKVYJGHCNEA{WXIO}SM\">Z"},
    {ConvertRusToLat, "RusToLat", "абвгдежзийклмнопрстуфхцчшщъыьэюя",
     "f,dult;pbqrkvyjghcnea[wxio]sm'.z"},
    {ConvertRusToLat, "RusToLat", "., ёЁ`~0123 Tree", "., ёЁ`~0123 Tree"},
    {ConvertLatToRusInvert, "Invert", "qweкен", "йцуrty"},
    {ConvertLatToRusInvert, "Invert", "йцуrty", "qweкен"},
    {ConvertLatToRusInvert, "Invert", "a.b,c ёЁ 7", "фюибс ёЁ 7"},
};

TEST(KeyboardLayout, ConvertsKeyByKey) {
  for (const LayoutCase& c : kLayoutCases)
    EXPECT_EQ(Win1251ToUtf8(c.convert(Utf8ToWin1251(c.input))), c.expected)
        << c.name << "(" << c.input << ")";
}

TEST(KeyboardLayout, LatinKeySetHasTheSixtySixKeys) {
  int count = 0;
  for (int b = 0; b < 256; ++b) count += IsLatinKey(static_cast<unsigned char>(b));
  EXPECT_EQ(count, 66);
  for (unsigned char ch : std::string("`~\\|1!@#$%^&*()-_=+ \t\xB8\xA8\xE0"))
    EXPECT_FALSE(IsLatinKey(ch)) << int(ch);
}

std::string RandomWin1251(std::mt19937& rng, std::size_t maxLength) {
  std::uniform_int_distribution<int> length(0, static_cast<int>(maxLength));
  std::uniform_int_distribution<int> byte(0, 255);
  std::string text(static_cast<std::size_t>(length(rng)), '\0');
  for (char& c : text) c = static_cast<char>(byte(rng));
  return text;
}

TEST(KeyboardLayoutProperty, LengthIsKeptAndLettersComeBack) {
  std::mt19937 rng(1251);
  for (int i = 0; i < 2000; ++i) {
    std::string text = RandomWin1251(rng, 64);
    std::string rus = ConvertLatToRus(text);
    std::string back = ConvertRusToLat(rus);
    ASSERT_EQ(rus.size(), text.size());
    ASSERT_EQ(ConvertRusToLat(text).size(), text.size());
    ASSERT_EQ(ConvertLatToRusInvert(text).size(), text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
      auto ch = static_cast<unsigned char>(text[k]);
      // "/" and "?" become a full stop and a comma, which have no way back;
      // Russian letters of the source come back as Latin keys.
      if (ch == '/' || ch == '?' || ch >= 0xC0) continue;
      EXPECT_EQ(back[k], text[k]) << "byte " << int(ch);
    }
  }
}

}  // namespace
}  // namespace quillo

#include "core/letter_case.h"

#include "core/byte_map.h"

#include <array>
#include <cstddef>

namespace quillo {
namespace {

struct CasePair {
  unsigned char upper;
  unsigned char lower;
};

// Windows-1251 letters outside the contiguous A-Z and А-Я ranges.
constexpr CasePair kScatteredPairs[] = {
    {0xA8, 0xB8},  // Ё ё
    {0x80, 0x90},  // Ђ ђ
    {0x81, 0x83},  // Ѓ ѓ
    {0x8A, 0x9A},  // Љ љ
    {0x8C, 0x9C},  // Њ њ
    {0x8D, 0x9D},  // Ќ ќ
    {0x8E, 0x9E},  // Ћ ћ
    {0x8F, 0x9F},  // Џ џ
    {0xA1, 0xA2},  // Ў ў
    {0xA3, 0xBC},  // Ј ј
    {0xA5, 0xB4},  // Ґ ґ
    {0xAA, 0xBA},  // Є є
    {0xAF, 0xBF},  // Ї ї
    {0xB2, 0xB3},  // І і
    {0xBD, 0xBE},  // Ѕ ѕ
};

struct CaseTables {
  std::array<unsigned char, 256> upperOf{};
  std::array<unsigned char, 256> lowerOf{};
};

constexpr CaseTables BuildTables() {
  CaseTables t;
  for (std::size_t b = 0; b < 256; ++b)
    t.upperOf[b] = t.lowerOf[b] = static_cast<unsigned char>(b);
  auto pair = [&t](unsigned upper, unsigned lower) {
    t.upperOf[lower] = static_cast<unsigned char>(upper);
    t.lowerOf[upper] = static_cast<unsigned char>(lower);
  };
  for (unsigned i = 0; i < 26; ++i) pair('A' + i, 'a' + i);
  for (unsigned i = 0; i < 32; ++i) pair(0xC0 + i, 0xE0 + i);
  for (CasePair p : kScatteredPairs) pair(p.upper, p.lower);
  return t;
}

constexpr CaseTables kTables = BuildTables();

bool IsInvertibleUpper(unsigned char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 0xC0 && ch <= 0xDF);
}

bool IsInvertibleLower(unsigned char ch) {
  return (ch >= 'a' && ch <= 'z') || ch >= 0xE0;
}

}  // namespace

unsigned char UpperOf(unsigned char ch) { return kTables.upperOf[ch]; }

unsigned char LowerOf(unsigned char ch) { return kTables.lowerOf[ch]; }

std::string ToUpperCase(std::string_view text) { return MapBytes(text, UpperOf); }

std::string ToLowerCase(std::string_view text) { return MapBytes(text, LowerOf); }

std::string InvertCase(std::string_view text) {
  return MapBytes(text, [](unsigned char ch) {
    if (IsInvertibleUpper(ch)) return LowerOf(ch);
    if (IsInvertibleLower(ch)) return UpperOf(ch);
    return ch;
  });
}

std::string ToTitleCase(std::string_view text, const ByteSet& delimiters) {
  std::string result = ToLowerCase(text);
  bool insideWord = false;
  for (char& c : result) {
    auto ch = static_cast<unsigned char>(c);
    if (delimiters[ch]) {
      insideWord = false;
    } else if (!insideWord) {
      c = static_cast<char>(UpperOf(ch));
      insideWord = true;
    }
  }
  return result;
}

}  // namespace quillo

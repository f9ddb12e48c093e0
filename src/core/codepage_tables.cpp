#include "core/codepage_tables.h"

#include <cstddef>
#include <iterator>

namespace quillo {
namespace {

constexpr LetterCodes Range(unsigned char capitals, unsigned char small) {
  LetterCodes codes{};
  for (int i = 0; i < 32; ++i) {
    codes[i] = static_cast<unsigned char>(capitals + i);
    codes[32 + i] = static_cast<unsigned char>(small + i);
  }
  return codes;
}

constexpr LetterCodes DosLetters() {
  LetterCodes codes = Range(0x80, 0xA0);
  for (int i = 16; i < 32; ++i) codes[32 + i] = static_cast<unsigned char>(0xE0 + i - 16);
  return codes;
}

constexpr LetterCodes KoiLetters() {
  // KOI8-R capitals in the order А … Я; each small letter is 0x20 lower.
  constexpr unsigned char kCapitals[32] = {
      0xE1, 0xE2, 0xF7, 0xE7, 0xE4, 0xE5, 0xF6, 0xFA, 0xE9, 0xEA, 0xEB,
      0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF2, 0xF3, 0xF4, 0xF5, 0xE6, 0xE8,
      0xE3, 0xFE, 0xFB, 0xFD, 0xFF, 0xF9, 0xF8, 0xFC, 0xE0, 0xF1};
  LetterCodes codes{};
  for (int i = 0; i < 32; ++i) {
    codes[i] = kCapitals[i];
    codes[32 + i] = static_cast<unsigned char>(kCapitals[i] - 0x20);
  }
  return codes;
}

constexpr LetterCodes MacLetters() {
  LetterCodes codes = Range(0x80, 0xE0);
  codes[63] = 0xDF;  // я stands apart from а … ю
  return codes;
}

constexpr std::array<LetterCodes, kLetterTableCount> kLetters = {
    DosLetters(), Range(0xB0, 0xD0), KoiLetters(), MacLetters(), Range(0xC0, 0xE0)};

struct BytePair {
  unsigned char dos;
  unsigned char win;
};

// CP866 bytes other than the 64 letters, with their Windows-1251 byte.
// The first group is the same character in both code pages. The second maps
// what CP866 has and Windows-1251 lacks onto what Windows-1251 has and CP866
// lacks, so that a DOS-866 file shown and saved again keeps every byte.
constexpr BytePair kDosWinPairs[] = {
    {0xF0, 0xA8}, {0xF1, 0xB8},  // Ё ё
    {0xF2, 0xAA}, {0xF3, 0xBA},  // Є є
    {0xF4, 0xAF}, {0xF5, 0xBF},  // Ї ї
    {0xF6, 0xA1}, {0xF7, 0xA2},  // Ў ў
    {0xF8, 0xB0}, {0xFA, 0xB7},  // ° ·
    {0xFC, 0xB9}, {0xFD, 0xA4},  // № ¤
    {0xFF, 0xA0},                // no-break space
    // Visually close where possible.
    {0xB3, 0xA6}, {0xC4, 0x97},  // │ ¦    ─ —
    {0xBA, 0xB6}, {0xCD, 0x96},  // ║ ¶    ═ –
    {0xC5, 0x86}, {0xCE, 0x87},  // ┼ †    ╬ ‡
    {0xDA, 0x91}, {0xBF, 0xAC},  // ┌ ‘    ┐ ¬
    {0xC0, 0x82}, {0xD9, 0x92},  // └ ‚    ┘ ’
    {0xC3, 0x9B}, {0xB4, 0x8B},  // ├ ›    ┤ ‹
    {0xC2, 0x99}, {0xC1, 0xB1},  // ┬ ™    ┴ ±
    {0xC9, 0x93}, {0xBB, 0x94},  // ╔ “    ╗ ”
    {0xC8, 0x84}, {0xBC, 0x85},  // ╚ „    ╝ …
    {0xCC, 0xBB}, {0xB9, 0xAB},  // ╠ »    ╣ «
    {0xCB, 0x89}, {0xCA, 0x88},  // ╦ ‰    ╩ €
    {0xF9, 0x95}, {0xFB, 0xB5},  // ∙ •    √ µ
    {0xB0, 0xA9}, {0xB1, 0xAE},  // ░ ©    ▒ ®
    {0xB2, 0xA7},                // ▓ §
    {0xDB, 0x8F}, {0xFE, 0x9F},  // █ Џ    ■ џ
    {0xDD, 0xB2}, {0xDE, 0xA3},  // ▌ І    ▐ Ј
    {0xDF, 0xA5},                // ▀ Ґ
    // The rarely used mixed single and double lines, and ▄.
    {0xB5, 0x80}, {0xB6, 0x81},  // ╡ Ђ    ╢ Ѓ
    {0xB7, 0x83}, {0xB8, 0x8A},  // ╖ ѓ    ╕ Љ
    {0xBD, 0x8C}, {0xBE, 0x8D},  // ╜ Њ    ╛ Ќ
    {0xC6, 0x8E}, {0xC7, 0x90},  // ╞ Ћ    ╟ ђ
    {0xCF, 0x98}, {0xD0, 0x9A},  // ╧ (0x98 unused)    ╨ љ
    {0xD1, 0x9C}, {0xD2, 0x9D},  // ╤ њ    ╥ ќ
    {0xD3, 0x9E}, {0xD4, 0xAD},  // ╙ ћ    ╘ soft hyphen
    {0xD5, 0xB3}, {0xD6, 0xB4},  // ╒ і    ╓ ґ
    {0xD7, 0xBC}, {0xD8, 0xBD},  // ╫ ј    ╪ Ѕ
    {0xDC, 0xBE},                // ▄ ѕ
};

static_assert(std::size(kDosWinPairs) == 128 - 64, "one pair for every upper byte but the letters");

constexpr ByteMap Identity() {
  ByteMap map{};
  for (int b = 0; b < 256; ++b) map[b] = static_cast<unsigned char>(b);
  return map;
}

constexpr ByteMap LetterMap(const LetterCodes& from, const LetterCodes& to) {
  ByteMap map = Identity();
  for (std::size_t i = 0; i < from.size(); ++i) map[from[i]] = to[i];
  return map;
}

constexpr ByteMap DosToWin() {
  ByteMap map = LetterMap(kLetters[0], kLetters[4]);
  for (const BytePair& pair : kDosWinPairs) map[pair.dos] = pair.win;
  return map;
}

constexpr ByteMap Inverse(const ByteMap& map) {
  ByteMap inverse{};
  for (int b = 0; b < 256; ++b) inverse[map[b]] = static_cast<unsigned char>(b);
  return inverse;
}

constexpr bool IsBijection(const ByteMap& map) {
  bool seen[256] = {};
  for (unsigned char b : map) {
    if (seen[b]) return false;
    seen[b] = true;
  }
  return true;
}

static_assert(IsBijection(DosToWin()), "every CP866 byte needs its own Windows-1251 byte");

constexpr std::array<ByteMap, kConvertKindCount> BuildMaps() {
  std::array<ByteMap, kConvertKindCount> maps{};
  maps[0] = Identity();
  int kind = 1;
  for (int from = 0; from < kLetterTableCount; ++from)
    for (int to = 0; to < kLetterTableCount; ++to)
      if (from != to) maps[kind++] = LetterMap(kLetters[from], kLetters[to]);
  maps[kDosToWin] = DosToWin();
  maps[kWinToDos] = Inverse(maps[kDosToWin]);
  return maps;
}

constexpr std::array<ByteMap, kConvertKindCount> kMaps = BuildMaps();

}  // namespace

const LetterCodes& LetterTableCodes(LetterTable table) {
  return kLetters[static_cast<int>(table)];
}

int ConvertKind(LetterTable from, LetterTable to) {
  const int f = static_cast<int>(from);
  const int t = static_cast<int>(to);
  if (f == t) return 0;
  return 1 + f * (kLetterTableCount - 1) + (t > f ? t - 1 : t);
}

const ByteMap& ConversionMap(int kind) {
  return kMaps[kind >= 0 && kind < kConvertKindCount ? kind : 0];
}

}  // namespace quillo

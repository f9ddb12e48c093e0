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

// The 64 characters of each code page besides its letters, in byte order.
constexpr char16_t kWinOthers[64] = {  // 0x80-0xBF
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};
constexpr char16_t kDosOthers[64] = {  // 0xB0-0xDF, 0xF0-0xFF
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};
constexpr char16_t kKoiOthers[64] = {  // 0x80-0xBF
    0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518, 0x251C, 0x2524,
    0x252C, 0x2534, 0x253C, 0x2580, 0x2584, 0x2588, 0x258C, 0x2590,
    0x2591, 0x2592, 0x2593, 0x2320, 0x25A0, 0x2219, 0x221A, 0x2248,
    0x2264, 0x2265, 0x00A0, 0x2321, 0x00B0, 0x00B2, 0x00B7, 0x00F7,
    0x2550, 0x2551, 0x2552, 0x0451, 0x2553, 0x2554, 0x2555, 0x2556,
    0x2557, 0x2558, 0x2559, 0x255A, 0x255B, 0x255C, 0x255D, 0x255E,
    0x255F, 0x2560, 0x2561, 0x0401, 0x2562, 0x2563, 0x2564, 0x2565,
    0x2566, 0x2567, 0x2568, 0x2569, 0x256A, 0x256B, 0x256C, 0x00A9,
};

constexpr bool IsLetterCode(const LetterCodes& letters, int byte) {
  for (unsigned char code : letters)
    if (code == byte) return true;
  return false;
}

constexpr UpperHalf CharsOf(const LetterCodes& letters, const char16_t (&others)[64]) {
  UpperHalf chars{};
  for (std::size_t i = 0; i < letters.size(); ++i)
    chars[letters[i] - 0x80] = static_cast<char16_t>(0x0410 + i);
  std::size_t next = 0;
  for (int b = 0x80; b < 0x100; ++b)
    if (!IsLetterCode(letters, b)) chars[b - 0x80] = others[next++];
  return chars;
}

constexpr UpperHalf kWinChars = CharsOf(kLetters[4], kWinOthers);
constexpr UpperHalf kDosChars = CharsOf(kLetters[0], kDosOthers);
constexpr UpperHalf kKoiChars = CharsOf(kLetters[2], kKoiOthers);

// The byte of a character in a code page's upper half, -1 when it has none.
constexpr int ByteOf(const UpperHalf& chars, char16_t ch) {
  for (int b = 0; b < 128; ++b)
    if (chars[b] == ch) return 0x80 + b;
  return -1;
}

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

struct CharSlot {
  char16_t ch;
  unsigned char win;
};

// KOI8-R characters that have no place of their own by the rule below take
// the eight Windows-1251 characters that CP866 has and KOI8-R lacks.
constexpr CharSlot kKoiOwnSlots[] = {
    {0x2591, 0xA4},                  // ░ ¤ (its DOS place, ©, is a KOI8-R character)
    {0x00B2, 0xB9}, {0x00F7, 0xA2},  // ² №    ÷ ў
    {0x2264, 0xAA}, {0x2265, 0xBA},  // ≤ Є    ≥ є
    {0x2320, 0xAF}, {0x2321, 0xBF},  // ⌠ Ї    ⌡ ї
    {0x2248, 0xA1},                  // ≈ Ў
};

constexpr int OwnSlotOf(char16_t ch) {
  for (const CharSlot& own : kKoiOwnSlots)
    if (own.ch == ch) return own.win;
  return -1;
}

// Like DOS-866, KOI8-R maps onto Windows-1251 one to one: the characters
// both have exactly, and each pseudo-graphic character onto the same place
// as in the DOS-866 map, so that one display rule serves both code pages.
constexpr ByteMap KoiToWin() {
  const ByteMap dos = DosToWin();
  ByteMap map = LetterMap(kLetters[2], kLetters[4]);
  for (int b = 0x80; b < 0x100; ++b) {
    if (IsLetterCode(kLetters[2], b)) continue;
    const char16_t ch = kKoiChars[b - 0x80];
    const int win = ByteOf(kWinChars, ch);
    const int own = OwnSlotOf(ch);
    const int in_dos = ByteOf(kDosChars, ch);
    // A byte left at 0 would break the bijection check below.
    map[b] = static_cast<unsigned char>(win >= 0 ? win : own >= 0 ? own : in_dos >= 0 ? dos[in_dos] : 0);
  }
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
static_assert(IsBijection(KoiToWin()), "every KOI8-R byte needs its own Windows-1251 byte");

constexpr std::array<ByteMap, kConvertKindCount> BuildMaps() {
  std::array<ByteMap, kConvertKindCount> maps{};
  maps[0] = Identity();
  int kind = 1;
  for (int from = 0; from < kLetterTableCount; ++from)
    for (int to = 0; to < kLetterTableCount; ++to)
      if (from != to) maps[kind++] = LetterMap(kLetters[from], kLetters[to]);
  maps[kDosToWin] = DosToWin();
  maps[kWinToDos] = Inverse(maps[kDosToWin]);
  maps[kKoiToWin] = KoiToWin();
  maps[kWinToKoi] = Inverse(maps[kKoiToWin]);
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

const UpperHalf& UpperHalfOf(TCodePage page) {
  return page == cpDOS ? kDosChars : page == cpKOI ? kKoiChars : kWinChars;
}

}  // namespace quillo

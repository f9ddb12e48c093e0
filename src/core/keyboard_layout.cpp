#include "core/keyboard_layout.h"

#include "core/byte_map.h"

#include <array>
#include <cstddef>

namespace quillo {
namespace {

// Latin key characters and, at the same index, the Russian-layout character
// of the same key (Windows-1251 bytes).
constexpr std::string_view kLatinKeys =
    "qwertyuiop[]asdfghjkl;'zxcvbnm,./"
    "QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>?";
constexpr std::string_view kRussianKeys =
    "\xE9\xF6\xF3\xEA\xE5\xED\xE3\xF8\xF9\xE7\xF5\xFA"   // йцукенгшщзхъ
    "\xF4\xFB\xE2\xE0\xEF\xF0\xEE\xEB\xE4\xE6\xFD"       // фывапролджэ
    "\xFF\xF7\xF1\xEC\xE8\xF2\xFC\xE1\xFE."              // ячсмитьбю.
    "\xC9\xD6\xD3\xCA\xC5\xCD\xC3\xD8\xD9\xC7\xD5\xDA"   // ЙЦУКЕНГШЩЗХЪ
    "\xD4\xDB\xC2\xC0\xCF\xD0\xCE\xCB\xC4\xC6\xDD"       // ФЫВАПРОЛДЖЭ
    "\xDF\xD7\xD1\xCC\xC8\xD2\xDC\xC1\xDE,";             // ЯЧСМИТЬБЮ,
static_assert(kLatinKeys.size() == 66 && kRussianKeys.size() == 66);

struct LayoutTables {
  std::array<unsigned char, 256> latToRus{};
  std::array<bool, 256> isLatinKey{};
  // Indexed by byte value minus 0xC0.
  std::array<unsigned char, 64> rusToLat{};
};

constexpr LayoutTables BuildTables() {
  LayoutTables t;
  for (std::size_t b = 0; b < 256; ++b) t.latToRus[b] = static_cast<unsigned char>(b);
  for (std::size_t i = 0; i < kLatinKeys.size(); ++i) {
    auto lat = static_cast<unsigned char>(kLatinKeys[i]);
    auto rus = static_cast<unsigned char>(kRussianKeys[i]);
    t.latToRus[lat] = rus;
    t.isLatinKey[lat] = true;
    // "/" and "?" give the full stop and comma, which stay as they are on the
    // way back; only the letters are inverted.
    if (rus >= 0xC0) t.rusToLat[rus - 0xC0] = lat;
  }
  return t;
}

constexpr LayoutTables kTables = BuildTables();

constexpr bool EveryRussianLetterHasAKey() {
  for (unsigned char lat : kTables.rusToLat)
    if (lat == 0) return false;
  return true;
}
static_assert(EveryRussianLetterHasAKey());

unsigned char LatToRus(unsigned char ch) { return kTables.latToRus[ch]; }

unsigned char RusToLat(unsigned char ch) {
  return ch >= 0xC0 ? kTables.rusToLat[ch - 0xC0] : ch;
}

}  // namespace

bool IsLatinKey(unsigned char ch) { return kTables.isLatinKey[ch]; }

std::string ConvertLatToRus(std::string_view text) { return MapBytes(text, LatToRus); }

std::string ConvertRusToLat(std::string_view text) { return MapBytes(text, RusToLat); }

std::string ConvertLatToRusInvert(std::string_view text) {
  return MapBytes(text, [](unsigned char ch) {
    return IsLatinKey(ch) ? LatToRus(ch) : RusToLat(ch);
  });
}

}  // namespace quillo

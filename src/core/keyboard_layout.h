#pragma once
// Text typed with the wrong keyboard layout active, turned back key by key
// between the Latin (qwerty) and the Russian (йцукен) layout. All texts are
// Windows-1251 bytes; every function keeps the length of its input.
#include <string>
#include <string_view>

namespace quillo {

// True for the 66 characters that have a Russian letter or sign on the same
// key: the 52 Latin letters and " ' , . / : ; < > ? [ ] { }.
bool IsLatinKey(unsigned char ch);

// Each Latin-layout key character becomes the Russian-layout character of
// the same key; everything else is copied.
std::string ConvertLatToRus(std::string_view text);

// Each Russian letter А-я (0xC0-0xFF) becomes the Latin-layout character of
// its key; everything else, Ё and ё included, is copied.
std::string ConvertRusToLat(std::string_view text);

// Swaps every character to the other layout on its own: Latin keys to
// Russian, Russian letters to Latin ("qweкен" -> "йцуrty").
std::string ConvertLatToRusInvert(std::string_view text);

}  // namespace quillo

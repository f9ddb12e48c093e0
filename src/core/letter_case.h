#pragma once
// Letter case of Windows-1251 text by the code page's own pairs of upper- and
// lower-case letters, independent of the system's locale. Every function
// keeps the length of its input.
#include <string>
#include <string_view>

#include "core/word_delimiters.h"

namespace quillo {

// The case partner of one byte; identity for bytes without one.
unsigned char UpperOf(unsigned char ch);
unsigned char LowerOf(unsigned char ch);

std::string ToUpperCase(std::string_view text);
std::string ToLowerCase(std::string_view text);

// Swaps the case of A-Z, a-z and А-я only; Ё, ё and the other letters of
// 0x80-0xBF stay as they are.
std::string InvertCase(std::string_view text);

// Lower-cases the text and raises the first byte of every run of bytes that
// are not in `delimiters`, whatever that byte is.
std::string ToTitleCase(std::string_view text, const ByteSet& delimiters = WordDelimiters());

}  // namespace quillo

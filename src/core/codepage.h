#pragma once
// The Cyrillic code pages a document file can be in, conversion of text
// between them, and the guess of a text's code page from its bytes.
// Text is a string of 8-bit bytes; a document is held in Windows-1251
// (shown_text.h says how each view shows it).
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quillo {

// The values are stored and passed around as numbers (menu tags 1-3).
enum TCodePage : int {
  cpNone = 0,
  cpWIN = 1,  // Windows-1251
  cpDOS = 2,  // DOS-866
  cpKOI = 3,  // KOI8-R
};

// "WIN", "DOS", "KOI"; an empty string for cpNone or any other value.
std::string CodePageName(TCodePage page);

// Only the first character counts: 'D' gives cpDOS, 'K' gives cpKOI,
// anything else (empty, lower case, unknown) gives cpWIN.
TCodePage CodePageFromName(std::string_view name);

// The five letter tables: codes of А … Я, а … я (no Ё, ё) in each code page.
enum class LetterTable : int { DOS, ISO, KOI, MAC, WIN };
inline constexpr int kLetterTableCount = 5;
using LetterCodes = std::array<unsigned char, 64>;
const LetterCodes& LetterTableCodes(LetterTable table);

// Conversion kinds: 0 copies; 1-20 are the ordered pairs of the letter
// tables, numbered by source, then target, in the order DOS, ISO, KOI, MAC, WIN.
inline constexpr int kConvertKindCount = 21;
inline constexpr int kDosToWin = 4;
inline constexpr int kKoiToWin = 12;
inline constexpr int kWinToDos = 17;
inline constexpr int kWinToKoi = 19;

// The kind that converts from one table to another; 0 when they are the same.
int ConvertKind(LetterTable from, LetterTable to);

// The length never changes. Kinds 4 and 17 (DOS-866) and 12 and 19 (KOI8-R)
// convert every byte: a bijection of the upper half with Windows-1251 in
// which each character the two code pages share keeps its identity and the
// rest (pseudo-graphics above all) take places Windows-1251 has free; a
// pseudo-graphic character takes the same place from DOS-866 and KOI8-R.
// The other kinds convert the letters of the tables and copy every other
// byte. A kind outside 0-20 copies the text unchanged.
std::string ConvertText(std::string_view text, int kind);
void ConvertTextInPlace(std::string& text, int kind);
void ConvertBytesInPlace(char* data, std::size_t size, int kind);

// File bytes in a code page -> shown text, and back.
// cpWIN (and cpNone) leave the text unchanged.
std::string ConvertToWin(std::string_view text, TCodePage page);
std::string ConvertFromWin(std::string_view text, TCodePage page);
void ConvertToWinInPlace(std::string& text, TCodePage page);
void ConvertFromWinInPlace(std::string& text, TCodePage page);

// The program examines no more than this many bytes of a text.
inline constexpr std::size_t kDetectLimit = 1024;

// Guesses the code page from the letter ranges among the first `limit`
// bytes; gives `fallback` when the counts do not decide.
TCodePage DetectCodePage(std::string_view text, std::size_t limit, TCodePage fallback);

}  // namespace quillo

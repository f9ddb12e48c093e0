#pragma once
// Windows-1251 is the one code page in which the program holds document
// text. These conversions use a table of our own, so the result never
// depends on the code pages of the machine the program runs on.
#include <string>
#include <string_view>

namespace quillo {

// The byte 0x98 has no character in Windows-1251; it is carried as U+0098 so
// that every byte survives a trip through a UTF-16 control.
char16_t Win1251ToUnicode(unsigned char byte);

// Characters without a Windows-1251 byte become '?'.
unsigned char UnicodeToWin1251(char16_t ch);

std::u16string Win1251ToUtf16(std::string_view text);
std::string Utf16ToWin1251(std::u16string_view text);

// UI texts live in the source as UTF-8.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
std::string Utf8ToWin1251(std::string_view text);
std::string Win1251ToUtf8(std::string_view text);

}  // namespace quillo

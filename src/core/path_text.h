#pragma once
// Full Windows paths as text, in Windows-1251 bytes (one byte a character):
// how two of them are compared and how a long one is shortened for a menu.
#include <string>
#include <string_view>

namespace quillo {

// Whether two paths name the same file as far as their text tells: equal
// regardless of the letter case of Latin and Cyrillic letters, as the file
// system compares names.
bool SamePath(std::string_view a, std::string_view b);

// A path of 60 characters or more with more than three backslashes and no
// '/' shows its drive, its first folder, "\...", its last folder and its
// file name: C:\Documents and Settings\...\2006\письмо.txt. The drive is
// "C:" or, for a network path, "\\server\share". Any other path, and one
// whose folders after the drive are too few to leave one out, is returned
// unchanged.
std::string ShortenPathForCaption(std::string_view path);

}  // namespace quillo

#pragma once
// Questions and notices in the program's own wording; the captions are the
// ones other processes (and the tests) look for.
#include <windows.h>

#include <string_view>

namespace quillo {

inline constexpr std::string_view kCaptionWarning = "Внимание";
inline constexpr std::string_view kCaptionQuestion = "Вопрос";
inline constexpr std::string_view kCaptionInformation = "Информация";

int ShowMessage(HWND owner, std::string_view text, std::string_view caption, UINT flags);

// printf-style "%s" substitution for the few messages that name a file.
std::string FormatMessageText(std::string_view pattern, std::string_view arg);

}  // namespace quillo

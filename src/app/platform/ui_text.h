#pragma once
// The Win32 boundary for texts: UI strings are UTF-8 in the source and reach
// Windows as UTF-16; document text is Windows-1251 bytes.
#include <string>
#include <string_view>

#include "core/win1251.h"

namespace quillo {

// The same UTF-16 units seen as char16_t, without a copy (wchar_t is UTF-16 on Windows).
inline std::u16string_view U16View(std::wstring_view wide) {
  return std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
}

inline std::wstring Wide(std::string_view utf8) {
  std::u16string s = Utf8ToUtf16(utf8);
  return std::wstring(s.begin(), s.end());
}

inline std::string Utf8(std::wstring_view wide) {
  return Utf16ToUtf8(U16View(wide));
}

inline std::wstring WideFromWin1251(std::string_view bytes) {
  std::u16string s = Win1251ToUtf16(bytes);
  return std::wstring(s.begin(), s.end());
}

inline std::string Win1251FromWide(std::wstring_view wide) {
  return Utf16ToWin1251(U16View(wide));
}

inline std::u16string U16(std::wstring_view wide) { return std::u16string(wide.begin(), wide.end()); }
inline std::wstring FromU16(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

}  // namespace quillo

#include "core/win1251.h"

#include "core/codepage_tables.h"

namespace quillo {

char16_t Win1251ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  return UpperHalfOf(cpWIN)[byte - 0x80];
}

unsigned char UnicodeToWin1251(char16_t ch) {
  if (ch < 0x80) return static_cast<unsigned char>(ch);
  if (ch >= 0x0410 && ch <= 0x044F) return static_cast<unsigned char>(0xC0 + (ch - 0x0410));
  const UpperHalf& chars = UpperHalfOf(cpWIN);
  for (size_t i = 0; i < 64; ++i)
    if (chars[i] == ch) return static_cast<unsigned char>(0x80 + i);
  return '?';
}

std::u16string Win1251ToUtf16(std::string_view text) {
  std::u16string out(text.size(), u'\0');
  for (size_t i = 0; i < text.size(); ++i)
    out[i] = Win1251ToUnicode(static_cast<unsigned char>(text[i]));
  return out;
}

std::string Utf16ToWin1251(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t ch = text[i];
    // A surrogate pair is one character outside the code page: one '?'.
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() &&
        text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
      ++i;
    out.push_back(static_cast<char>(UnicodeToWin1251(ch)));
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    char32_t cp = 0xFFFD;
    size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4;
    }
    if (len > 1) {
      if (i + len > text.size()) {
        len = text.size() - i;
      } else {
        cp = c & (0xFF >> (len + 1));
        for (size_t k = 1; k < len; ++k) {
          unsigned char cc = static_cast<unsigned char>(text[i + k]);
          if ((cc & 0xC0) != 0x80) { cp = 0xFFFD; len = k; break; }
          cp = (cp << 6) | (cc & 0x3F);
        }
      }
    }
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp > 0xFFFF ? 0xFFFD : cp));
    }
    i += len;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() &&
        text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::string Utf8ToWin1251(std::string_view text) { return Utf16ToWin1251(Utf8ToUtf16(text)); }
std::string Win1251ToUtf8(std::string_view text) { return Utf16ToUtf8(Win1251ToUtf16(text)); }

}  // namespace quillo

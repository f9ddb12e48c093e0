#include "core/unicode_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quillo {

void EncodeReport::Add(char32_t ch, std::size_t position) {
  if (count++ == 0) first = position;
  if (examples.size() < kMaxExamples && std::find(examples.begin(), examples.end(), ch) == examples.end())
    examples.push_back(ch);
}

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed sequence at p (0 when it is ill-formed
// there) and its code point; `left` bytes are readable.
std::size_t SequenceAt(const unsigned char* p, std::size_t left, char32_t& cp) {
  const unsigned char lead = p[0];
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong below U+0800
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong below U+10000
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (left < length || p[1] < low || p[1] > high) return 0;
  char32_t value = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if (!IsContinuation(p[k])) return 0;
    value = (value << 6) | (p[k] & 0x3F);
  }
  cp = value;
  return length;
}

// The count of leading ASCII bytes, eight at a time.
std::size_t AsciiRun(const unsigned char* p, std::size_t size) {
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    if (word & 0x8080808080808080ull) break;
  }
  while (i < size && p[i] < 0x80) ++i;
  return i;
}

}  // namespace

Utf8Check CheckUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  bool multi_byte = false;
  std::size_t i = 0;
  while (i < size) {
    i += AsciiRun(p + i, size - i);
    if (i == size) break;
    char32_t cp;
    const std::size_t length = SequenceAt(p + i, size - i, cp);
    if (length == 0) return {i, multi_byte};
    multi_byte = true;
    i += length;
  }
  return {size, multi_byte};
}

std::optional<std::u16string> DecodeUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::u16string out;
  out.reserve(size);
  std::size_t i = 0;
  while (i < size) {
    const std::size_t run = AsciiRun(p + i, size - i);
    out.append(p + i, p + i + run);
    i += run;
    if (i == size) break;
    char32_t cp;
    const std::size_t length = SequenceAt(p + i, size - i, cp);
    if (length == 0) return std::nullopt;
    AppendUtf16(out, cp);
    i += length;
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
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

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

std::string EncodeUtf8(std::u16string_view text, EncodeReport* report) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (!IsSurrogate(unit)) {
      AppendUtf8(out, unit);
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else {
      if (report) report->Add(unit, i);
      AppendUtf8(out, 0xFFFD);
    }
  }
  return out;
}

std::u16string DecodeUtf16(std::string_view bytes, ByteOrder order) {
  std::u16string out(bytes.size() / 2, u'\0');
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const int hi = order == ByteOrder::Big ? 0 : 1;
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(p[2 * i + hi] << 8 | p[2 * i + 1 - hi]);
  return out;
}

std::string EncodeUtf16(std::u16string_view text, ByteOrder order) {
  std::string out(text.size() * 2, '\0');
  const int hi = order == ByteOrder::Big ? 0 : 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    out[2 * i + hi] = static_cast<char>(text[i] >> 8);
    out[2 * i + 1 - hi] = static_cast<char>(text[i] & 0xFF);
  }
  return out;
}

}  // namespace quillo

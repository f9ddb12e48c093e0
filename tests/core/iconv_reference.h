#pragma once
// glibc's iconv as the independent reference for code pages and Unicode
// forms in the tests.
#include <iconv.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillo::reference {

struct IconvOutcome {
  std::string out;           // what was converted before any error
  std::size_t error_offset;  // where the input stopped being convertible; its size when it never did
};

inline IconvOutcome IconvUntilError(const char* from, const char* to, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {{}, 0};
  std::string source(in);
  std::string out(in.size() * 4 + 8, '\0');
  char* src = source.data();
  size_t src_left = source.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  out.resize(out.size() - dst_left);
  return {out, static_cast<std::size_t>(src - source.data())};
}

inline std::optional<std::string> Iconv(const char* from, const char* to, std::string_view in) {
  IconvOutcome outcome = IconvUntilError(from, to, in);
  if (outcome.error_offset != in.size()) return std::nullopt;
  return outcome.out;
}

inline std::u16string Utf16FromLE(std::string_view bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8));
  return units;
}

// Text in a code page as UTF-16, as the code page reads it.
inline std::u16string ReadAs(const char* charset, std::string_view bytes) {
  return Utf16FromLE(Iconv(charset, "UTF-16LE", bytes).value_or(""));
}

inline std::string Encode(const char* charset, std::string_view utf8) {
  return Iconv("UTF-8", charset, utf8).value_or("<not in " + std::string(charset) + ">");
}

// The character of one byte in a code page, 0 when it has none.
inline char32_t CharOf(const char* charset, int byte) {
  auto utf32 = Iconv(charset, "UTF-32LE", std::string(1, static_cast<char>(byte)));
  if (!utf32 || utf32->size() != 4) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(utf32->data());
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<char32_t>(p[3]) << 24;
}

// The byte of a character in a code page, -1 when it has none.
inline int ByteOf(const char* charset, char32_t ch) {
  std::string utf32(4, '\0');
  for (int i = 0; i < 4; ++i) utf32[i] = static_cast<char>((ch >> (8 * i)) & 0xFF);
  auto bytes = Iconv("UTF-32LE", charset, utf32);
  if (!bytes || bytes->size() != 1) return -1;
  return static_cast<unsigned char>((*bytes)[0]);
}

}  // namespace quillo::reference

#pragma once
// The Unicode forms of a text file: UTF-8 checked strictly, UTF-16 in either
// byte order, and the report of characters a conversion cannot keep.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillo {

// Characters that a conversion writes as a substitute, for the warning
// given before it happens.
struct EncodeReport {
  static constexpr std::size_t kMaxExamples = 5;
  std::size_t count = 0;           // a surrogate pair counts as one character
  std::vector<char32_t> examples;  // distinct, in order of appearance; a lone surrogate as its unit
  std::size_t first = 0;           // UTF-16 index of the first one (when count > 0)

  void Add(char32_t ch, std::size_t position);
};

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
inline bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

struct Utf8Check {
  std::size_t error_offset;  // start of the first ill-formed sequence; the size when there is none
  bool multi_byte;           // a sequence of two or more bytes occurs before error_offset
};

// Well-formed UTF-8 as Unicode defines it: no overlong form, no surrogate,
// nothing above U+10FFFF, no sequence cut short (also not by the end).
Utf8Check CheckUtf8(std::string_view bytes);

// Well-formed UTF-8 to UTF-16; nothing when the bytes are not well-formed.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

// UTF-16 to UTF-8. A lone surrogate is no character: it is written as
// U+FFFD and reported.
std::string EncodeUtf8(std::u16string_view text, EncodeReport* report = nullptr);

void AppendUtf8(std::string& out, char32_t ch);
void AppendUtf16(std::u16string& out, char32_t ch);

enum class ByteOrder { Little, Big };

// Byte pairs to units and back, unit for unit: surrogates are neither
// checked nor changed, so any even-sized input comes back byte for byte.
// An odd last byte is left out.
std::u16string DecodeUtf16(std::string_view bytes, ByteOrder order);
std::string EncodeUtf16(std::u16string_view text, ByteOrder order);

}  // namespace quillo

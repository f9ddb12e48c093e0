#include "core/unicode_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "iconv_reference.h"

namespace quillo {
namespace {

// glibc's UTF-8 decoder is strict: overlong forms, surrogates, code points
// above U+10FFFF and cut sequences stop it where the sequence begins.
void ExpectAsIconv(const std::string& bytes) {
  const reference::IconvOutcome expected = reference::IconvUntilError("UTF-8", "UTF-16LE", bytes);
  const Utf8Check check = CheckUtf8(bytes);
  EXPECT_EQ(check.error_offset, expected.error_offset) << testing::PrintToString(bytes);
  const auto decoded = DecodeUtf8(bytes);
  EXPECT_EQ(decoded.has_value(), expected.error_offset == bytes.size());
  if (decoded) {
    EXPECT_EQ(*decoded, reference::Utf16FromLE(expected.out));
  }
}

TEST(Utf8, StrictAsIconv) {
  const struct {
    const char* what;
    std::string bytes;
    std::size_t error_offset;
  } cases[] = {
      {"empty", "", 0},
      {"ASCII", "plain text\r\n", 12},
      {"Cyrillic", "Привет", 12},
      {"the last code points of each length", "\x7F\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF", 10},
      {"around the surrogates", "\xED\x9F\xBF\xEE\x80\x80", 6},
      {"noncharacter U+FFFE", "\xEF\xBF\xBE", 3},
      {"overlong two bytes", "ab\xC0\xAF", 2},
      {"overlong C1", "\xC1\xBF", 0},
      {"overlong three bytes", "\xE0\x9F\xBF", 0},
      {"overlong four bytes", "\xF0\x8F\xBF\xBF", 0},
      {"high surrogate", "ok\xED\xA0\x80", 2},
      {"low surrogate", "\xED\xBF\xBF", 0},
      {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
      {"F5 lead", "\xF5\x80\x80\x80", 0},
      {"lone continuation", "a\x80", 1},
      {"cut by the end", "ж\xE2\x82", 2},
      {"cut by ASCII", "\xE2\x82" "a", 0},
      {"Windows-1251 word", "\xEF\xF0\xE8\xE2\xE5\xF2", 0},
      {"FF", "\xFF", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CheckUtf8(c.bytes).error_offset, c.error_offset);
    ExpectAsIconv(c.bytes);
  }
}

// Short strings over the bytes where UTF-8's rules change.
TEST(Utf8, RandomBytesAsIconv) {
  const unsigned char edges[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1,
                                 0xC2, 0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF3, 0xF4,
                                 0xF5, 0xFF};
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(random() % 9, '\0');
    for (char& b : bytes) b = static_cast<char>(edges[random() % std::size(edges)]);
    ExpectAsIconv(bytes);
  }
}

TEST(Utf8, MultiByteSeenBeforeTheError) {
  const struct {
    std::string bytes;
    bool multi_byte;
  } cases[] = {{"", false}, {"ASCII only", false}, {"ascii ё", true},
               {"\xFF ё", false}, {"ё \xFF", true}, {"\xF0\x9F\x98\x80", true}};
  for (const auto& c : cases) EXPECT_EQ(CheckUtf8(c.bytes).multi_byte, c.multi_byte) << c.bytes;
}

TEST(Utf8, EncodingAsIconvAndBack) {
  const std::u16string text = u"Привет, мир! € 😀 \uFFFF \U0010FFFF\r\n";
  const std::string utf8 = EncodeUtf8(text);
  const auto bytes = reference::Iconv("UTF-16LE", "UTF-8", EncodeUtf16(text, ByteOrder::Little));
  ASSERT_TRUE(bytes);
  EXPECT_EQ(utf8, *bytes);
  EXPECT_EQ(DecodeUtf8(utf8), text);
}

TEST(Utf8, LoneSurrogatesAreReportedNotMangledSilently) {
  const std::u16string text = {u'a', 0xD83D, u'b', 0xDE00, 0xD83D, 0xDE00, 0xDC00};
  EncodeReport report;
  EXPECT_EQ(EncodeUtf8(text, &report), "a\uFFFD" "b\uFFFD😀\uFFFD");
  EXPECT_EQ(report.count, 3u);
  EXPECT_EQ(report.first, 1u);
  EXPECT_EQ(report.examples, (std::vector<char32_t>{0xD83D, 0xDE00, 0xDC00}));
}

TEST(EncodeReport, CountsEveryOneShowsFewDistinct) {
  EncodeReport report;
  const std::u32string chars = U"ααβγδεζηα";
  for (std::size_t i = 0; i < chars.size(); ++i) report.Add(chars[i], 10 + i);
  EXPECT_EQ(report.count, chars.size());
  EXPECT_EQ(report.first, 10u);
  EXPECT_EQ(report.examples, (std::vector<char32_t>{U'α', U'β', U'γ', U'δ', U'ε'}));
}

TEST(Utf16, BothByteOrdersAsIconv) {
  const std::u16string text = u"Ёлка 😀\r\n";
  for (auto [order, charset] : {std::pair{ByteOrder::Little, "UTF-16LE"}, std::pair{ByteOrder::Big, "UTF-16BE"}}) {
    const std::string bytes = EncodeUtf16(text, order);
    EXPECT_EQ(bytes, reference::Encode(charset, "Ёлка 😀\r\n")) << charset;
    EXPECT_EQ(DecodeUtf16(bytes, order), text) << charset;
  }
}

// Units come back as they were, lone surrogates too; an odd last byte is
// not a unit.
TEST(Utf16, AnyUnitsRoundTrip) {
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    std::u16string units(random() % 20, u'\0');
    for (char16_t& u : units) u = static_cast<char16_t>(random() % 2 ? random() : 0xD800 + random() % 0x800);
    for (ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
      const std::string bytes = EncodeUtf16(units, order);
      EXPECT_EQ(DecodeUtf16(bytes, order), units);
      EXPECT_EQ(DecodeUtf16(bytes + 'x', order), units);
    }
  }
}

}  // namespace
}  // namespace quillo

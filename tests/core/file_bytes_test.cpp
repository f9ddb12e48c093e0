#include "core/file_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/unicode_text.h"
#include "core/win1251.h"
#include "iconv_reference.h"

namespace quillo {
namespace {

using reference::Encode;

std::string Utf16LEFile(std::u16string_view text) { return "\xFF\xFE" + EncodeUtf16(text, ByteOrder::Little); }
std::string Utf16BEFile(std::u16string_view text) { return "\xFE\xFF" + EncodeUtf16(text, ByteOrder::Big); }

const char* Name(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Ansi: return "Ansi";
    case TextEncoding::Utf8: return "Utf8";
    case TextEncoding::Utf8Bom: return "Utf8Bom";
    case TextEncoding::Utf16LE: return "Utf16LE";
    case TextEncoding::Utf16BE: return "Utf16BE";
  }
  return "?";
}

TEST(FileBytes, WhatTheFileIs) {
  const struct {
    const char* what;
    std::string bytes;
    TextEncoding encoding;
    TCodePage page;
  } cases[] = {
      {"empty", "", TextEncoding::Ansi, cpKOI},
      {"ASCII: as before", "Hello\r\n", TextEncoding::Ansi, cpKOI},
      {"UTF-8", "Привет, мир", TextEncoding::Utf8, cpWIN},
      {"UTF-8 with a mark", "\xEF\xBB\xBF" "abc", TextEncoding::Utf8Bom, cpWIN},
      {"a mark alone", "\xEF\xBB\xBF", TextEncoding::Utf8Bom, cpWIN},
      {"a mark before bytes that are not UTF-8", "\xEF\xBB\xBF\xEF\xF0\xE8", TextEncoding::Ansi, cpWIN},
      {"UTF-8 cut inside its last character", std::string("Привет").substr(0, 11), TextEncoding::Ansi, cpKOI},
      {"overlong UTF-8", "\xC0\xAF\xD0\x96", TextEncoding::Ansi, cpKOI},
      {"UTF-16LE", Utf16LEFile(u"Привет"), TextEncoding::Utf16LE, cpWIN},
      {"UTF-16BE", Utf16BEFile(u"Привет"), TextEncoding::Utf16BE, cpWIN},
      {"UTF-16LE with an odd byte", Utf16LEFile(u"Привет") + "x", TextEncoding::Ansi, cpWIN},
      {"Windows-1251", Encode("CP1251", "всё хорошо"), TextEncoding::Ansi, cpWIN},
      {"DOS-866", Encode("CP866", "всё хорошо"), TextEncoding::Ansi, cpDOS},
      {"KOI8-R", Encode("KOI8-R", "всё хорошо"), TextEncoding::Ansi, cpKOI},
  };
  DecodeOptions options;
  options.code_page = cpKOI;
  for (const auto& c : cases) {
    const DecodedFile file = DecodeFileBytes(c.bytes, options);
    EXPECT_EQ(Name(file.encoding), Name(c.encoding)) << c.what;
    EXPECT_EQ(file.code_page, c.page) << c.what;
  }
}

TEST(FileBytes, AsBeforeWhenUnicodeIsOff) {
  DecodeOptions before;
  before.unicode = false;
  before.own_characters = false;
  before.detect_code_page = false;
  const struct {
    const char* what;
    std::string bytes;
    bool raw;
    TCodePage page;
    std::u16string text;
  } cases[] = {
      {"UTF-16LE put into Windows-1251", Utf16LEFile(u"Ёж 😀\r\n") + "x", false, cpWIN, u"Ёж ?\r"},
      {"UTF-16BE is bytes", Utf16BEFile(u"Ё"), false, cpWIN, u"юя\u0004\u0001"},
      {"UTF-8 is bytes", "\xD0\x81", false, cpWIN, u"Р\u0403"},
      {"\".RTF\" is bytes", "\xFF\xFE" "a", true, cpWIN, u"яюa"},
      {"DOS frames on look-alikes", Encode("CP866", "┌─┐ж"), false, cpDOS, u"‘—¬ж"},
  };
  for (const auto& c : cases) {
    before.raw_bytes = c.raw;
    before.code_page = c.page;
    const DecodedFile file = DecodeFileBytes(c.bytes, before);
    EXPECT_EQ(Name(file.encoding), Name(TextEncoding::Ansi)) << c.what;
    EXPECT_EQ(Utf16ToUtf8(file.text), Utf16ToUtf8(c.text)) << c.what;
  }
}

// Open, show, save without a change: every byte back.
TEST(FileBytes, UnmodifiedFilesRoundTrip) {
  const std::u16string lone = {u'a', 0xD800, u'b', 0xDC00, u'\r', u'\n'};
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"UTF-8 with LF", "Привет 😀\nмир\n"},
      {"UTF-8 with a mark and CR LF", "\xEF\xBB\xBF" "Ёж\r\nα\r\n"},
      {"UTF-8 with CR", "ж\rж"},
      {"UTF-8 mark alone", "\xEF\xBB\xBF"},
      {"UTF-16LE", Utf16LEFile(u"Ёлка 😀\r\n2")},
      {"UTF-16LE with lone surrogates", Utf16LEFile(lone)},
      {"UTF-16BE with LF", Utf16BEFile(u"Ёлка\nβ\n")},
      {"UTF-16LE mark alone", "\xFF\xFE"},
      {"Windows-1251", Encode("CP1251", "Съешь же ещё — «булок»\r\n")},
      {"DOS-866 table", Encode("CP866", "┌──┬──┐\r\n│ ё │ √ │\r\n└──┴──┘\r\n")},
      {"KOI8-R", Encode("KOI8-R", "Съешь же ещё ╔═╗ ≤ ÷ ©\n")},
      {"not UTF-8, not UTF-16", "\xEF\xBB\xBF\xFF\xFE\r\n"},
  };
  for (const auto& c : cases) {
    const DecodedFile file = DecodeFileBytes(c.bytes, DecodeOptions{});
    EncodeReport report;
    EXPECT_EQ(EncodeFileText(file.text, file.encoding, file.code_page, file.breaks, &report), c.bytes) << c.what;
    EXPECT_EQ(report.count, 0u) << c.what;
    EXPECT_FALSE(file.mixed_breaks) << c.what;
  }
}

// Every byte of a DOS-866 or KOI8-R file but the line-break bytes and NUL,
// through open, display and save.
TEST(FileBytes, EveryByteOfTheCyrillicCodePagesRoundTrips) {
  std::string file;
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n') file.push_back(static_cast<char>(b));
  file += "\r\n";
  for (auto [page, charset] : {std::pair{cpDOS, "CP866"}, std::pair{cpKOI, "KOI8-R"}, std::pair{cpWIN, "CP1251"}}) {
    DecodeOptions options;
    options.detect_code_page = false;
    options.code_page = page;
    const DecodedFile decoded = DecodeFileBytes(file, options);
    if (page != cpWIN) {  // iconv has no character for the Windows-1251 byte 0x98
      std::u16string expected = reference::ReadAs(charset, file);
      expected.pop_back();  // LF: the control holds one CR per break
      EXPECT_EQ(decoded.text, expected) << charset;
    }
    EXPECT_EQ(EncodeFileText(decoded.text, TextEncoding::Ansi, page), file) << charset;
  }
}

TEST(FileBytes, LineBreaks) {
  const struct {
    std::string bytes;
    std::u16string text;
    LineBreak breaks;
    bool mixed;
  } cases[] = {
      {"a\r\nb\r\n", u"a\rb\r", LineBreak::CrLf, false},
      {"a\nb", u"a\rb", LineBreak::Lf, false},
      {"a\rb\r", u"a\rb\r", LineBreak::Cr, false},
      {"no break", u"no break", LineBreak::CrLf, false},
      {"a\r\nb\nc\rd\n\r", u"a\rb\rc\rd\r\r", LineBreak::CrLf, true},
  };
  for (const auto& c : cases) {
    const DecodedFile file = DecodeFileBytes(c.bytes, DecodeOptions{});
    EXPECT_EQ(file.text, c.text);
    EXPECT_EQ(file.breaks, c.breaks);
    EXPECT_EQ(file.mixed_breaks, c.mixed);
  }
  // Mixed breaks are saved in one form; no line is lost.
  EXPECT_EQ(EncodeFileText(u"a\rb\r\nc\nd", TextEncoding::Utf8, cpWIN, LineBreak::CrLf), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(EncodeFileText(u"a\rb", TextEncoding::Utf16BE, cpWIN, LineBreak::Lf),
            std::string("\xFE\xFF\0a\0\n\0b", 8));
  EXPECT_EQ(WithCrLfBreaks(u"a\rb\r\nc\nd\r"), u"a\r\nb\r\nc\r\nd\r\n");
  // The control holds every break of either form as one character.
  for (std::u16string_view text : {u"", u"\r\n", u"\n\r", u"a\rb\r\nc\nd\r", u"\r\r\n\n"}) {
    const std::u16string crlf = WithCrLfBreaks(text);
    EXPECT_EQ(ControlLength(text), crlf.size() - static_cast<size_t>(std::count(crlf.begin(), crlf.end(), u'\n')));
  }
}

TEST(FileBytes, NulBytesShownAsSpaces) {
  const struct {
    std::string bytes;
    std::u16string text;
    std::size_t count;
  } cases[] = {
      {std::string("a\0b\0", 4), u"a b ", 2},
      {Utf16LEFile(std::u16string(u"\0ж", 2)), u" ж", 1},
      {std::string("\xEF\xBB\xBF\0", 4), u" ", 1},
  };
  for (const auto& c : cases) {
    const DecodedFile file = DecodeFileBytes(c.bytes, DecodeOptions{});
    EXPECT_EQ(file.text, c.text);
    EXPECT_EQ(file.nul_count, c.count);
  }
}

TEST(FileBytes, SavingReportsWhatTheCodePageCannotHold) {
  const std::u16string text = u"😀 привет α — ┌";
  const struct {
    TextEncoding encoding;
    TCodePage page;
    std::string bytes;
    std::vector<char32_t> examples;
  } cases[] = {
      {TextEncoding::Ansi, cpWIN, Encode("CP1251", "? привет ? — ?"), {U'😀', U'α', U'┌'}},
      {TextEncoding::Ansi, cpDOS, Encode("CP866", "? привет ? ? ┌"), {U'😀', U'α', U'—'}},
      {TextEncoding::Ansi, cpKOI, Encode("KOI8-R", "? привет ? ? ┌"), {U'😀', U'α', U'—'}},
      {TextEncoding::Utf8, cpWIN, "😀 привет α — ┌", {}},
  };
  for (const auto& c : cases) {
    EncodeReport report;
    EXPECT_EQ(EncodeFileText(text, c.encoding, c.page, LineBreak::CrLf, &report), c.bytes);
    EXPECT_EQ(report.count, c.examples.size());
    EXPECT_EQ(report.examples, c.examples);
  }
  const std::u16string lone = {u'a', 0xD83D, u'b'};
  EncodeReport report;
  EXPECT_EQ(EncodeFileText(lone, TextEncoding::Utf8Bom, cpWIN, LineBreak::CrLf, &report), "\xEF\xBB\xBF" "a\uFFFDb");
  EXPECT_EQ(report.count, 1u);
  EXPECT_EQ(report.first, 1u);
}

TEST(FileBytes, WarningBeforeSubstitutes) {
  EncodeReport report;
  report.Add(U'😀', 0);
  report.Add(U'α', 5);
  const std::string text = SubstitutesWarning(report, TextEncoding::Ansi, cpDOS);
  EXPECT_NE(text.find("DOS-866: 2 (например: «😀», «α»)"), std::string::npos) << text;
  EXPECT_NE(text.find("«?»"), std::string::npos) << text;
}

std::string ReadSample(const char* name) {
  const auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples" / name;
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The shipped sample in each of its forms: an 8-bit form is never taken for
// UTF-8, and every form shows the same text.
TEST(FileBytes, ShippedSampleInEveryForm) {
  const std::string dos = ReadSample("dos866-sample.txt");
  ASSERT_GT(dos.size(), 100u);
  const std::string utf8 = *reference::Iconv("CP866", "UTF-8", dos);
  const DecodedFile shown = DecodeFileBytes(utf8, DecodeOptions{});
  EXPECT_EQ(Name(shown.encoding), Name(TextEncoding::Utf8));
  const struct {
    const char* charset;
    TCodePage page;
  } forms[] = {{"CP866", cpDOS}, {"CP1251", cpWIN}, {"KOI8-R", cpKOI}};
  for (const auto& f : forms) {
    const auto bytes = reference::Iconv("UTF-8", f.charset, utf8);
    if (!bytes) continue;  // Windows-1251 has no frames
    const DecodedFile file = DecodeFileBytes(*bytes, DecodeOptions{});
    EXPECT_EQ(Name(file.encoding), Name(TextEncoding::Ansi)) << f.charset;
    EXPECT_EQ(file.code_page, f.page) << f.charset;
    EXPECT_EQ(file.text, shown.text) << f.charset;
    EXPECT_EQ(EncodeFileText(file.text, file.encoding, file.code_page, file.breaks), *bytes) << f.charset;
  }
  const std::string win = Encode("CP1251", "Съешь же ещё этих мягких французских булок, да выпей чаю.");
  EXPECT_EQ(Name(DecodeFileBytes(win, DecodeOptions{}).encoding), Name(TextEncoding::Ansi));
}

// Windows-1251 text is not UTF-8: a small letter (0xE0-0xFF) would have to
// lead continuation bytes (0x80-0xBF), and two small letters in a row, as
// words have them, never are.
TEST(FileBytes, Windows1251TextIsNeverTakenForUtf8) {
  const std::string capitals = Utf8ToWin1251("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
  const std::string small = Utf8ToWin1251("абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
  const std::string marks = Utf8ToWin1251(" .,;:!?-—–«»\"'()№…\r\n");
  std::mt19937 random(3);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int word = 0; word < 1 + static_cast<int>(random() % 8); ++word) {
      if (random() % 3 == 0) text += capitals[random() % capitals.size()];
      for (int i = 0; i < 2 + static_cast<int>(random() % 8); ++i) text += small[random() % small.size()];
      text += marks[random() % marks.size()];
    }
    EXPECT_EQ(Name(DecodeFileBytes(text, DecodeOptions{}).encoding), Name(TextEncoding::Ansi)) << Win1251ToUtf8(text);
  }
}

}  // namespace
}  // namespace quillo

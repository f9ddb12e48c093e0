#include "core/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/win1251.h"

namespace quillo {
namespace {

// glibc's iconv serves as the independent reference for the code pages.
std::optional<std::string> Iconv(const char* from, const char* to, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string source = in;
  std::string out(in.size() * 4 + 8, '\0');
  char* src = source.data();
  size_t src_left = source.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  const size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return std::nullopt;
  out.resize(out.size() - dst_left);
  return out;
}

std::string Encode(const char* charset, const std::string& utf8) {
  auto bytes = Iconv("UTF-8", charset, utf8);
  EXPECT_TRUE(bytes) << utf8 << " in " << charset;
  return bytes.value_or("");
}

// The character of one byte in a code page, 0 when it has none.
char32_t CharOf(const char* charset, int byte) {
  auto utf32 = Iconv(charset, "UTF-32LE", std::string(1, static_cast<char>(byte)));
  if (!utf32 || utf32->size() != 4) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(utf32->data());
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<char32_t>(p[3]) << 24;
}

// The byte of a character in a code page, -1 when it has none.
int ByteOf(const char* charset, char32_t ch) {
  std::string utf32(4, '\0');
  for (int i = 0; i < 4; ++i) utf32[i] = static_cast<char>((ch >> (8 * i)) & 0xFF);
  auto bytes = Iconv("UTF-32LE", charset, utf32);
  if (!bytes || bytes->size() != 1) return -1;
  return static_cast<unsigned char>((*bytes)[0]);
}

bool IsBasicLetter(char32_t ch) { return ch >= 0x0410 && ch <= 0x044F; }

std::string AllBytes() {
  std::string bytes(256, '\0');
  for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
  return bytes;
}

struct TableCase {
  LetterTable table;
  const char* charset;
};

const TableCase kTables[] = {
    {LetterTable::DOS, "CP866"},       {LetterTable::ISO, "ISO-8859-5"},
    {LetterTable::KOI, "KOI8-R"},      {LetterTable::MAC, "MACCYRILLIC"},
    {LetterTable::WIN, "CP1251"},
};

struct KindCase {
  int kind;
  LetterTable from;
  LetterTable to;
};

using LT = LetterTable;
const KindCase kKinds[] = {
    {1, LT::DOS, LT::ISO},  {2, LT::DOS, LT::KOI},  {3, LT::DOS, LT::MAC},
    {4, LT::DOS, LT::WIN},  {5, LT::ISO, LT::DOS},  {6, LT::ISO, LT::KOI},
    {7, LT::ISO, LT::MAC},  {8, LT::ISO, LT::WIN},  {9, LT::KOI, LT::DOS},
    {10, LT::KOI, LT::ISO}, {11, LT::KOI, LT::MAC}, {12, LT::KOI, LT::WIN},
    {13, LT::MAC, LT::DOS}, {14, LT::MAC, LT::ISO}, {15, LT::MAC, LT::KOI},
    {16, LT::MAC, LT::WIN}, {17, LT::WIN, LT::DOS}, {18, LT::WIN, LT::ISO},
    {19, LT::WIN, LT::KOI}, {20, LT::WIN, LT::MAC},
};

const char* CharsetOf(LetterTable table) { return kTables[static_cast<int>(table)].charset; }

TEST(CodePageNames, ReadByFirstCharacter) {
  const struct {
    const char* name;
    TCodePage page;
  } cases[] = {
      {"WIN", cpWIN}, {"DOS", cpDOS},  {"KOI", cpKOI},     {"KOI8-R", cpKOI},
      {"D", cpDOS},   {"dos", cpWIN},  {"koi", cpWIN},     {"", cpWIN},
      {"UTF", cpWIN}, {" DOS", cpWIN}, {"Dummy", cpDOS},   {"\xC4", cpWIN},
  };
  for (const auto& c : cases) EXPECT_EQ(CodePageFromName(c.name), c.page) << '"' << c.name << '"';
}

TEST(CodePageNames, WrittenNamesReadBack) {
  const struct {
    TCodePage page;
    const char* name;
  } cases[] = {{cpWIN, "WIN"}, {cpDOS, "DOS"}, {cpKOI, "KOI"}};
  for (const auto& c : cases) {
    EXPECT_EQ(CodePageName(c.page), c.name);
    EXPECT_EQ(CodePageFromName(CodePageName(c.page)), c.page);
  }
  EXPECT_EQ(CodePageName(cpNone), "");
  EXPECT_EQ(CodePageName(static_cast<TCodePage>(7)), "");
  EXPECT_EQ(static_cast<int>(cpNone), 0);
  EXPECT_EQ(static_cast<int>(cpKOI), 3);
}

TEST(CodePageTables, LettersAsInThePublishedCodePages) {
  for (const auto& t : kTables) {
    const LetterCodes& codes = LetterTableCodes(t.table);
    for (int i = 0; i < 64; ++i)
      EXPECT_EQ(CharOf(t.charset, codes[i]), static_cast<char32_t>(0x0410 + i))
          << t.charset << " letter " << i;
  }
}

TEST(CodePageConvert, KindNumbersFollowSourceThenTarget) {
  for (const auto& k : kKinds) EXPECT_EQ(ConvertKind(k.from, k.to), k.kind);
  for (const auto& t : kTables) EXPECT_EQ(ConvertKind(t.table, t.table), 0);
}

// Kinds other than 4 and 17 convert the 64 letters and copy all else.
TEST(CodePageConvert, LetterKindsAgainstIconv) {
  const std::string all = AllBytes();
  for (const auto& k : kKinds) {
    if (k.kind == kDosToWin || k.kind == kWinToDos) continue;
    const std::string out = ConvertText(all, k.kind);
    ASSERT_EQ(out.size(), 256u);
    for (int b = 0; b < 256; ++b) {
      const char32_t ch = CharOf(CharsetOf(k.from), b);
      const int expected = IsBasicLetter(ch) ? ByteOf(CharsetOf(k.to), ch) : b;
      EXPECT_EQ(static_cast<unsigned char>(out[b]), expected)
          << "kind " << k.kind << " byte 0x" << std::hex << b;
    }
  }
}

TEST(CodePageConvert, KindZeroAndUnknownKindsCopy) {
  const std::string all = AllBytes();
  for (int kind : {0, -1, 21, 1000}) EXPECT_EQ(ConvertText(all, kind), all) << kind;
}

TEST(CodePageConvert, ZeroBytesDoNotEndTheText) {
  const std::string text("\x80\0\x80\0\xE0", 5);
  EXPECT_EQ(ConvertText(text, kDosToWin), std::string("\xC0\0\xC0\0\xF0", 5));
}

// Every character of CP866 that Windows-1251 also has lands on its byte.
TEST(CodePageDosWin, SharedCharactersAsPublished) {
  const std::string shown = ConvertText(AllBytes(), kDosToWin);
  int shared = 0;
  for (int b = 0; b < 256; ++b) {
    const int win = ByteOf("CP1251", CharOf("CP866", b));
    if (win < 0) continue;
    ++shared;
    EXPECT_EQ(static_cast<unsigned char>(shown[b]), win) << "CP866 0x" << std::hex << b;
    EXPECT_EQ(ConvertText(std::string(1, static_cast<char>(win)), kWinToDos),
              std::string(1, static_cast<char>(b)));
  }
  EXPECT_EQ(shared, 128 + 64 + 13);
}

TEST(CodePageDosWin, NamedCharactersOfBothCodePages) {
  const std::string chars = "АЯаяпрЁёЄєЇїЎў№°·¤\u00A0";
  EXPECT_EQ(ConvertText(Encode("CP866", chars), kDosToWin), Utf8ToWin1251(chars));
  EXPECT_EQ(ConvertText(Utf8ToWin1251(chars), kWinToDos), Encode("CP866", chars));
}

// CP866 characters missing from Windows-1251 take characters missing from
// CP866, so nothing a DOS-866 file holds is merged with anything else.
TEST(CodePageDosWin, UnsharedCharactersTakeUnsharedPlaces) {
  const std::string shown = ConvertText(AllBytes(), kDosToWin);
  for (int b = 0x80; b < 256; ++b) {
    if (ByteOf("CP1251", CharOf("CP866", b)) >= 0) continue;
    const auto win = static_cast<unsigned char>(shown[b]);
    EXPECT_GE(win, 0x80);
    EXPECT_EQ(ByteOf("CP866", Win1251ToUnicode(win)), -1)
        << "CP866 0x" << std::hex << b << " -> 0x" << int(win);
  }
}

TEST(CodePageDosWin, VisuallyCloseReplacements) {
  const struct {
    const char* dos;
    const char* win;
  } cases[] = {{"│", "¦"}, {"─", "—"}, {"═", "–"},  {"║", "¶"},
               {"┼", "†"}, {"∙", "•"}, {"┐", "¬"}, {"╣╠", "«»"}};
  for (const auto& c : cases)
    EXPECT_EQ(Win1251ToUtf8(ConvertText(Encode("CP866", c.dos), kDosToWin)), c.win) << c.dos;
}

TEST(CodePageDosWin, RoundTripOfEveryByte) {
  const std::string all = AllBytes();
  EXPECT_EQ(ConvertText(ConvertText(all, kDosToWin), kWinToDos), all);
  EXPECT_EQ(ConvertText(ConvertText(all, kWinToDos), kDosToWin), all);
  EXPECT_EQ(ConvertText(all, kDosToWin).substr(0, 128), all.substr(0, 128));
}

// A file loaded as DOS-866, viewed as KOI8-R, then as Windows-1251 again:
// each step first returns to the file's bytes, as the view commands do.
TEST(CodePageViews, DosThenKoiThenWinGivesTheLoadedBytes) {
  const std::string file = AllBytes();
  std::string shown = ConvertToWin(file, cpDOS);
  shown = ConvertToWin(ConvertFromWin(shown, cpDOS), cpKOI);
  EXPECT_EQ(ConvertFromWin(shown, cpKOI), file);
}

TEST(CodePageViews, LettersOfEachViewReadTheSame) {
  const std::string words = "Съешь же ещё этих мягких французских булок";
  const std::string expected = Utf8ToWin1251("Съешь же ещ\u0451 этих мягких французских булок");
  EXPECT_EQ(ConvertToWin(Encode("CP866", words), cpDOS), expected);
  EXPECT_EQ(ConvertFromWin(expected, cpDOS), Encode("CP866", words));
  const std::string no_yo = "Съешь же еще этих мягких французских булок";
  EXPECT_EQ(ConvertToWin(Encode("KOI8-R", no_yo), cpKOI), Utf8ToWin1251(no_yo));
  EXPECT_EQ(ConvertFromWin(Utf8ToWin1251(no_yo), cpKOI), Encode("KOI8-R", no_yo));
  EXPECT_EQ(ConvertToWin(expected, cpWIN), expected);
  EXPECT_EQ(ConvertFromWin(expected, cpWIN), expected);
  EXPECT_EQ(ConvertToWin(expected, cpNone), expected);
}

TEST(CodePageViews, YoOnlyInTheDosView) {
  EXPECT_EQ(ConvertToWin("\xB3\xA3", cpKOI), "\xB3\xA3");  // KOI8-R Ё ё stay
  EXPECT_EQ(ConvertFromWin("\xA8\xB8", cpKOI), "\xA8\xB8");
  EXPECT_EQ(ConvertToWin("\xF0\xF1", cpDOS), "\xA8\xB8");  // CP866 Ё ё convert
}

TEST(CodePageViews, InPlaceMatchesCopy) {
  const std::string all = AllBytes();
  for (TCodePage page : {cpNone, cpWIN, cpDOS, cpKOI}) {
    std::string text = all;
    ConvertToWinInPlace(text, page);
    EXPECT_EQ(text, ConvertToWin(all, page));
    ConvertFromWinInPlace(text, page);
    EXPECT_EQ(text, all);
  }
}

struct DetectCase {
  const char* what;
  std::string text;
  TCodePage expected;
};

TEST(CodePageDetect, Guesses) {
  const std::string words = "привет, как дела? всё хорошо";
  const std::string koi_small = Encode("KOI8-R", "привет, как дела");
  const DetectCase cases[] = {
      {"empty", "", cpNone},
      {"ASCII", "Hello, world!\r\n12345", cpNone},
      {"KOI8-R small letters", koi_small, cpKOI},
      {"Windows-1251 small letters", Utf8ToWin1251(words), cpWIN},
      {"CP866", Encode("CP866", words), cpDOS},
      {"CP866 capitals", Encode("CP866", "ПРИВЕТ МИР"), cpDOS},
      {"Windows-1251 capitals read as KOI8-R", Utf8ToWin1251("ПРИВЕТ МИР"), cpKOI},
      {"KOI8-R capitals read as Windows-1251", Encode("KOI8-R", "ПРИВЕТ МИР"), cpWIN},
      {"as many 0xC0-0xFF as CP866 letters", "\xC0\x80\xC1\x81", cpNone},
      {"a byte counted by both", "\xE5\xE6", cpNone},
      {"capitals tie small letters", "\xC0\xF0", cpWIN},
      {"CP866 frame without letters", "\xB0\xB1\xC9\xCD\xBB", cpKOI},
  };
  for (const auto& c : cases)
    for (TCodePage fallback : {cpWIN, cpDOS, cpKOI}) {
      const TCodePage expected = c.expected == cpNone ? fallback : c.expected;
      EXPECT_EQ(DetectCodePage(c.text, kDetectLimit, fallback), expected)
          << c.what << ", fallback " << fallback;
    }
}

TEST(CodePageDetect, LooksOnlyAtTheLimit) {
  const std::string head(1024, 'a');
  EXPECT_EQ(DetectCodePage(head + Encode("CP866", "привет"), kDetectLimit, cpKOI), cpKOI);
  const std::string almost(1023, 'a');
  EXPECT_EQ(DetectCodePage(almost + Encode("CP866", "привет"), kDetectLimit, cpKOI), cpDOS);
  EXPECT_EQ(DetectCodePage(Encode("CP866", "привет"), 0, cpKOI), cpKOI);
}

TEST(CodePageDetect, ShortTextReadsNothingBeyondItsEnd) {
  const std::string buffer = "ab" + Encode("CP866", "привет");
  EXPECT_EQ(DetectCodePage(std::string_view(buffer.data(), 2), kDetectLimit, cpWIN), cpWIN);
  EXPECT_EQ(DetectCodePage(std::string_view(buffer.data(), 3), kDetectLimit, cpWIN), cpDOS);
}

// The small-letter counter is defined by kind 12: bytes that KOI -> WIN
// turns into Windows-1251 capitals. Next to one KOI8-R small letter (0xC1)
// such a byte ties the counters, which gives WIN.
TEST(CodePageDetect, SmallLetterCounterFollowsKoiToWin) {
  for (int b = 0; b < 256; ++b) {
    const auto win = static_cast<unsigned char>(ConvertText(std::string(1, char(b)), kKoiToWin)[0]);
    const bool counted = win >= 0xC0 && win <= 0xDF;
    const std::string text = {char(0xC1), char(b)};
    EXPECT_EQ(DetectCodePage(text, kDetectLimit, cpDOS) == cpWIN, counted) << std::hex << b;
  }
}

}  // namespace
}  // namespace quillo

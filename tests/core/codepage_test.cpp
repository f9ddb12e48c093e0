#include "core/codepage.h"

#include <gtest/gtest.h>

#include <string>

#include "core/win1251.h"
#include "iconv_reference.h"

namespace quillo {
namespace {

using reference::ByteOf;
using reference::CharOf;

std::string Encode(const char* charset, const std::string& utf8) {
  const auto bytes = reference::Iconv("UTF-8", charset, utf8);
  EXPECT_TRUE(bytes) << utf8 << " in " << charset;
  return bytes.value_or("");
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

bool IsBijectionKind(int kind) {
  return kind == kDosToWin || kind == kWinToDos || kind == kKoiToWin || kind == kWinToKoi;
}

// Kinds other than 4, 12, 17 and 19 convert the 64 letters and copy all else.
TEST(CodePageConvert, LetterKindsAgainstIconv) {
  const std::string all = AllBytes();
  for (const auto& k : kKinds) {
    if (IsBijectionKind(k.kind)) continue;
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

struct BijectionCase {
  TCodePage page;
  const char* charset;
  int to_win, from_win;
  int shared;  // characters of the upper half that Windows-1251 also has
};

const BijectionCase kBijections[] = {
    {cpDOS, "CP866", kDosToWin, kWinToDos, 64 + 13},
    {cpKOI, "KOI8-R", kKoiToWin, kWinToKoi, 64 + 6},
};

// Every character of the code page that Windows-1251 also has lands on its
// byte, both ways.
TEST(CodePageBijection, SharedCharactersAsPublished) {
  for (const auto& c : kBijections) {
    const std::string shown = ConvertText(AllBytes(), c.to_win);
    int shared = 0;
    for (int b = 0; b < 256; ++b) {
      const int win = ByteOf("CP1251", CharOf(c.charset, b));
      if (win < 0) continue;
      ++shared;
      EXPECT_EQ(static_cast<unsigned char>(shown[b]), win) << c.charset << " 0x" << std::hex << b;
      EXPECT_EQ(ConvertText(std::string(1, static_cast<char>(win)), c.from_win),
                std::string(1, static_cast<char>(b)));
    }
    EXPECT_EQ(shared, 128 + c.shared) << c.charset;
  }
}

TEST(CodePageBijection, NamedCharactersOfBothCodePages) {
  const struct {
    TCodePage page;
    const char* chars;
  } cases[] = {{cpDOS, "АЯаяпрЁёЄєЇїЎў№°·¤\u00A0"}, {cpKOI, "АЯаяпрЁё°·©\u00A0"}};
  for (const auto& c : cases) {
    const char* charset = c.page == cpDOS ? "CP866" : "KOI8-R";
    EXPECT_EQ(ConvertToWin(Encode(charset, c.chars), c.page), Utf8ToWin1251(c.chars)) << charset;
    EXPECT_EQ(ConvertFromWin(Utf8ToWin1251(c.chars), c.page), Encode(charset, c.chars)) << charset;
  }
}

// Characters the code page has and Windows-1251 lacks take places of
// characters Windows-1251 has and the code page lacks, so nothing a file
// holds is merged with anything else.
TEST(CodePageBijection, UnsharedCharactersTakeUnsharedPlaces) {
  for (const auto& c : kBijections) {
    const std::string shown = ConvertText(AllBytes(), c.to_win);
    for (int b = 0x80; b < 256; ++b) {
      if (ByteOf("CP1251", CharOf(c.charset, b)) >= 0) continue;
      const auto win = static_cast<unsigned char>(shown[b]);
      EXPECT_GE(win, 0x80);
      EXPECT_EQ(ByteOf(c.charset, Win1251ToUnicode(win)), -1)
          << c.charset << " 0x" << std::hex << b << " -> 0x" << int(win);
    }
  }
}

TEST(CodePageBijection, RoundTripOfEveryByte) {
  const std::string all = AllBytes();
  for (const auto& c : kBijections) {
    EXPECT_EQ(ConvertText(ConvertText(all, c.to_win), c.from_win), all) << c.charset;
    EXPECT_EQ(ConvertText(ConvertText(all, c.from_win), c.to_win), all) << c.charset;
    EXPECT_EQ(ConvertText(all, c.to_win).substr(0, 128), all.substr(0, 128)) << c.charset;
  }
}

// A pseudo-graphic character takes the same Windows-1251 place from either
// code page, so one display rule serves both. The one exception: ░ sits on
// © in the DOS map, and KOI8-R has © of its own.
TEST(CodePageBijection, PseudoGraphicsShareTheirPlaces) {
  int shared = 0;
  for (int dos = 0x80; dos < 256; ++dos) {
    const char32_t ch = CharOf("CP866", dos);
    const int koi = ByteOf("KOI8-R", ch);
    if (koi < 0 || ByteOf("CP1251", ch) >= 0) continue;
    ++shared;
    const std::string from_dos = ConvertToWin(std::string(1, char(dos)), cpDOS);
    const std::string from_koi = ConvertToWin(std::string(1, char(koi)), cpKOI);
    if (ch == U'░')
      EXPECT_EQ(from_dos, "\xA9");
    else
      EXPECT_EQ(from_koi, from_dos) << "U+" << std::hex << int(ch);
  }
  EXPECT_EQ(shared, 48 + 3);  // the frames and blocks, ∙ √ ■
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
  EXPECT_EQ(ConvertToWin(Encode("KOI8-R", words), cpKOI), expected);
  EXPECT_EQ(ConvertFromWin(expected, cpKOI), Encode("KOI8-R", words));
  EXPECT_EQ(ConvertToWin(expected, cpWIN), expected);
  EXPECT_EQ(ConvertFromWin(expected, cpWIN), expected);
  EXPECT_EQ(ConvertToWin(expected, cpNone), expected);
}

TEST(CodePageViews, YoInEveryView) {
  EXPECT_EQ(ConvertToWin("\xB3\xA3", cpKOI), "\xA8\xB8");  // KOI8-R Ё ё
  EXPECT_EQ(ConvertFromWin("\xA8\xB8", cpKOI), "\xB3\xA3");
  EXPECT_EQ(ConvertToWin("\xF0\xF1", cpDOS), "\xA8\xB8");  // CP866 Ё ё
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

#include "core/ini_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillo {
namespace {

struct LookupCase {
  const char* text;
  const char* section;
  const char* key;
  std::optional<std::string> value;  // nullopt: the key is not found
};

TEST(IniParse, FindsWhatAHandEditedFileMeans) {
  const LookupCase cases[] = {
      {"[Options]\r\nWordWrap=0\r\n", "Options", "WordWrap", "0"},
      {"[Options]\nA=1\nWordWrap=0", "Options", "WordWrap", "0"},
      {"[Options]\rA=1\rWordWrap=0\r", "Options", "WordWrap", "0"},
      {"[Options]\n\n\r\n\nWordWrap=0\n", "Options", "WordWrap", "0"},
      {"  [ Options ]  \n  Key  =  two words  \n", "Options", "Key", "two words"},
      {"[Options]\n\tKey\t=\tv\t\n", "Options", "Key", "v"},
      {"[Options]\nKey=a=b\n", "Options", "Key", "a=b"},
      {"[Options]\nKey=\n", "Options", "Key", ""},
      {"[Options]\n=v\n", "Options", "", "v"},
      {"[Options]\n;Key=1\n", "Options", "Key", std::nullopt},
      {"[Options]\n;Key=1\n", "Options", ";Key", std::nullopt},
      {"[Options]\nKey\n", "Options", "Key", std::nullopt},
      {"Key=1\n[Options]\n", "Options", "Key", std::nullopt},
      {"[Options]\nKey=1\nKey=2\n", "Options", "Key", "1"},
      {"[Options]\nKey=1\nkey=2\n", "Options", "KEY", "1"},
      {"[O]\nA=1\n[P]\nB=3\n[o]\nB=2\n", "O", "B", "2"},
      {"[OPTIONS]\nwordwrap=0\n", "Options", "WordWrap", "0"},
      {"[Options]\nKey=1\n[Other]\n", "Other", "Key", std::nullopt},
      {"[]\nKey=1\n", "", "Key", "1"},
      {"[a]b]\nKey=1\n", "a]b", "Key", "1"},
      {"[Options\nKey=1\n", "Options", "Key", std::nullopt},
      // Имя / имя, Ёж / ёж: Cyrillic names match in either case.
      {"[\xC8\xEC\xFF]\n\xA8\xE6=1\n", "\xE8\xEC\xFF", "\xB8\xE6", "1"},
      {"[\xA5\xAA\xAF\xB2\xA1]\nk=1\n", "\xB4\xBA\xBF\xB3\xA2", "K", "1"},
      // Values are 8-bit text and come back byte for byte.
      {"[S]\nK=\xCF\xF0\xE8\xE2\xE5\xF2\x01 \x98\x01\n", "S", "K", "\xCF\xF0\xE8\xE2\xE5\xF2\x01 \x98"},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.text);
    IniFile ini(c.text);
    EXPECT_EQ(ini.KeyExists(c.section, c.key), c.value.has_value());
    EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), c.value.value_or("<default>"));
  }
}

TEST(IniParse, CaseDoesNotMatchBeyondLetters) {
  IniFile ini("[S]\n@=1\n[=2\n");
  EXPECT_FALSE(ini.KeyExists("S", "`"));  // '@' + 32
  EXPECT_FALSE(ini.KeyExists("S", "{"));  // '[' + 32
  EXPECT_FALSE(ini.SectionExists("s1"));
}

TEST(IniText, WritesEverySectionWithItsKeptLinesInOrder) {
  IniFile ini(
      "; made by hand\n"
      "\n"
      "[Options]\n"
      "  WordWrap = 0 \n"
      "; a note\n"
      "stray line\n"
      "\n"
      "[Find]\r\n"
      "0=abc\r\n"
      "[options]\n"
      "ToolBar=1\n"
      "wordwrap=1\n");
  EXPECT_EQ(ini.ToText(),
            "; made by hand\r\n"
            "[Options]\r\n"
            "WordWrap=0\r\n"
            "; a note\r\n"
            "stray line\r\n"
            "ToolBar=1\r\n"
            "\r\n"
            "[Find]\r\n"
            "0=abc\r\n"
            "\r\n");
}

TEST(IniText, SecondRewriteEqualsTheFirst) {
  using namespace std::string_view_literals;
  const std::string_view texts[] = {
      ""sv,
      "\r\n\n\r"sv,
      "["sv,
      "[]"sv,
      "="sv,
      "x\n[a]\n[A]\n=\n==\n;\n[b]]\n[[c]\n[d=]\n[e=\n k = v = w \n"sv,
      "\0[a]\0\nk\0=\0v\0w\n"sv,
      "[a]\n\x01k\x01=\x02v\x02\n[ A ]\nK=2\n"sv,
  };
  for (std::string_view text : texts) {
    SCOPED_TRACE(text);
    const std::string first = IniFile(text).ToText();
    EXPECT_EQ(IniFile(first).ToText(), first);
  }
}

TEST(IniWrite, KeepsPlacesAndSpellingOfExistingNames) {
  IniFile ini("[Options]\nWordWrap=1\nToolBar=1\n[Print]\nLeft=20\n");
  ini.WriteString("OPTIONS", "wordwrap", "0");
  ini.WriteString("Options", "Icons", "1");
  ini.WriteString("Find", "0", "abc");
  EXPECT_EQ(ini.ToText(),
            "[Options]\r\nWordWrap=0\r\nToolBar=1\r\nIcons=1\r\n\r\n"
            "[Print]\r\nLeft=20\r\n\r\n"
            "[Find]\r\n0=abc\r\n\r\n");
}

TEST(IniWrite, LineBreaksCannotAddLinesToTheFile) {
  IniFile ini;
  ini.WriteString("Find", "0", "a\r\n[Options]\r\nFileManager=evil.exe");
  ini.WriteString("Find\n[X]", "k\r\nz", "v");
  IniFile reread(ini.ToText());
  EXPECT_EQ(reread.Sections(), (std::vector<std::string>{"Find", "Find [X]"}));
  EXPECT_EQ(reread.ReadString("Find", "0", ""), "a  [Options]  FileManager=evil.exe");
  EXPECT_FALSE(reread.KeyExists("Options", "FileManager"));
}

TEST(IniSections, ListsEraseAndDelete) {
  IniFile ini("[B]\nz=1\na=2\n;note\n[A]\nk=1\n[c]\n");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"B", "A", "c"}));
  EXPECT_EQ(ini.Keys("b"), (std::vector<std::string>{"z", "a"}));
  EXPECT_TRUE(ini.Keys("missing").empty());
  EXPECT_TRUE(ini.SectionExists("C"));

  ini.EraseSection("b");
  ini.DeleteKey("A", "K");
  ini.EraseSection("missing");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"A", "c"}));
  EXPECT_FALSE(ini.KeyExists("A", "k"));
  EXPECT_EQ(ini.ToText(), "[A]\r\n\r\n[c]\r\n\r\n");

  ini.FromText("[New]\n");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"New"}));
}

struct NumberCase {
  const char* value;
  std::optional<int> number;  // nullopt: not a number, the default is read
};

TEST(IniRead, IntegersInDecimalOrAfter0x) {
  const NumberCase cases[] = {
      {"12", 12},         {"-5", -5},          {"+7", 7},
      {"0", 0},           {"007", 7},          {"0x1F", 31},
      {"0X1f", 31},       {"0x0", 0},          {"0xFFFFFFFF", -1},
      {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
      {"2147483648", std::nullopt}, {"99999999999", std::nullopt},
      {"0x123456789", std::nullopt}, {"0x", std::nullopt}, {"0xG", std::nullopt},
      {"0x-1", std::nullopt}, {"-0x10", std::nullopt}, {"$FF", std::nullopt},
      {"", std::nullopt}, {"abc", std::nullopt}, {"12abc", std::nullopt},
      {"1.5", std::nullopt}, {"+-1", std::nullopt}, {"--1", std::nullopt},
      {"++1", std::nullopt}, {"+", std::nullopt}, {"-", std::nullopt},
      {" 5", std::nullopt},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.value);
    IniFile ini;
    ini.WriteString("S", "K", c.value);
    EXPECT_EQ(ini.ReadInteger("S", "K", 4242), c.number.value_or(4242));
    EXPECT_EQ(ParseIniInteger(c.value), c.number);
  }
  EXPECT_EQ(IniFile().ReadInteger("S", "Missing", -7), -7);
}

TEST(IniRead, BooleansAreNumbersAndElseTheDefault) {
  struct Case {
    const char* value;
    std::optional<bool> result;
  };
  const Case cases[] = {
      {"1", true},  {"0", false},  {"2", true},  {"-1", true},
      {"0x0", false}, {"0x10", true}, {"true", std::nullopt}, {"false", std::nullopt},
      {"yes", std::nullopt}, {"", std::nullopt}, {"1 ", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    IniFile ini;
    ini.WriteString("S", "K", c.value);
    for (bool def : {false, true}) {
      EXPECT_EQ(ini.ReadBool("S", "K", def), c.result.value_or(def));
    }
  }
}

TEST(IniRead, FloatsWithEitherDecimalSeparator) {
  struct Case {
    const char* value;
    std::optional<double> result;
  };
  const Case cases[] = {
      {"20", 20.0},      {"12.5", 12.5},    {"12,5", 12.5},   {"-3.25", -3.25},
      {"+0,5", 0.5},     {"1e3", 1000.0},   {".5", 0.5},      {"abc", std::nullopt},
      {"", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt},
      {"1.2.3", std::nullopt}, {"12 mm", std::nullopt}, {"+-1", std::nullopt},
      {"1e999", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    IniFile ini;
    ini.WriteString("Print", "Left", c.value);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Print", "Left", 20.0), c.result.value_or(20.0));
  }
}

TEST(IniWrite, EveryValueFormReadsBackAfterARewrite) {
  for (char separator : {'.', ','}) {
    IniFile ini;
    ini.SetDecimalSeparator(separator);
    ini.WriteInteger("S", "Min", INT_MIN);
    ini.WriteInteger("S", "Max", INT_MAX);
    ini.WriteBool("S", "On", true);
    ini.WriteBool("S", "Off", false);
    ini.WriteFloat("S", "Half", 12.5);
    ini.WriteFloat("S", "Third", 1.0 / 3);
    ini.WriteFloat("S", "Whole", 20);
    ini.WriteString("S", "Text", "\xCF\xF0\xE8\xE2\xE5\xF2, world");
    EXPECT_EQ(ini.ReadString("S", "Half", ""), separator == ',' ? "12,5" : "12.5");
    EXPECT_EQ(ini.ReadString("S", "Whole", ""), "20");
    EXPECT_EQ(ini.ReadString("S", "On", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "Off", ""), "0");

    IniFile reread(ini.ToText());
    EXPECT_EQ(reread.ReadInteger("S", "Min", 0), INT_MIN);
    EXPECT_EQ(reread.ReadInteger("S", "Max", 0), INT_MAX);
    EXPECT_TRUE(reread.ReadBool("S", "On", false));
    EXPECT_FALSE(reread.ReadBool("S", "Off", true));
    EXPECT_EQ(reread.ReadFloat("S", "Half", 0), 12.5);
    EXPECT_EQ(reread.ReadFloat("S", "Third", 0), 1.0 / 3);
    EXPECT_EQ(reread.ReadString("S", "Text", ""), "\xCF\xF0\xE8\xE2\xE5\xF2, world");
  }
}

}  // namespace
}  // namespace quillo

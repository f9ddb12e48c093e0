#include "core/number_words.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "core/number_reader.h"
#include "core/win1251.h"

namespace quillo {
namespace {

// The selection as the user typed it, read with the comma as the locale's
// separator, then spelt in the format; "" stands for "left unchanged".
std::string Spell(const char* selection, int format) {
  std::optional<NumberInText> number = ReadNumber(selection, ',');
  if (!number) return "<not a number>";
  std::optional<std::string> words = NumberToWords(format, number->number);
  return words ? Win1251ToUtf8(*words) : "";
}

struct NumberCase {
  const char* selection;
  int format;
  const char* expected;
};

const NumberCase kNumberCases[] = {
    {"21,05", 1, "двадцать одна целая пять сотых"},
    {"2", 1, "две целых"},
    {"1,1", 1, "одна целая десять сотых"},
    {"1234,5", 1, "одна тысяча двести тридцать четыре целых пятьдесят сотых"},
    {"1234,5", 2, "одна тысяча двести тридцать четыре рубля пятьдесят копеек"},
    {"1234,5", 3, "одна тысяча двести тридцать четыре руб. пятьдесят коп."},
    {"0", 2, "ноль копеек"},
    {"0,5", 3, "пятьдесят коп."},
    {"-5", 2, "(пять рублей ноль копеек)"},
    {"2000000", 2, "два миллиона рублей ноль копеек"},
    {"111", 1, "сто одиннадцать целых"},
    {"21", 1, "двадцать одна целая"},
    {"12", 1, "двенадцать целых"},
    {"2002", 2, "две тысячи два рубля ноль копеек"},
    {"1", 3, "один руб. ноль коп."},
    {"3,7", 3, "три руб. семьдесят коп."},
    // Rounded to hundredths, halves to even, carried into the whole part.
    {"1,999", 2, "два рубля ноль копеек"},
    {"1,999", 1, "две целых"},
    {"0,995", 2, "один рубль ноль копеек"},
    {"1,125", 2, "один рубль двенадцать копеек"},
    {"1,375", 2, "один рубль тридцать восемь копеек"},
    {"1,125", 1, "одна целая двенадцать сотых"},
    {"0,015", 2, "две копейки"},
    {"0,21", 2, "двадцать одна копейка"},
    {"0,01", 1, "ноль целых одна сотая"},
    {"0,5", 1, "ноль целых пятьдесят сотых"},
    {"-2,5", 1, "(две целых пятьдесят сотых)"},
    {"-2,5", 3, "(два руб. пятьдесят коп.)"},
    {"-0,001", 2, "ноль копеек"},
    {"-0,001", 1, "ноль целых"},
    // Rounded once, from the digits as typed: a third decimal just above a
    // half rounds up, an exact half goes to the even neighbour.
    {"1,00501", 1, "одна целая одна сотая"},
    {"0,125001", 1, "ноль целых тринадцать сотых"},
    {"0,125", 1, "ноль целых двенадцать сотых"},
    {"0,135", 1, "ноль целых четырнадцать сотых"},
    {"0,00501", 2, "одна копейка"},
    {"1,005", 2, "один рубль ноль копеек"},
    {"1,015", 3, "один руб. две коп."},
    {"0,0149999999999999999", 2, "одна копейка"},
    {"12,5e-3", 1, "ноль целых одна сотая"},
    {"1,5e3", 2, "одна тысяча пятьсот рублей ноль копеек"},
    {"999999999999999", 1,
     "девятьсот девяносто девять триллионов девятьсот девяносто девять миллиардов девятьсот "
     "девяносто девять миллионов девятьсот девяносто девять тысяч девятьсот девяносто девять "
     "целых"},
    {"922337203685477", 3,
     "девятьсот двадцать два триллиона триста тридцать семь миллиардов двести три миллиона "
     "шестьсот восемьдесят пять тысяч четыреста семьдесят семь руб. ноль коп."},
    {"-922337203685477,5", 3,
     "(девятьсот двадцать два триллиона триста тридцать семь миллиардов двести три миллиона "
     "шестьсот восемьдесят пять тысяч четыреста семьдесят семь руб. пятьдесят коп.)"},
    // Beyond the defined ranges, and unknown formats: the text stays.
    {"1000000000000000", 1, ""},
    {"-1000000000000000", 1, ""},
    {"922337203685477,75", 2, ""},
    {"922337203685478", 2, ""},
    {"922337203685477,5808", 2, ""},
    {"1e400", 1, ""},
    {"5", 4, ""},
    {"5", 0, ""},
};

TEST(NumberWords, SpellsTheSelection) {
  for (const NumberCase& c : kNumberCases)
    EXPECT_EQ(Spell(c.selection, c.format), c.expected)
        << c.selection << " in format " << c.format;
}

TEST(NumberWords, IntToWordsCoversEveryGroup) {
  SpelledNumber max = IntToWords(UINT64_MAX, Gender::Masculine);
  EXPECT_EQ(Win1251ToUtf8(max.words),
            "восемнадцать квинтиллионов четыреста сорок шесть квадриллионов семьсот сорок "
            "четыре триллиона семьдесят три миллиарда семьсот девять миллионов пятьсот "
            "пятьдесят одна тысяча шестьсот пятнадцать");
  EXPECT_EQ(max.pluralClass, 3);
  EXPECT_EQ(Win1251ToUtf8(IntToWords(1001001, Gender::Feminine).words),
            "один миллион одна тысяча одна");
  EXPECT_EQ(IntToWords(1001001, Gender::Feminine).pluralClass, 1);
  EXPECT_EQ(IntToWords(5000, Gender::Masculine).pluralClass, 3);
  EXPECT_EQ(Win1251ToUtf8(IntToWords(0, Gender::Feminine).words), "ноль");
}

TEST(NumberWords, PluralClass) {
  const std::pair<std::uint64_t, int> cases[] = {
      {0, 3},   {1, 1},   {2, 2},   {4, 2},   {5, 3},   {10, 3},   {11, 3},    {12, 3},
      {14, 3},  {19, 3},  {21, 1},  {22, 2},  {25, 3},  {101, 1},  {111, 3},   {112, 3},
      {1001, 1}, {1011, 3}, {1022, 2}, {100, 3}, {UINT64_MAX, 3}};
  for (auto [n, expected] : cases) EXPECT_EQ(PluralClass(n), expected) << n;
}

// A second speller, built recursively and with its own word lists, for
// comparing with IntToWords over many numbers.
std::string Join(const std::string& a, const std::string& b) {
  return a.empty() ? b : b.empty() ? a : a + " " + b;
}

std::string SpellBelowThousand(unsigned n, bool feminine) {
  static const char* const small[] = {
      "", "один", "два", "три", "четыре", "пять", "шесть", "семь", "восемь", "девять", "десять",
      "одиннадцать", "двенадцать", "тринадцать", "четырнадцать", "пятнадцать", "шестнадцать",
      "семнадцать", "восемнадцать", "девятнадцать"};
  static const char* const tens[] = {"", "", "двадцать", "тридцать", "сорок", "пятьдесят",
                                     "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};
  static const char* const hundreds[] = {"", "сто", "двести", "триста", "четыреста",
                                         "пятьсот", "шестьсот", "семьсот", "восемьсот",
                                         "девятьсот"};
  if (n >= 100) return Join(hundreds[n / 100], SpellBelowThousand(n % 100, feminine));
  if (n >= 20) return Join(tens[n / 10], SpellBelowThousand(n % 10, feminine));
  if (feminine && n == 1) return "одна";
  if (feminine && n == 2) return "две";
  return small[n];
}

std::string Counted(unsigned n, const char* one, const char* few, const char* many) {
  if (n % 100 / 10 == 1) return many;
  unsigned last = n % 10;
  return last == 1 ? one : (last >= 2 && last <= 4) ? few : many;
}

std::string IndependentSpelling(unsigned n, bool feminine) {
  if (n == 0) return "ноль";
  std::string words;
  if (unsigned millions = n / 1000000)
    words = Join(SpellBelowThousand(millions, false),
                 Counted(millions, "миллион", "миллиона", "миллионов"));
  if (unsigned thousands = n / 1000 % 1000)
    words = Join(words, Join(SpellBelowThousand(thousands, true),
                             Counted(thousands, "тысяча", "тысячи", "тысяч")));
  return Join(words, SpellBelowThousand(n % 1000, feminine));
}

TEST(NumberWordsProperty, IntToWordsAgreesWithAnIndependentSpelling) {
  std::mt19937 rng(2026);
  std::uniform_int_distribution<unsigned> any(0, 1000000);
  for (unsigned i = 0; i < 30000; ++i) {
    unsigned n = i < 2100 ? i : i == 2100 ? 1000000 : any(rng);
    for (bool feminine : {false, true}) {
      Gender gender = feminine ? Gender::Feminine : Gender::Masculine;
      ASSERT_EQ(Win1251ToUtf8(IntToWords(n, gender).words), IndependentSpelling(n, feminine))
          << n << (feminine ? " feminine" : " masculine");
    }
  }
}

// The number read, written back with a point and without the zeros that say
// nothing ("-150", "0.5"); "-" when the text is not a number.
std::string Read(const char* text, char separator) {
  std::optional<NumberInText> read = ReadNumber(text, separator);
  if (!read) return "-";
  const DecimalNumber& n = read->number;
  std::string out = n.negative ? "-" : "";
  out += n.whole.empty() ? "0" : n.whole;
  if (!n.fraction.empty()) out += "." + n.fraction;
  return out;
}

TEST(NumberReader, ReadsTheLocalesNumbersOnly) {
  struct Case {
    const char* text;
    char separator;
    std::string read;
  };
  const Case cases[] = {
      {"12,5", ',', "12.5"},   {" \t12,5\r\n", ',', "12.5"}, {"+3", ',', "3"},
      {"-1,5e2", ',', "-150"}, {"25E-1", ',', "2.5"},         {",5", ',', "0.5"},
      {"5,", ',', "5"},        {"1.5", '.', "1.5"},           {"0007", ',', "7"},
      {"1,00501", ',', "1.00501"}, {"1,50e-2", ',', "0.015"}, {"0,0", ',', "0"},
      {"1e400", ',', "1" + std::string(400, '0')},            {"1e-3", ',', "0.001"},
      {"1.5", ',', "-"},  {"1,5", '.', "-"},   {"1 000", ',', "-"}, {"", ',', "-"},
      {"   ", ',', "-"},  {",", ',', "-"},     {"abc", ',', "-"},   {"12a", ',', "-"},
      {"--1", ',', "-"},  {"1e", ',', "-"},    {"e5", ',', "-"},    {"1e+", ',', "-"},
      {"1e10000", ',', "-"}, {"- 1", ',', "-"}, {"1,2,3", ',', "-"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Read(c.text, c.separator), c.read) << "\"" << c.text << "\" with separator " << c.separator;
}

// What surrounds the number is not part of it, so replacing the number
// keeps the spaces and line breaks a double click or a line selection took.
TEST(NumberReader, SaysWhereTheNumberStands) {
  struct Case {
    const char* text;
    std::size_t begin;
    std::size_t end;
  };
  const Case cases[] = {{"123", 0, 3}, {"123 ", 0, 3}, {"123\r", 0, 3}, {" \t-1,5e2\r\n", 2, 8}};
  for (const Case& c : cases) {
    std::optional<NumberInText> read = ReadNumber(c.text, ',');
    ASSERT_TRUE(read) << c.text;
    EXPECT_EQ(read->begin, c.begin) << c.text;
    EXPECT_EQ(read->end, c.end) << c.text;
  }
}

}  // namespace
}  // namespace quillo

#include "core/number_words.h"

#include <array>
#include <cmath>
#include <string_view>
#include <vector>

#include "core/win1251.h"

namespace quillo {
namespace {

// The three forms of a counted noun, by plural class 1, 2, 3.
struct NounForms {
  std::string one;
  std::string few;
  std::string many;

  const std::string& For(int pluralClass) const {
    return pluralClass == 1 ? one : pluralClass == 2 ? few : many;
  }
};

NounForms Forms(std::string_view one, std::string_view few, std::string_view many) {
  return {Utf8ToWin1251(one), Utf8ToWin1251(few), Utf8ToWin1251(many)};
}

std::vector<std::string> Words(std::initializer_list<std::string_view> utf8) {
  std::vector<std::string> result;
  for (std::string_view w : utf8) result.push_back(Utf8ToWin1251(w));
  return result;
}

struct Vocabulary {
  // Index 0 is unused in the units, tens and hundreds.
  std::vector<std::string> unitsMasculine = Words(
      {"", "один", "два", "три", "четыре", "пять", "шесть", "семь", "восемь", "девять"});
  std::vector<std::string> unitsFeminine = Words(
      {"", "одна", "две", "три", "четыре", "пять", "шесть", "семь", "восемь", "девять"});
  std::vector<std::string> teens = Words(
      {"десять", "одиннадцать", "двенадцать", "тринадцать", "четырнадцать", "пятнадцать",
       "шестнадцать", "семнадцать", "восемнадцать", "девятнадцать"});
  std::vector<std::string> tens = Words(
      {"", "", "двадцать", "тридцать", "сорок", "пятьдесят", "шестьдесят", "семьдесят",
       "восемьдесят", "девяносто"});
  std::vector<std::string> hundreds = Words(
      {"", "сто", "двести", "триста", "четыреста", "пятьсот", "шестьсот", "семьсот",
       "восемьсот", "девятьсот"});
  std::string zero = Utf8ToWin1251("ноль");
  // Index g names the group of 10^(3g); group 0 has no name.
  std::array<NounForms, 7> groups = {
      NounForms{},
      Forms("тысяча", "тысячи", "тысяч"),
      Forms("миллион", "миллиона", "миллионов"),
      Forms("миллиард", "миллиарда", "миллиардов"),
      Forms("триллион", "триллиона", "триллионов"),
      Forms("квадриллион", "квадриллиона", "квадриллионов"),
      Forms("квинтиллион", "квинтиллиона", "квинтиллионов"),
  };
  NounForms wholes = Forms("целая", "целых", "целых");
  NounForms hundredths = Forms("сотая", "сотых", "сотых");
  NounForms roubles = Forms("рубль", "рубля", "рублей");
  NounForms kopecks = Forms("копейка", "копейки", "копеек");
  NounForms roublesShort = Forms("руб.", "руб.", "руб.");
  NounForms kopecksShort = Forms("коп.", "коп.", "коп.");
};

const Vocabulary& Vocab() {
  static const Vocabulary vocabulary;
  return vocabulary;
}

void AppendWord(std::string& text, const std::string& word) {
  if (word.empty()) return;
  if (!text.empty()) text += ' ';
  text += word;
}

// One group of three digits, 1-999.
void AppendGroup(std::string& text, unsigned v, Gender gender) {
  const Vocabulary& vocab = Vocab();
  unsigned h = v / 100, t = v / 10 % 10, u = v % 10;
  AppendWord(text, vocab.hundreds[h]);
  if (t == 1) {
    AppendWord(text, vocab.teens[u]);
    return;
  }
  AppendWord(text, vocab.tens[t]);
  AppendWord(text, gender == Gender::Feminine ? vocab.unitsFeminine[u] : vocab.unitsMasculine[u]);
}

// Rounds to the nearest whole number, halves to the even neighbour, without
// depending on the floating-point environment.
double RoundHalfEven(double v) {
  double whole = std::floor(v);
  double rest = v - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return whole;
}

std::uint64_t DivideRoundHalfEven(std::uint64_t a, std::uint64_t divisor) {
  std::uint64_t quotient = a / divisor, remainder = a % divisor;
  if (2 * remainder > divisor || (2 * remainder == divisor && quotient % 2 == 1)) ++quotient;
  return quotient;
}

// A non-negative number rounded to hundredths, halves to even, the carry
// already in the whole part.
struct Amount {
  std::uint64_t whole = 0;
  std::uint64_t hundredths = 0;
  // The number in ten-thousandths, before rounding to hundredths.
  std::uint64_t tenThousandths = 0;

  bool IsZero() const { return whole == 0 && hundredths == 0; }
};

// `magnitude` is below 10^15. The fraction goes through ten-thousandths
// first, so that a decimal half that the binary fraction misses by a hair
// (0,015) still counts as a half.
Amount SplitAmount(double magnitude) {
  Amount amount;
  auto whole = static_cast<std::uint64_t>(magnitude);
  auto fraction = static_cast<std::uint64_t>(
      RoundHalfEven((magnitude - static_cast<double>(whole)) * 10000.0));
  amount.tenThousandths = whole * 10000 + fraction;
  std::uint64_t all = DivideRoundHalfEven(amount.tenThousandths, 100);
  amount.whole = all / 100;
  amount.hundredths = all % 100;
  return amount;
}

std::string Parenthesised(std::string text, bool negative) {
  return negative ? "(" + text + ")" : text;
}

}  // namespace

int PluralClass(std::uint64_t n) {
  std::uint64_t lastTwo = n % 100;
  if (lastTwo >= 11 && lastTwo <= 19) return 3;
  switch (n % 10) {
    case 1: return 1;
    case 2: case 3: case 4: return 2;
    default: return 3;
  }
}

SpelledNumber IntToWords(std::uint64_t n, Gender gender) {
  if (n == 0) return {Vocab().zero, 3};
  std::array<unsigned, 7> groups{};
  for (unsigned& group : groups) {
    group = static_cast<unsigned>(n % 1000);
    n /= 1000;
  }
  std::string words;
  for (std::size_t g = groups.size(); g-- > 0;) {
    unsigned v = groups[g];
    if (v == 0) continue;
    Gender groupGender = g == 0 ? gender : g == 1 ? Gender::Feminine : Gender::Masculine;
    AppendGroup(words, v, groupGender);
    if (g > 0) AppendWord(words, Vocab().groups[g].For(PluralClass(v)));
  }
  return {words, PluralClass(groups[0])};
}

std::optional<std::string> RealToWords(double x) {
  if (!std::isfinite(x) || std::fabs(x) >= 1e15) return std::nullopt;
  Amount amount = SplitAmount(std::fabs(x));
  const Vocabulary& vocab = Vocab();
  SpelledNumber whole = IntToWords(amount.whole, Gender::Feminine);
  std::string text = whole.words;
  AppendWord(text, vocab.wholes.For(whole.pluralClass));
  if (amount.hundredths > 0) {
    AppendWord(text, IntToWords(amount.hundredths, Gender::Feminine).words);
    AppendWord(text, vocab.hundredths.For(PluralClass(amount.hundredths)));
  }
  return Parenthesised(text, x < 0 && !amount.IsZero());
}

std::optional<std::string> MoneyToWords(double x, bool abbreviated) {
  // The sum must fit a signed 64-bit count of ten-thousandths: its absolute
  // value stays below 922 337 203 685 477,5808.
  constexpr std::uint64_t kLimit = 9223372036854775807u;
  if (!std::isfinite(x) || std::fabs(x) >= 922337203685478.0) return std::nullopt;
  Amount amount = SplitAmount(std::fabs(x));
  if (amount.tenThousandths > kLimit) return std::nullopt;

  const Vocabulary& vocab = Vocab();
  const NounForms& roubleWord = abbreviated ? vocab.roublesShort : vocab.roubles;
  const NounForms& kopeckWord = abbreviated ? vocab.kopecksShort : vocab.kopecks;
  std::string text;
  if (amount.whole > 0) {
    SpelledNumber roubles = IntToWords(amount.whole, Gender::Masculine);
    AppendWord(text, roubles.words);
    AppendWord(text, roubleWord.For(roubles.pluralClass));
  }
  SpelledNumber kopecks = IntToWords(amount.hundredths, Gender::Feminine);
  AppendWord(text, kopecks.words);
  AppendWord(text, kopeckWord.For(kopecks.pluralClass));
  return Parenthesised(text, x < 0 && !amount.IsZero());
}

std::optional<std::string> NumberToWords(int format, double x) {
  switch (format) {
    case 1: return RealToWords(x);
    case 2: return MoneyToWords(x, false);
    case 3: return MoneyToWords(x, true);
    default: return std::nullopt;
  }
}

}  // namespace quillo

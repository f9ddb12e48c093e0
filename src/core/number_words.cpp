#include "core/number_words.h"

#include <algorithm>
#include <array>
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

// |x| in units of 10^-scale, rounded once from its decimal digits, halves to
// even. Empty when it needs more than 19 digits (the 64-bit range).
std::optional<std::uint64_t> ScaledHalfEven(const DecimalNumber& x, std::size_t scale) {
  if (x.whole.size() + scale > 19) return std::nullopt;
  std::string kept = x.whole + x.fraction.substr(0, std::min(scale, x.fraction.size()));
  kept.append(x.whole.size() + scale - kept.size(), '0');
  std::uint64_t value = 0;
  for (char d : kept) value = value * 10 + static_cast<std::uint64_t>(d - '0');
  std::string_view rest = scale < x.fraction.size() ? std::string_view(x.fraction).substr(scale) : "";
  // The fraction has no trailing zeros: a rest of exactly "5" is a half.
  if (!rest.empty() && (rest[0] > '5' || (rest[0] == '5' && (rest.size() > 1 || value % 2 == 1))))
    ++value;
  return value;
}

// |x| rounded to hundredths, the carry already in the whole part.
struct Amount {
  std::uint64_t whole = 0;
  std::uint64_t hundredths = 0;

  bool IsZero() const { return whole == 0 && hundredths == 0; }
};

std::optional<Amount> RoundToHundredths(const DecimalNumber& x) {
  std::optional<std::uint64_t> all = ScaledHalfEven(x, 2);
  if (!all) return std::nullopt;
  return Amount{*all / 100, *all % 100};
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

std::optional<std::string> RealToWords(const DecimalNumber& x) {
  if (x.whole.size() > 15) return std::nullopt;
  std::optional<Amount> amount = RoundToHundredths(x);
  if (!amount) return std::nullopt;
  const Vocabulary& vocab = Vocab();
  SpelledNumber whole = IntToWords(amount->whole, Gender::Feminine);
  std::string text = whole.words;
  AppendWord(text, vocab.wholes.For(whole.pluralClass));
  if (amount->hundredths > 0) {
    AppendWord(text, IntToWords(amount->hundredths, Gender::Feminine).words);
    AppendWord(text, vocab.hundredths.For(PluralClass(amount->hundredths)));
  }
  return Parenthesised(text, x.negative && !amount->IsZero());
}

std::optional<std::string> MoneyToWords(const DecimalNumber& x, bool abbreviated) {
  // The sum must fit a signed 64-bit count of ten-thousandths.
  constexpr std::uint64_t kLimit = 9223372036854775807u;
  std::optional<std::uint64_t> tenThousandths = ScaledHalfEven(x, 4);
  if (!tenThousandths || *tenThousandths > kLimit) return std::nullopt;
  std::optional<Amount> amount = RoundToHundredths(x);
  if (!amount) return std::nullopt;

  const Vocabulary& vocab = Vocab();
  const NounForms& roubleWord = abbreviated ? vocab.roublesShort : vocab.roubles;
  const NounForms& kopeckWord = abbreviated ? vocab.kopecksShort : vocab.kopecks;
  std::string text;
  if (amount->whole > 0) {
    SpelledNumber roubles = IntToWords(amount->whole, Gender::Masculine);
    AppendWord(text, roubles.words);
    AppendWord(text, roubleWord.For(roubles.pluralClass));
  }
  SpelledNumber kopecks = IntToWords(amount->hundredths, Gender::Feminine);
  AppendWord(text, kopecks.words);
  AppendWord(text, kopeckWord.For(kopecks.pluralClass));
  return Parenthesised(text, x.negative && !amount->IsZero());
}

std::optional<std::string> NumberToWords(int format, const DecimalNumber& x) {
  switch (format) {
    case 1: return RealToWords(x);
    case 2: return MoneyToWords(x, false);
    case 3: return MoneyToWords(x, true);
    default: return std::nullopt;
  }
}

}  // namespace quillo

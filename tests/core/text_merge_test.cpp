#include "core/text_merge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/keyboard_layout.h"
#include "core/letter_case.h"
#include "core/line_ops.h"
#include "core/shown_text.h"
#include "core/unicode_text.h"
#include "core/win1251.h"

namespace quillo {
namespace {

using Command = std::function<std::string(std::string_view held)>;

// A command as the program runs it: it reads the Windows-1251 copy of the
// control's text, and its result is merged back.
TextChange RunCommand(std::u16string_view control, TCodePage view, StandIns stand_ins, const Command& command) {
  const std::string held = Win1251FromShown(control, view);
  return MergeResult(control, held, command(held), view, stand_ins);
}

std::u16string RunOnText(std::u16string_view control, TCodePage view, StandIns stand_ins, const Command& command) {
  return ApplyChange(control, RunCommand(control, view, stand_ins, command));
}

std::string Held(std::u16string_view shown, TCodePage view = cpWIN) { return Win1251FromShown(shown, view); }

std::vector<std::string> SplitAtCr(std::string_view text) {
  std::vector<std::string> lines(1);
  for (char ch : text) {
    if (ch == '\r')
      lines.emplace_back();
    else
      lines.back() += ch;
  }
  return lines;
}

std::string JoinWithCr(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r" : "") + lines[i];
  return text;
}

std::string SortLines(std::string_view text) {
  std::vector<std::string> lines = SplitAtCr(text);
  std::sort(lines.begin(), lines.end(), [](const std::string& x, const std::string& y) {
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
                                        [](char p, char q) { return static_cast<unsigned char>(p) < static_cast<unsigned char>(q); });
  });
  return JoinWithCr(lines);
}

std::string DeleteEmptyLines(std::string_view text) {
  std::vector<std::string> lines = SplitAtCr(text), kept;
  std::copy_if(lines.begin(), lines.end(), std::back_inserter(kept), [](const std::string& l) { return !l.empty(); });
  return JoinWithCr(kept);
}

Command Replace(std::u16string find, std::u16string replacement, TCodePage view = cpWIN) {
  return [=](std::string_view held) { return ReplaceAll(held, Held(find, view), Held(replacement, view)); };
}

TEST(TextMerge, CommandsLeaveWhatTheCopyCannotHold) {
  const struct {
    const char* what;
    TCodePage view;
    StandIns stand_ins;
    std::u16string text;
    Command command;
    std::u16string expected;
  } cases[] = {
      {"upper case after an emoji", cpWIN, StandIns::Keep, u"😀 привет", ToUpperCase, u"😀 ПРИВЕТ"},
      {"upper case in a DOS frame", cpDOS, StandIns::Keep, u"■ мама ╒══╕ ▄▌", ToUpperCase, u"■ МАМА ╒══╕ ▄▌"},
      {"lower case in KOI8-R", cpKOI, StandIns::Keep, u"≤ ПАПА ÷ ╔═╗ ░", ToLowerCase, u"≤ папа ÷ ╔═╗ ░"},
      {"layout of a question mark beside an emoji", cpWIN, StandIns::Keep, u"ghbdtn 😀?", ConvertLatToRus,
       u"привет 😀,"},
      {"replace all, longer", cpWIN, StandIns::MayChange, u"мама 😀 мама", Replace(u"а", u"ой"),
       u"моймой 😀 моймой"},
      {"replace all, shorter, Greek around", cpWIN, StandIns::MayChange, u"αaaβaaγ", Replace(u"aa", u"b"),
       u"αbβbγ"},
      {"replace all of a frame in a DOS view", cpDOS, StandIns::MayChange, u"│ a │", Replace(u"│", u"║", cpDOS),
       u"║ a ║"},
      {"tabs expanded around Greek", cpWIN, StandIns::Keep, u"\tα\tb",
       [](std::string_view t) { return ExpandTabs(t, 4); }, u"    α   b"},
      {"double spaces", cpWIN, StandIns::Keep, u"a  😀  b", [](std::string_view t) { return CollapseSpaces(t, ' '); },
       u"a 😀 b"},
      {"lines joined", cpWIN, StandIns::Keep, u"строка 😀\rещё α", RemoveLineBreaks, u"строка 😀 ещё α"},
      {"indent added", cpDOS, StandIns::Keep, u"│α\r│β\r╚γ", AddLineIndent, u"│α\r │β\r ╚γ"},
      {"sorted lines", cpWIN, StandIns::Keep, u"в α\rа 😀\rб β", SortLines, u"а 😀\rб β\rв α"},
      {"sorted lines of one length", cpDOS, StandIns::Keep, u"■b\r█a", SortLines, u"█a\r■b"},
      {"empty lines deleted", cpWIN, StandIns::Keep, u"α\r\rβ\r\r\rγ\r", DeleteEmptyLines, u"α\rβ\rγ"},
      {"a result with CR LF breaks", cpWIN, StandIns::Keep, u"α\rб",
       [](std::string_view t) { return ReplaceAll(ToUpperCase(t), "\r", "\r\n"); }, u"α\rБ"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16ToUtf8(RunOnText(c.text, c.view, c.stand_ins, c.command)), Utf16ToUtf8(c.expected)) << c.what;
}

TEST(TextMerge, TheChangeIsTheSmallestSpan) {
  const struct {
    std::u16string text;
    Command command;
    std::size_t start, end;
    std::u16string replacement;
  } cases[] = {
      {u"abc 😀 def", ToUpperCase, 0, 10, u"ABC 😀 DEF"},
      {u"😀 мир 😀", ToUpperCase, 3, 6, u"МИР"},
      {u"a😀b", [](std::string_view t) { return std::string(t.substr(0, 1)) + "x" + std::string(t.substr(1)); }, 1, 1,
       u"x"},
      // Only the low half of the pair changes: the whole pair is replaced.
      {u"a😀", [](std::string_view t) { return std::string(t.substr(0, 2)); }, 1, 3, u"?"},
  };
  for (const auto& c : cases) {
    const TextChange change = RunCommand(c.text, cpWIN, StandIns::Keep, c.command);
    EXPECT_EQ(change.start, c.start) << Utf16ToUtf8(c.text);
    EXPECT_EQ(change.end, c.end) << Utf16ToUtf8(c.text);
    EXPECT_EQ(change.replacement, c.replacement) << Utf16ToUtf8(c.text);
  }
  EXPECT_TRUE(RunCommand(u"same", cpWIN, StandIns::Keep, [](std::string_view t) { return std::string(t); }).empty());
}

// Random documents: lines of plain characters with a unique tag, and some
// characters the copy holds as '?'.
class RandomText {
 public:
  explicit RandomText(unsigned seed) : random_(seed) {}

  std::u16string Document(TCodePage view, int lines) {
    std::u16string text;
    for (int l = 0; l < lines; ++l) {
      if (l) text += u'\r';
      text += u'#' + Utf8ToUtf16(std::to_string(l)) + u' ';
      for (int i = Below(30); i > 0; --i) text += Below(6) ? Plain(view) : Foreign(view);
    }
    return text;
  }

  std::u16string Plain(TCodePage view) {
    static const std::u16string dos = u"абвгдежзАБВГДЕЖЗ ,.-│─┌■█▄╒", win = u"абвгдежзАБВГДЕЖЗ ,.-ЁёЇ«»";
    const std::u16string& chars = view == cpWIN ? win : dos;
    return std::u16string(1, chars[Below(chars.size())]);
  }

  std::u16string Foreign(TCodePage view) {
    static const std::u16string chars[] = {u"😀", u"α", u"ω", u"𝄞", u"ü"};
    static const std::u16string dos_only[] = {u"—", u"¦"};  // places that show ─ and │ there
    return view == cpDOS && Below(3) == 0 ? dos_only[Below(2)] : chars[Below(std::size(chars))];
  }

  std::size_t Below(std::size_t n) { return random_() % n; }

 private:
  std::mt19937 random_;
};

std::u16string Expected(std::u16string_view control, std::string_view held, std::string_view result, TCodePage view) {
  std::u16string out;
  for (std::size_t i = 0; i < control.size(); ++i) {
    const auto byte = static_cast<unsigned char>(held[i]);
    const bool keep = control[i] != ShownChar(byte, view) || IsStandIn(byte, view);
    out += keep ? control[i] : ShownChar(static_cast<unsigned char>(result[i]), view);
  }
  return out;
}

// Case and layout commands change the characters the copy holds, and only
// those, in place.
TEST(TextMerge, CaseAndLayoutChangeOnlyWhatTheCopyHolds) {
  RandomText random(1);
  const Command commands[] = {ToUpperCase, ToLowerCase, InvertCase, ConvertRusToLat, ConvertLatToRusInvert};
  for (int round = 0; round < 300; ++round) {
    const TCodePage view = round % 2 ? cpDOS : cpWIN;
    const std::u16string text = random.Document(view, 1 + random.Below(6));
    const std::string held = Held(text, view);
    const std::string result = commands[round % std::size(commands)](held);
    EXPECT_EQ(ApplyChange(text, MergeResult(text, held, result, view, StandIns::Keep)),
              Expected(text, held, result, view));
  }
}

// Edits of plain characters and whole plain lines, as Replace all and the
// line commands make them: every character the copy cannot hold stays, and
// the control shows exactly the command's result.
TEST(TextMerge, EditsAroundForeignCharactersKeepThem) {
  RandomText random(2);
  for (int round = 0; round < 400; ++round) {
    const TCodePage view = round % 3 ? cpWIN : cpDOS;
    std::vector<std::u16string> lines;
    {
      std::u16string line;
      for (char16_t unit : random.Document(view, 1 + random.Below(12))) {
        if (unit == u'\r') {
          lines.push_back(line);
          line.clear();
        } else {
          line += unit;
        }
      }
      lines.push_back(line);
    }
    std::u16string before;
    for (std::size_t i = 0; i < lines.size(); ++i) before += (i ? u"\r" : u"") + lines[i];
    // New characters come from an alphabet the document does not use.
    const std::u16string fresh = u"xyzXYZ0123";
    for (int edit = 1 + random.Below(5); edit > 0; --edit) {
      std::u16string& line = lines[random.Below(lines.size())];
      std::size_t at = random.Below(line.size() + 1);
      if (at > 0 && at < line.size() && IsLowSurrogate(line[at])) --at;
      switch (random.Below(5)) {
        case 0:  // insert
          line.insert(at, std::u16string(1 + random.Below(4), fresh[random.Below(fresh.size())]));
          break;
        case 1:  // delete a plain run
        case 2: {
          std::size_t end = at;
          while (end < line.size() && end - at < 3 && Held(line.substr(end, 1), view) != "?" &&
                 !IsHighSurrogate(line[end]) && line[end] != u'#')
            ++end;
          line.erase(at, end - at);
          break;
        }
        case 3:  // a new line
          lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(random.Below(lines.size() + 1)),
                       std::u16string(random.Below(8), fresh[random.Below(fresh.size())]));
          break;
        case 4:  // a line without foreign characters deleted
          if (lines.size() > 1) {
            const std::size_t l = random.Below(lines.size());
            if (Held(lines[l], view).find('?') == std::string::npos) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(l));
          }
          break;
      }
    }
    std::u16string after;
    for (std::size_t i = 0; i < lines.size(); ++i) after += (i ? u"\r" : u"") + lines[i];
    const std::u16string merged =
        ApplyChange(before, MergeResult(before, Held(before, view), Held(after, view), view, StandIns::MayChange));
    ASSERT_EQ(Utf16ToUtf8(merged), Utf16ToUtf8(after)) << "was " << Utf16ToUtf8(before);
  }
}

// Whatever a command does, the control ends up with as many units as the
// result has bytes, showing the result wherever it does not keep a unit the
// copy could not hold.
TEST(TextMerge, AnyResultIsShownInPlace) {
  RandomText random(3);
  for (int round = 0; round < 400; ++round) {
    const std::u16string text = random.Document(cpWIN, 1 + random.Below(8));
    std::string result = Held(text, cpWIN);
    for (int edit = 1 + random.Below(6); edit > 0; --edit) {
      const std::size_t at = random.Below(result.size() + 1);
      const std::size_t length = std::min<std::size_t>(random.Below(6), result.size() - at);
      const std::string insert(random.Below(4), "?a\r\xE0"[random.Below(4)]);
      result.replace(at, length, random.Below(2) ? insert : "");
    }
    const std::u16string merged = ApplyChange(text, MergeResult(text, Held(text), result, cpWIN, StandIns::MayChange));
    const std::string shown = Held(merged);
    ASSERT_EQ(shown.size(), result.size());
    for (std::size_t i = 0; i < shown.size(); ++i) ASSERT_TRUE(shown[i] == result[i] || shown[i] == '?') << i;
  }
}

TEST(TextMerge, NotTheCopyOfTheTextReplacesItAll) {
  const TextChange change = MergeResult(u"α😀", "?", "abc", cpWIN, StandIns::Keep);
  EXPECT_EQ(ApplyChange(u"α😀", change), u"abc");
}

}  // namespace
}  // namespace quillo

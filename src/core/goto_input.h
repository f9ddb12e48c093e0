#pragma once
// The "Перейти…" prompt: what the typed text means, where a percentage of the
// document lies, and how a target outside the text is brought into it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillo {

// A caret position as (column, line), both counted from 0. The user types
// and sees them counted from 1, line first.
struct CaretTarget {
  std::int64_t column = 0;
  std::int64_t line = 0;
  friend bool operator==(const CaretTarget&, const CaretTarget&) = default;
};

enum class GoToInputKind {
  Position,  // go to `target`, which may lie outside the text
  Percent,   // go to `percent` per cent of the lines
  Nothing,   // a percentage that is not a whole number: do nothing
};

struct GoToInput {
  GoToInputKind kind = GoToInputKind::Nothing;
  CaretTarget target;
  std::int64_t percent = 0;
  friend bool operator==(const GoToInput&, const GoToInput&) = default;
};

// The prompt's initial text: the current line counted from 1.
std::string GoToPromptText(CaretTarget current);

// A whole number: an optional sign and decimal digits that fit in 32 bits,
// blanks around it ignored.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text);

// Reads the typed text; blanks around it and around each number are ignored.
//   "52%", "50%x"  -> Percent 52 / 50 (anything after the first '%' ignored)
//   "%", "x%"      -> Nothing
//   "15:3"         -> Position line 15, column 3 (as typed, from 1)
//   ":7", "20:"    -> the missing or unreadable part keeps the current value
//   "15"           -> Position at the start of line 15
//   "abc"          -> Position at the start of the current line
GoToInput ParseGoToInput(std::string_view text, CaretTarget current);

// The line index for `percent` per cent of `line_count` lines, rounded to the
// nearest whole line with halves going to the even neighbour. Not limited to
// the text: 100 yields `line_count`, negative percentages negative lines.
std::int64_t GoToPercentLine(std::int64_t line_count, std::int64_t percent);

// Where the caret should go for the typed text, before clamping; no value
// when nothing is to be done.
std::optional<CaretTarget> GoToInputTarget(std::string_view text, CaretTarget current,
                                           std::int64_t line_count);

// Brings a target into the text: the line into 0 .. line_count - 1 and the
// column into 0 .. the length of that line without its break. `line_length`
// is asked only for the clamped line. With no lines the result is (0, 0).
CaretTarget ClampCaretTarget(CaretTarget target, std::int64_t line_count,
                             const std::function<std::int64_t(std::int64_t line)>& line_length);

}  // namespace quillo

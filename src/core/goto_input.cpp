#include "core/goto_input.h"

#include <algorithm>
#include <limits>

namespace quillo {
namespace {

constexpr char kPercentSign = '%';
constexpr char kLineColumnSeparator = ':';

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string GoToPromptText(CaretTarget current) { return std::to_string(current.line + 1); }

std::optional<std::int64_t> ParseWholeNumber(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > limit) return std::nullopt;
  }
  return negative ? -value : value;
}

GoToInput ParseGoToInput(std::string_view text, CaretTarget current) {
  text = TrimBlanks(text);
  GoToInput result;

  if (size_t percent_at = text.find(kPercentSign); percent_at != std::string_view::npos) {
    if (auto percent = ParseWholeNumber(text.substr(0, percent_at))) {
      result.kind = GoToInputKind::Percent;
      result.percent = *percent;
    }
    return result;
  }

  result.kind = GoToInputKind::Position;
  std::int64_t line = current.line + 1;
  std::int64_t column = 1;
  if (size_t separator_at = text.find(kLineColumnSeparator); separator_at != std::string_view::npos) {
    line = ParseWholeNumber(text.substr(0, separator_at)).value_or(line);
    column = ParseWholeNumber(text.substr(separator_at + 1)).value_or(current.column + 1);
  } else {
    line = ParseWholeNumber(text).value_or(line);
  }
  result.target = CaretTarget{column - 1, line - 1};
  return result;
}

std::int64_t GoToPercentLine(std::int64_t line_count, std::int64_t percent) {
  const std::int64_t hundredths = line_count * percent;
  // Floor division, so that negative values round the same way as positive.
  std::int64_t whole = hundredths / 100;
  std::int64_t rest = hundredths % 100;
  if (rest < 0) {
    rest += 100;
    whole -= 1;
  }
  if (rest > 50 || (rest == 50 && whole % 2 != 0)) whole += 1;
  return whole;
}

std::optional<CaretTarget> GoToInputTarget(std::string_view text, CaretTarget current,
                                           std::int64_t line_count) {
  const GoToInput input = ParseGoToInput(text, current);
  switch (input.kind) {
    case GoToInputKind::Position:
      return input.target;
    case GoToInputKind::Percent:
      return CaretTarget{0, GoToPercentLine(line_count, input.percent)};
    case GoToInputKind::Nothing:
      break;
  }
  return std::nullopt;
}

CaretTarget ClampCaretTarget(CaretTarget target, std::int64_t line_count,
                             const std::function<std::int64_t(std::int64_t line)>& line_length) {
  if (line_count <= 0) return CaretTarget{};
  const std::int64_t line = std::clamp<std::int64_t>(target.line, 0, line_count - 1);
  const std::int64_t length = std::max<std::int64_t>(line_length(line), 0);
  return CaretTarget{std::clamp<std::int64_t>(target.column, 0, length), line};
}

}  // namespace quillo

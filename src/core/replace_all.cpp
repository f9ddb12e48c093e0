#include "core/replace_all.h"

#include <utility>

namespace quillo {

ReplaceAllResult ReplaceAllStepByStep(std::string text, std::string_view find_text,
                                      std::string_view replacement,
                                      const FindForwardFunction& find_forward) {
  ReplaceAllResult result;
  if (!find_text.empty()) {
    std::int64_t resume = 0;
    const auto find_length = static_cast<std::int64_t>(find_text.size());
    const auto replacement_length = static_cast<std::int64_t>(replacement.size());
    for (;;) {
      const std::int64_t found = find_forward(text, resume);
      if (found < resume || found + find_length > static_cast<std::int64_t>(text.size())) break;
      text.replace(static_cast<std::size_t>(found), find_text.size(), replacement);
      result.caret = found + replacement_length;
      resume = result.caret;
      ++result.count;
    }
  }
  result.text = std::move(text);
  return result;
}

ReplaceAllResult PlanReplaceAll(std::string_view text, std::string_view replacement,
                                const TextMatcher& matcher) {
  ReplaceAllResult result;
  const std::size_t find_length = matcher.Pattern().size();
  if (find_length == 0) {
    result.text = std::string(text);
    return result;
  }
  result.text.reserve(text.size());
  std::size_t copied_to = 0;  // text before this index is already in the result
  for (;;) {
    const int byte_before =
        result.text.empty() ? TextMatcher::kNoByte : static_cast<unsigned char>(result.text.back());
    const std::int64_t found =
        matcher.FindForward(text, static_cast<std::int64_t>(copied_to), byte_before);
    if (found < 0) break;
    const auto at = static_cast<std::size_t>(found);
    result.text.append(text, copied_to, at - copied_to);
    result.text.append(replacement);
    copied_to = at + find_length;
    result.caret = static_cast<std::int64_t>(result.text.size());
    ++result.count;
  }
  result.text.append(text, copied_to);
  return result;
}

std::u16string ReplaceAllUnits(std::u16string_view units, std::string_view text,
                               std::u16string_view replacement_units, std::string_view replacement,
                               const TextMatcher& matcher) {
  const std::size_t find_length = matcher.Pattern().size();
  if (find_length == 0) return std::u16string(units);
  std::u16string result;
  result.reserve(units.size());
  std::size_t copied_to = 0;
  // The last byte of the result's copy, as PlanReplaceAll sees it.
  int byte_before = TextMatcher::kNoByte;
  for (;;) {
    const std::int64_t found = matcher.FindForward(text, static_cast<std::int64_t>(copied_to), byte_before);
    if (found < 0) break;
    const auto at = static_cast<std::size_t>(found);
    result.append(units.substr(copied_to, at - copied_to));
    result.append(replacement_units);
    if (!replacement.empty())
      byte_before = static_cast<unsigned char>(replacement.back());
    else if (at > copied_to)
      byte_before = static_cast<unsigned char>(text[at - 1]);
    copied_to = at + find_length;
  }
  result.append(units.substr(copied_to));
  return result;
}

std::string ReplaceAllReport(std::int64_t count) {
  return "Замена выполнена. Заменено " + std::to_string(count) + " слов(а)";
}

}  // namespace quillo

#pragma once
// "Заменить все": every occurrence from the start of the text forward is
// replaced, the search resuming right after each inserted replacement, so a
// replacement that contains the find text is not found again.
//
// All texts and indexes here use the editor control's indexing: a line
// break is the single character '\r'. Convert "\r\n" text before planning
// and convert the result back before it goes into the control.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/text_matcher.h"

namespace quillo {

struct ReplaceAllResult {
  std::string text;        // the whole text after all replacements
  std::int64_t count = 0;  // number of replacements
  // Caret afterwards, with nothing selected: just after the last inserted
  // replacement, or 0 (the loop starts by putting the caret there).
  std::int64_t caret = 0;
  friend bool operator==(const ReplaceAllResult&, const ReplaceAllResult&) = default;
};

// Searches `text` for the find text forward from `start`: index or -1.
using FindForwardFunction = std::function<std::int64_t(std::string_view text, std::int64_t start)>;

// The replacement loop done one occurrence at a time on a text that changes
// under it, exactly as the control would be driven: find from 0, select the
// occurrence (find text's length), replace the selection, resume after the
// replacement. `find_forward` stands for the control's search. A result
// that lies before the resume point or runs past the text ends the loop.
// Slow for many occurrences; it is the reference the fast plan must equal.
ReplaceAllResult ReplaceAllStepByStep(std::string text, std::string_view find_text,
                                      std::string_view replacement,
                                      const FindForwardFunction& find_forward);

// The same result in one pass over the unchanged text. An occurrence that
// begins right where the previous replacement ended is judged by the
// whole-word test against the replacement's last byte, as the step-by-step
// loop would see it.
ReplaceAllResult PlanReplaceAll(std::string_view text, std::string_view replacement,
                                const TextMatcher& matcher);

// The same replacements made on the editor control's own text (`units`,
// whose Windows-1251 copy `text` the matcher searches): the text between
// occurrences keeps its units and the replacement goes in as `replacement_units`,
// characters the copy cannot hold included. `replacement` is the
// replacement's copy, for the whole-word test after it.
std::u16string ReplaceAllUnits(std::u16string_view units, std::string_view text,
                               std::u16string_view replacement_units, std::string_view replacement,
                               const TextMatcher& matcher);

// The notice shown when the loop is over, UTF-8: "Замена выполнена. Заменено N слов(а)".
std::string ReplaceAllReport(std::int64_t count);

}  // namespace quillo

#pragma once
// Writing a command's result back into the editor control. Commands work on
// the Windows-1251 copy of the control's text (Win1251FromShown: one byte per
// UTF-16 unit, '?' for what the view cannot hold); the merge puts back only
// what the command changed, so characters the copy could not hold (an
// emoji, Greek, a pseudo-graphic character in a DOS-866 view) stay where
// they are unless the command removed them.
//
// Unchanged stretches keep the control's own units. A stretch the command
// replaced by one of the same length is taken character by character, and a
// position whose unit the copy could not hold keeps its unit (a case or
// layout change of the '?' that stands for an emoji). Stretches of another
// length take the result's characters in the view's shown form.
//
// Finding the stretches: common whole lines at both ends; a result of the
// same length that maps each byte on its own (case, layout) is compared
// position by position; otherwise lines are aligned (unique lines as
// anchors, then a shortest edit script), lines that moved (sorting) keep
// their units, and changed lines are aligned character by character: as one
// text up to 16 KB between two unchanged lines, else line by line when as
// many lines changed as there are. A shortest edit script has a bound (512
// edits, work in proportion to its stretch); past it a greedy scan that
// resynchronises on a short run of equal characters aligns instead. Work is
// bounded in proportion to the text as a whole (2 MB: well under a second
// at worst, tens of milliseconds for the text commands); where it runs out,
// the rest is taken position by position when lengths agree, else from the
// result.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/codepage.h"

namespace quillo {

// Characters that stand in for pseudo-graphics (IsStandIn) in a DOS-866 or
// KOI8-R view: text commands (case, layout, spaces, tabs, lines) keep them;
// the user's own edits (Replace all) may change them.
enum class StandIns { Keep, MayChange };

struct TextChange {
  std::size_t start = 0;  // [start, end) of the control's text is replaced
  std::size_t end = 0;
  std::u16string replacement;

  bool empty() const { return start == end && replacement.empty(); }
};

// `held` is the copy the command read (the same length as `control`); the
// result's line breaks may be CR LF, LF or CR (each becomes one CR, the
// control's form). The change is the smallest one and never splits a
// surrogate pair.
TextChange MergeResult(std::u16string_view control, std::string_view held, std::string_view result,
                       TCodePage view, StandIns stand_ins);

std::u16string ApplyChange(std::u16string_view control, const TextChange& change);

}  // namespace quillo

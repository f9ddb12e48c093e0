#pragma once
// How a change of the text is best made in Wine's rich-edit control, from
// what its source does and what it was measured to cost. The control keeps
// every paragraph's offset from the start of the text: each piece of text
// or line break put in moves the offsets of all paragraphs after it, and
// each one taken out also walks to it from the start. So an edit costs its
// line count times the document's, while streaming a whole text into an
// empty control only ever appends and costs its length.
//
// Measured with the control on the program's memory pool, visible at the
// editor's size and wrapping, on 1 MB of text: 64 KB put in at the middle
// took 0.15-0.21 s and the control's undo took it out in 1.26 s for
// 90-character lines (22 800 rows), 0.61 s for lines of 73 "ж" (25 000
// rows) and 0.13 s for paragraphs of 1 700 characters (14 800 rows); the
// program streaming 1 MB whole again took 2.4 s (`make bench`'s paste rows).
// Rows stand in for paragraphs; the constants follow the dearest of the
// line shapes.
#include <cstddef>

namespace quillo {

struct EditShape {
  size_t inserted = 0;        // characters put in
  size_t insertedBreaks = 0;  // line breaks among them
  size_t removed = 0;         // characters taken out
  size_t removedBreaks = 0;
  size_t rows = 0;            // rows of the text before the edit
  size_t rowsAfter = 0;       // rows after the edited stretch
  size_t length = 0;          // characters before the edit

  // The edit that takes this one back.
  EditShape Inverse() const;
};

// Estimated seconds on the measuring machine; only their ratios matter.
double InPlaceCost(const EditShape& edit);
double RestreamCost(const EditShape& edit);  // the resulting text, streamed whole

enum class EditWay {
  ControlUndo,  // in place, undone by the control (cheap both ways)
  InPlace,      // in place, undone by the program's own step
  Restream,     // the whole text streamed again, undone by the program
};

// The way for a user's edit that must stay one undo step.
EditWay ChooseEditWay(const EditShape& edit);
// The way for undoing or redoing the program's own step.
inline EditWay ChooseOwnStepWay(const EditShape& edit) {
  return InPlaceCost(edit) <= RestreamCost(edit) ? EditWay::InPlace : EditWay::Restream;
}

}  // namespace quillo

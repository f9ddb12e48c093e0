#include "core/edit_cost.h"

namespace quillo {
namespace {

constexpr double kStreamPerChar = 2.3e-6;
constexpr double kInsertPerChar = 1.7e-6;
constexpr double kInsertPerLineAndRowAfter = 2.0e-8;
constexpr double kRemovePerLineAndRow = 8.0e-8;

}  // namespace

EditShape EditShape::Inverse() const {
  EditShape back;
  back.inserted = removed;
  back.insertedBreaks = removedBreaks;
  back.removed = inserted;
  back.removedBreaks = insertedBreaks;
  back.rows = rows + insertedBreaks - removedBreaks;
  back.rowsAfter = rowsAfter;
  back.length = length + inserted - removed;
  return back;
}

double InPlaceCost(const EditShape& edit) {
  double cost = 0;
  if (edit.removed > 0)
    cost += kRemovePerLineAndRow * static_cast<double>(edit.removedBreaks + 1) * static_cast<double>(edit.rows);
  if (edit.inserted > 0)
    cost += kInsertPerChar * static_cast<double>(edit.inserted) +
            kInsertPerLineAndRowAfter * static_cast<double>(edit.insertedBreaks + 1) *
                static_cast<double>(edit.rowsAfter);
  return cost;
}

double RestreamCost(const EditShape& edit) {
  return kStreamPerChar * static_cast<double>(edit.length + edit.inserted - edit.removed);
}

EditWay ChooseEditWay(const EditShape& edit) {
  const double restream = RestreamCost(edit);
  if (InPlaceCost(edit) > restream) return EditWay::Restream;
  // The control's undo of this edit is the inverse edit in place; where that
  // would cost more than streaming the old text back, the program keeps it.
  return InPlaceCost(edit.Inverse()) <= RestreamCost(edit.Inverse()) ? EditWay::ControlUndo
                                                                      : EditWay::InPlace;
}

}  // namespace quillo

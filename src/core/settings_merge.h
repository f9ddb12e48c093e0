#pragma once
// Taking in what other windows of the program stored in the settings file
// without losing what this window changed since it last read the file.
#include "core/settings_table.h"

namespace quillo {

// A three-way merge, value by value: `base` is what this window last read
// from (or wrote to) the file, `disk` what the file holds now, `current` this
// window's values. A value the file changed since `base` is taken from
// `disk`; any other keeps its current value, so a choice this window made
// and has not written yet (a date format, a full-screen flag) stays. The
// startup-only background and the window placement are never taken. Returns
// the number of values taken.
int MergeChangedSettings(const SettingValues& base, const SettingValues& disk, SettingValues& current);

// Reads every value of the file's image, each from its table default (not
// from a window's present state), as the base of the merge above.
SettingValues ReadStoredSettings(const IniFile& ini);

}  // namespace quillo

#include "core/settings_merge.h"

#include <type_traits>

namespace quillo {

int MergeChangedSettings(const SettingValues& base, const SettingValues& disk, SettingValues& current) {
  int taken = 0;
  for (const SettingKey& entry : SettingsTable()) {
    if (entry.read_at_startup_only || entry.kind == SettingKind::kPlacement) continue;
    std::visit(
        [&](auto field) {
          if constexpr (!std::is_same_v<decltype(field), std::monostate>) {
            if (base.*field == disk.*field || current.*field == disk.*field) return;
            current.*field = disk.*field;
            ++taken;
          }
        },
        entry.field);
  }
  return taken;
}

SettingValues ReadStoredSettings(const IniFile& ini) {
  SettingValues values = DefaultSettingValues();
  LoadSettingValues(ini, values, true, values.background);
  return values;
}

}  // namespace quillo

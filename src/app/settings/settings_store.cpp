#include "app/settings/settings_store.h"

#include <type_traits>
#include <variant>

#include "app/platform/shared_file_lock.h"
#include "app/platform/file_io.h"
#include "app/settings/settings_file.h"
#include "core/settings_merge.h"

namespace quillo {

void SettingsStore::Load() {
  fileName_ = DecideSettingsFileName();
  // A per-user file used for the first time starts from the settings that
  // lie beside the program (a copy that cannot be written there).
  std::wstring readFrom = fileName_;
  if (!FileExists(fileName_)) {
    std::wstring byRule = SettingsFileByNameRule();
    if (byRule != fileName_ && FileExists(byRule)) readFrom = byRule;
  }
  SettingsFileRead read = LoadSettingsFile(readFrom);
  ini_ = std::move(read.ini);
  readProblem_ = read.readable ? std::string() : read.error;
  stored_ = ReadStoredSettings(ini_);
}

int SettingsStore::TakeInStoredChanges() {
  if (!readProblem_.empty()) return 0;
  SettingsFileRead read = LoadSettingsFile(fileName_);
  if (!read.readable) return 0;
  SettingValues disk = ReadStoredSettings(read.ini);
  SettingValues before = values_;
  int taken = MergeChangedSettings(stored_, disk, values_);
  // The taken values go into the image too, so that this window's next
  // Save keeps them.
  for (const SettingKey& entry : SettingsTable())
    if (!(entry.field == SettingField{}) && !std::visit(
            [&](auto field) {
              if constexpr (std::is_same_v<decltype(field), std::monostate>) return true;
              else return before.*field == values_.*field;
            },
            entry.field))
      WriteSetting(ini_, entry, values_);
  stored_ = std::move(disk);
  return taken;
}

void SettingsStore::Save() {
  SaveSettingValues(ini_, values_);
  // A file that could not be read at start-up is never overwritten.
  if (!readProblem_.empty()) return;
  SharedFileLock lock(fileName_);
  if (!shared_.empty()) {
    const IniFile disk = LoadSettingsFile(fileName_).ini;
    for (const SharedSection& section : shared_) section.merge(disk, ini_);
  }
  SaveSettingsFile(fileName_, ini_);
  stored_ = ReadStoredSettings(ini_);
  for (const SharedSection& section : shared_) section.stored();
  for (const auto& action : afterSave_) action();
}

void SettingsStore::ReadValues(bool withBackground, Color editorBackground) {
  LoadSettingValues(ini_, values_, withBackground, editorBackground);
}

namespace {

constexpr std::string_view kCustomColorsSection = "CustomColors";

// The table's keys of the section, "ColorA" to "ColorP" in order.
template <typename Visit>
void ForEachCustomColorKey(Visit visit) {
  size_t index = 0;
  for (const SettingKey& entry : SettingsTable())
    if (entry.section == kCustomColorsSection && index < 16) visit(index++, entry);
}

}  // namespace

std::array<Color, 16> SettingsStore::CustomColors() const {
  std::array<Color, 16> colors{};
  ForEachCustomColorKey([&](size_t i, const SettingKey& entry) {
    colors[i] = ReadColor(ini_, entry.section, entry.key, SettingToColor(entry.default_text));
  });
  return colors;
}

void SettingsStore::SetCustomColors(const std::array<Color, 16>& colors) {
  ForEachCustomColorKey(
      [&](size_t i, const SettingKey& entry) { WriteColor(ini_, entry.section, entry.key, colors[i]); });
}

void SettingsStore::WriteNowIfTableSays(const SettingField& field) {
  for (const SettingKey& entry : SettingsTable()) {
    if (entry.field != field) continue;
    if (entry.written == SettingWritten::kAtOnce || entry.written == SettingWritten::kAtExit)
      WriteSetting(ini_, entry, values_);
    return;
  }
}

void SettingsStore::StoreField(const SettingField& field) {
  for (const SettingKey& entry : SettingsTable())
    if (entry.field == field) WriteSetting(ini_, entry, values_);
}

void SettingsStore::RereadField(const SettingField& field) {
  for (const SettingKey& entry : SettingsTable()) {
    if (entry.field != field) continue;
    ReadSetting(ini_, entry, values_, values_.background);
    return;
  }
}

}  // namespace quillo

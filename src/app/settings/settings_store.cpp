#include "app/settings/settings_store.h"

#include "app/settings/settings_file.h"

namespace quillo {

void SettingsStore::Load() {
  fileName_ = DecideSettingsFileName();
  SettingsFileRead read = LoadSettingsFile(fileName_);
  ini_ = std::move(read.ini);
  readProblem_ = read.readable ? std::string() : read.error;
}

void SettingsStore::Save() {
  SaveSettingValues(ini_, values_);
  if (!readProblem_.empty()) return;
  SaveSettingsFile(fileName_, ini_);
}

void SettingsStore::ReadValues(bool withBackground, Color editorBackground) {
  LoadSettingValues(ini_, values_, withBackground, editorBackground);
}

void SettingsStore::WriteNowIfTableSays(const SettingField& field) {
  for (const SettingKey& entry : SettingsTable()) {
    if (entry.field != field) continue;
    if (entry.written == SettingWritten::kAtOnce || entry.written == SettingWritten::kAtExit)
      WriteSetting(ini_, entry, values_);
    return;
  }
}

void SettingsStore::RereadField(const SettingField& field) {
  for (const SettingKey& entry : SettingsTable()) {
    if (entry.field != field) continue;
    ReadSetting(ini_, entry, values_, values_.background);
    return;
  }
}

}  // namespace quillo

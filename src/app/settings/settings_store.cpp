#include "app/settings/settings_store.h"

#include "app/platform/shared_file_lock.h"
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
  // A file that could not be read at start-up is never overwritten.
  if (!readProblem_.empty()) return;
  SharedFileLock lock(fileName_);
  if (!shared_.empty()) {
    const IniFile disk = LoadSettingsFile(fileName_).ini;
    for (const SharedSection& section : shared_) section.merge(disk, ini_);
  }
  SaveSettingsFile(fileName_, ini_);
  for (const SharedSection& section : shared_) section.stored();
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

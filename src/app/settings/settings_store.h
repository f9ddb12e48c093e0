#pragma once
// The settings of this process: the file they live in, the whole file held in
// memory, and the values the program works with. The rest of the program reads
// and changes SettingValues only; a value the table says is written at once
// (or by the exit sequence) is put into the file's image here, as it changes.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/settings_table.h"

namespace quillo {

class SettingsStore {
 public:
  // Chooses the file and reads it into memory; the values are not read yet.
  void Load();
  // Writes the values into the file's image and the image to disk; not when
  // the file existed but could not be read (its content would be lost).
  // Throws FileError.
  void Save();

  const std::wstring& FileName() const { return fileName_; }
  // Why the existing file could not be read (UTF-8); empty when it was read
  // or did not exist. The program then runs on defaults and never writes it.
  const std::string& ReadProblem() const { return readProblem_; }

  const SettingValues& Values() const { return values_; }
  // For changes that only SaveSettings writes; prefer Set.
  SettingValues& Values() { return values_; }

  // Changes one value; when the table writes it at once or at exit, the
  // file's image takes it now too.
  template <typename T>
  void Set(T SettingValues::*field, T value) {
    values_.*field = std::move(value);
    WriteNowIfTableSays(SettingField(field));
  }

  // Changes one value and puts it into the file's image whatever the
  // table says (the settings dialog's own keys).
  template <typename T>
  void SetAndStore(T SettingValues::*field, T value) {
    values_.*field = std::move(value);
    StoreField(SettingField(field));
  }

  // Reads one value again from the file's image; its present value is the
  // default where the table says so.
  template <typename T>
  void Reread(T SettingValues::*field) {
    RereadField(SettingField(field));
  }

  // Reads every value of the table from the file's image (fonts and the
  // placement keep their present values where the file has none).
  void ReadValues(bool withBackground, Color editorBackground);
  void ResetToDefaults() { values_ = DefaultSettingValues(); }

  // The colour dialog's sixteen custom colours, section "CustomColors",
  // written at once.
  std::array<Color, 16> CustomColors() const;
  void SetCustomColors(const std::array<Color, 16>& colors);

  // Whole sections kept by their own features (histories, recent files).
  IniFile& Ini() { return ini_; }
  const IniFile& Ini() const { return ini_; }

  // A section every window keeps in the one file (the recent files). Each
  // Save takes the file's lock shared by all processes of the program, reads
  // the file as it is on disk now, lets `merge` put the section into the
  // image, writes the image and lets go; `stored` runs once it is written.
  // Without this the image's copy from start-up would undo what other
  // windows stored meanwhile.
  struct SharedSection {
    std::function<void(const IniFile& disk, IniFile& image)> merge;
    std::function<void()> stored;
  };
  void ShareSection(SharedSection section) { shared_.push_back(std::move(section)); }

  // Runs after every Save that wrote the file (the shell's App Paths entry).
  void AfterSave(std::function<void()> action) { afterSave_.push_back(std::move(action)); }

  // What another window of the program stored: reads the file on disk and
  // takes every value that changed there since this window last read or
  // wrote it; a value this window changed meanwhile and the file does not
  // hold yet stays as it is (core/settings_merge). Sections kept whole by
  // their features are left to them. Returns the number of values taken.
  int TakeInStoredChanges();

 private:
  void WriteNowIfTableSays(const SettingField& field);
  void StoreField(const SettingField& field);
  void RereadField(const SettingField& field);

  std::wstring fileName_;
  std::string readProblem_;
  IniFile ini_;
  SettingValues values_ = DefaultSettingValues();
  std::vector<SharedSection> shared_;
  std::vector<std::function<void()>> afterSave_;
  SettingValues stored_ = DefaultSettingValues();  // the file as last read or written
};

}  // namespace quillo

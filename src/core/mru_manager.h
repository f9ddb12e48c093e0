#pragma once
// The recent-files list: the files closed in this window, newest first, each
// with the caret position it had, kept in section "MRU" of the settings file.
// File names are full paths in Windows-1251 bytes.
//
// Several windows share the settings file. Each window records what it did
// to its list (a file closed, an entry chosen, the list cleared) and, when
// it writes the file, replays that on the list just read from disk under
// the file's lock: Rebase, Save into the fresh file, write it whole, then
// ChangesStored. What other windows stored meanwhile is kept.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/caret_pos.h"
#include "core/ini_file.h"

namespace quillo {

inline constexpr std::string_view kRecentFilesSection = "MRU";

// The list's capacity from the setting "Options" / "MRU", which stores the
// capacity minus one; at most the size of the menu's id block for the list.
int RecentFilesCapacity(int mru_setting);
int MruSettingFor(int capacity);

struct RecentFile {
  std::string file_name;
  CaretPos caret;
  friend bool operator==(const RecentFile&, const RecentFile&) = default;
};

// The menu caption, UTF-8: the shortened path, then the caret's line and
// column from 1: "C:\Мои документы\...\2006\письмо.txt [12, 1]".
std::string RecentFileCaption(const RecentFile& entry);

class MruManager {
 public:
  // A capacity of 0 or less keeps nothing.
  explicit MruManager(int max_count = 20) : max_count_(max_count < 0 ? 0 : max_count) {}

  int MaxCount() const { return max_count_; }
  // Drops the oldest entries beyond the new capacity at once.
  void SetMaxCount(int max_count);

  const std::vector<RecentFile>& Items() const { return items_; }
  std::size_t Count() const { return items_.size(); }

  // A document was closed: its file goes on top with `caret`. An entry of the
  // same file (letter case ignored) leaves the list first, so the file is
  // listed once and no other entry is pushed out for it; then the oldest
  // beyond the capacity go. An empty name (an untitled document) is ignored;
  // whether the file is on disk is the caller's question.
  void Insert(std::string_view file_name, CaretPos caret);

  // Removes the entry at `index`; a Rebase removes every entry of its file.
  // When the user chooses an entry, copy it and delete it before closing the
  // current document and opening the chosen file: the closed document then
  // goes into a list that has room.
  void Delete(std::size_t index);
  void Clear();

  // The newest entry of that file, letter case ignored; nullptr if none.
  const RecentFile* Find(std::string_view file_name) const;

  // Keys "FileName" + i, "CaretPosX" + i, "CaretPosY" + i from i = 0 up to
  // the first missing file name; absent or malformed numbers read as 0.
  // Replaces the list and forgets the recorded changes.
  void Load(const IniFile& ini, std::string_view section = kRecentFilesSection);
  // Erases the section and writes the entries, newest first.
  void Save(IniFile& ini, std::string_view section = kRecentFilesSection) const;

  // The list stored in `disk` with this window's changes since the last
  // Load or ChangesStored applied on top of it, in the order they were made.
  // The changes stay recorded: until the file has been written, a later
  // Rebase applies them again.
  void Rebase(const IniFile& disk, std::string_view section = kRecentFilesSection);
  void ChangesStored() { changes_.clear(); }
  bool HasChanges() const { return !changes_.empty(); }

 private:
  enum class ChangeKind { kInsert, kDelete, kClear };
  struct Change {
    ChangeKind kind;
    RecentFile entry;
  };

  void Apply(const Change& change);
  void Trim();

  int max_count_;
  std::vector<RecentFile> items_;
  std::vector<Change> changes_;
};

}  // namespace quillo

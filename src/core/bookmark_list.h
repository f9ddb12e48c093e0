#pragma once
// The named bookmarks: a name, a file and a caret position each, kept in the
// file "Bookmarks.ini" beside the program, one section per bookmark named
// after it, in list order. Names and file names are Windows-1251 bytes.
//
// All windows share the file. Each window records what it did to its list
// and, to write the file, replays that on the list just read from disk under
// the file's lock: Rebase, ToText written whole (the file deleted when the
// list is empty), then ChangesStored. Reloading after another window's
// change is a Rebase too, so a change that could not be written yet stays.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/caret_pos.h"
#include "core/ini_file.h"

namespace quillo {

inline constexpr std::string_view kBookmarkFileName = "Bookmarks.ini";

struct Bookmark {
  std::string name;
  std::string file_name;
  CaretPos caret;
  friend bool operator==(const Bookmark&, const Bookmark&) = default;
};

// The name proposed for a bookmark at `caret` in `file_name`: the file's name
// without its folder, then the line and column from 1: "письмо.txt (12, 1)".
std::string ProposedBookmarkName(std::string_view file_name, CaretPos caret);

// The name as a section of the file can hold it: line breaks become spaces
// and blanks (bytes up to the space) at either end go, since reading the
// file drops them. An empty name is kept.
std::string StorableBookmarkName(std::string_view typed);

class BmList {
 public:
  const std::vector<Bookmark>& Items() const { return items_; }
  std::size_t Count() const { return items_.size(); }

  // Appends a bookmark under StorableBookmarkName(name) and returns its
  // index. A bookmark of the same name (letter case ignored, as the file
  // compares section names) takes the new file and place where it stands.
  std::size_t Add(std::string_view name, std::string_view file_name, CaretPos caret);
  void Delete(std::size_t index);
  void Clear();

  // Every section in file order: "FileName" (default empty), "CaretPosX"
  // and "CaretPosY" (absent or malformed: 0). Replaces the list and forgets
  // the recorded changes.
  void Load(const IniFile& file);
  // The whole file; empty for an empty list.
  std::string ToText() const;

  // The list in `disk` with this window's changes since the last Load or
  // ChangesStored applied on top, in the order they were made. They stay
  // recorded until ChangesStored.
  void Rebase(const IniFile& disk);
  void ChangesStored() { changes_.clear(); }
  bool HasChanges() const { return !changes_.empty(); }

 private:
  enum class ChangeKind { kAdd, kDelete, kClear };
  struct Change {
    ChangeKind kind;
    Bookmark bookmark;
  };

  std::size_t Apply(const Change& change);

  std::vector<Bookmark> items_;
  std::vector<Change> changes_;
};

}  // namespace quillo

#pragma once
// The lists of recent find and replace texts, newest first, and their keys
// in the settings file.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"

namespace quillo {

// Sections of the settings file; the search options share the first one.
inline constexpr std::string_view kFindHistorySection = "Find";
inline constexpr std::string_view kReplaceHistorySection = "Replace";

class FindHistory {
 public:
  // An addition never leaves more entries than this; loading may.
  static constexpr std::size_t kAddLimit = 10;
  // Keys "0" .. "15" are read at start-up.
  static constexpr std::size_t kLoadLimit = 16;

  const std::vector<std::string>& Entries() const { return entries_; }

  // Puts `text` on top unless an entry equals it ignoring letter case; then
  // drops the oldest entries beyond kAddLimit. Returns whether it was added.
  bool Add(std::string_view text);

  // Takes the keys "0" to "15" of the section in that order, skipping keys
  // that are absent. Other keys of the section are not entries.
  void Load(const IniFile& settings, std::string_view section);

  // Erases the whole section, then writes every entry under its index, "0"
  // first. Whatever else the section held must be written again afterwards.
  void Save(IniFile& settings, std::string_view section) const;

 private:
  std::vector<std::string> entries_;
};

// Caption of an entry in the drop-down menu: a lone "-" would make a
// separator, so it shows as " - ".
std::string HistoryMenuCaption(const std::string& entry);

}  // namespace quillo

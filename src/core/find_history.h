#pragma once
// The lists of recent find and replace texts, newest first, and their keys
// in the settings file.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillo {

using HistoryKeyValues = std::vector<std::pair<std::string, std::string>>;

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

  // Takes the values of the keys "0" to "15" of the stored section in that
  // order, skipping keys that are absent. Other keys of the section (the
  // search options share it) are ignored; of repeated keys the first counts.
  void Load(const HistoryKeyValues& section);

  // Every entry under its index, "0" first: the section's history keys as
  // they are written after the section was erased.
  HistoryKeyValues ToKeyValues() const;

 private:
  std::vector<std::string> entries_;
};

// Caption of an entry in the drop-down menu: a lone "-" would make a
// separator, so it shows as " - ".
std::string HistoryMenuCaption(const std::string& entry);

}  // namespace quillo

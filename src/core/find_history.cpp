#include "core/find_history.h"

#include <algorithm>

#include "core/search_chars.h"

namespace quillo {

bool FindHistory::Add(std::string_view text) {
  const bool known = std::any_of(entries_.begin(), entries_.end(), [text](const std::string& entry) {
    return EqualIgnoringCase(entry, text);
  });
  if (known) return false;
  entries_.insert(entries_.begin(), std::string(text));
  if (entries_.size() > kAddLimit) entries_.resize(kAddLimit);
  return true;
}

void FindHistory::Load(const IniFile& settings, std::string_view section) {
  entries_.clear();
  for (std::size_t index = 0; index < kLoadLimit; ++index) {
    const std::string key = std::to_string(index);
    if (settings.KeyExists(section, key)) entries_.push_back(settings.ReadString(section, key, ""));
  }
}

void FindHistory::Save(IniFile& settings, std::string_view section) const {
  settings.EraseSection(section);
  for (std::size_t index = 0; index < entries_.size(); ++index)
    settings.WriteString(section, std::to_string(index), entries_[index]);
}

std::string HistoryMenuCaption(const std::string& entry) { return entry == "-" ? " - " : entry; }

}  // namespace quillo

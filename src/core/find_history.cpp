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

void FindHistory::Load(const HistoryKeyValues& section) {
  entries_.clear();
  for (std::size_t index = 0; index < kLoadLimit; ++index) {
    const std::string key = std::to_string(index);
    const auto found = std::find_if(section.begin(), section.end(),
                                    [&key](const auto& key_value) { return key_value.first == key; });
    if (found != section.end()) entries_.push_back(found->second);
  }
}

HistoryKeyValues FindHistory::ToKeyValues() const {
  HistoryKeyValues key_values;
  key_values.reserve(entries_.size());
  for (std::size_t index = 0; index < entries_.size(); ++index)
    key_values.emplace_back(std::to_string(index), entries_[index]);
  return key_values;
}

std::string HistoryMenuCaption(const std::string& entry) { return entry == "-" ? " - " : entry; }

}  // namespace quillo

#include "core/mru_manager.h"

#include <algorithm>
#include <cstdint>

#include "core/menu_layout.h"
#include "core/path_text.h"
#include "core/win1251.h"

namespace quillo {
namespace {

std::string Key(std::string_view name, std::size_t index) {
  return std::string(name) + std::to_string(index);
}

}  // namespace

int RecentFilesCapacity(int mru_setting) {
  const std::int64_t capacity = static_cast<std::int64_t>(mru_setting) + 1;
  const int most = GetRuntimeList(RuntimeList::RecentFiles).capacity;
  return static_cast<int>(std::clamp<std::int64_t>(capacity, 0, most));
}

int MruSettingFor(int capacity) { return std::max(capacity, 0) - 1; }

std::string RecentFileCaption(const RecentFile& entry) {
  // From 64-bit numbers: a hand-edited file may hold the largest 32-bit one.
  return Win1251ToUtf8(ShortenPathForCaption(entry.file_name)) + " [" +
         std::to_string(std::int64_t{entry.caret.line} + 1) + ", " +
         std::to_string(std::int64_t{entry.caret.column} + 1) + "]";
}

void MruManager::SetMaxCount(int max_count) {
  max_count_ = std::max(max_count, 0);
  Trim();
}

void MruManager::Trim() {
  if (items_.size() > static_cast<std::size_t>(max_count_)) items_.resize(max_count_);
}

void MruManager::Apply(const Change& change) {
  switch (change.kind) {
    case ChangeKind::kInsert:
    case ChangeKind::kDelete:
      std::erase_if(items_, [&](const RecentFile& item) {
        return SamePath(item.file_name, change.entry.file_name);
      });
      if (change.kind == ChangeKind::kInsert) items_.insert(items_.begin(), change.entry);
      Trim();
      break;
    case ChangeKind::kClear:
      items_.clear();
      break;
  }
}

void MruManager::Insert(std::string_view file_name, CaretPos caret) {
  if (file_name.empty()) return;
  changes_.push_back({ChangeKind::kInsert, {std::string(file_name), caret}});
  Apply(changes_.back());
}

void MruManager::Delete(std::size_t index) {
  if (index >= items_.size()) return;
  changes_.push_back({ChangeKind::kDelete, items_[index]});
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void MruManager::Clear() {
  changes_.push_back({ChangeKind::kClear, {}});
  Apply(changes_.back());
}

const RecentFile* MruManager::Find(std::string_view file_name) const {
  auto found = std::find_if(items_.begin(), items_.end(), [&](const RecentFile& item) {
    return SamePath(item.file_name, file_name);
  });
  return found == items_.end() ? nullptr : &*found;
}

void MruManager::Load(const IniFile& ini, std::string_view section) {
  items_.clear();
  changes_.clear();
  for (std::size_t i = 0; items_.size() < static_cast<std::size_t>(max_count_); ++i) {
    const std::string name_key = Key("FileName", i);
    if (!ini.KeyExists(section, name_key)) break;
    RecentFile entry{ini.ReadString(section, name_key, ""),
                     {ini.ReadInteger(section, Key("CaretPosX", i), 0),
                      ini.ReadInteger(section, Key("CaretPosY", i), 0)}};
    // As when the list was built, only copies of the newest entry go.
    if (!items_.empty() && SamePath(entry.file_name, items_.front().file_name)) continue;
    items_.push_back(std::move(entry));
  }
}

void MruManager::Save(IniFile& ini, std::string_view section) const {
  ini.EraseSection(section);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    ini.WriteString(section, Key("FileName", i), items_[i].file_name);
    ini.WriteInteger(section, Key("CaretPosX", i), items_[i].caret.column);
    ini.WriteInteger(section, Key("CaretPosY", i), items_[i].caret.line);
  }
}

void MruManager::Rebase(const IniFile& disk, std::string_view section) {
  std::vector<Change> changes = std::move(changes_);
  Load(disk, section);
  for (const Change& change : changes) Apply(change);
  changes_ = std::move(changes);
}

}  // namespace quillo

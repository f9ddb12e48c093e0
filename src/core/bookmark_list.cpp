#include "core/bookmark_list.h"

#include <algorithm>
#include <cstdint>

#include "core/title.h"

namespace quillo {
namespace {

constexpr std::string_view kFileNameKey = "FileName";
constexpr std::string_view kColumnKey = "CaretPosX";
constexpr std::string_view kLineKey = "CaretPosY";

bool IsBlank(char ch) { return static_cast<unsigned char>(ch) <= ' '; }

}  // namespace

std::string ProposedBookmarkName(std::string_view file_name, CaretPos caret) {
  return std::string(FileNamePart(file_name)) + " (" +
         std::to_string(std::int64_t{caret.line} + 1) + ", " +
         std::to_string(std::int64_t{caret.column} + 1) + ")";
}

std::string StorableBookmarkName(std::string_view typed) {
  std::string name(typed);
  std::replace_if(name.begin(), name.end(), [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
  const auto first = std::find_if_not(name.begin(), name.end(), IsBlank);
  const auto last = std::find_if_not(name.rbegin(), name.rend(), IsBlank).base();
  return first < last ? std::string(first, last) : std::string();
}

std::size_t BmList::Apply(const Change& change) {
  auto same_name = [&](const Bookmark& item) {
    return IniNamesEqual(item.name, change.bookmark.name);
  };
  switch (change.kind) {
    case ChangeKind::kAdd: {
      auto found = std::find_if(items_.begin(), items_.end(), same_name);
      if (found != items_.end()) {
        *found = change.bookmark;
        return static_cast<std::size_t>(found - items_.begin());
      }
      items_.push_back(change.bookmark);
      return items_.size() - 1;
    }
    case ChangeKind::kDelete:
      std::erase_if(items_, same_name);
      break;
    case ChangeKind::kClear:
      items_.clear();
      break;
  }
  return 0;
}

std::size_t BmList::Add(std::string_view name, std::string_view file_name, CaretPos caret) {
  changes_.push_back(
      {ChangeKind::kAdd, {StorableBookmarkName(name), std::string(file_name), caret}});
  return Apply(changes_.back());
}

void BmList::Delete(std::size_t index) {
  if (index >= items_.size()) return;
  changes_.push_back({ChangeKind::kDelete, items_[index]});
  Apply(changes_.back());
}

void BmList::Clear() {
  changes_.push_back({ChangeKind::kClear, {}});
  Apply(changes_.back());
}

void BmList::Load(const IniFile& file) {
  items_.clear();
  changes_.clear();
  for (const std::string& name : file.Sections()) {
    items_.push_back({name, file.ReadString(name, kFileNameKey, ""),
                      {file.ReadInteger(name, kColumnKey, 0), file.ReadInteger(name, kLineKey, 0)}});
  }
}

std::string BmList::ToText() const {
  IniFile file;
  for (const Bookmark& item : items_) {
    file.WriteString(item.name, kFileNameKey, item.file_name);
    file.WriteInteger(item.name, kColumnKey, item.caret.column);
    file.WriteInteger(item.name, kLineKey, item.caret.line);
  }
  return file.ToText();
}

void BmList::Rebase(const IniFile& disk) {
  std::vector<Change> changes = std::move(changes_);
  Load(disk);
  for (const Change& change : changes) Apply(change);
  changes_ = std::move(changes);
}

}  // namespace quillo

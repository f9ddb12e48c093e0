#include "core/options_choices.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace quillo {
namespace {

constexpr CodePageChoice kCodePages[] = {
    {cpWIN, "Windows-1251"},
    {cpDOS, "DOS-866"},
    {cpKOI, "KOI8-R"},
};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::span<const CodePageChoice> DefaultCodePageChoices() { return kCodePages; }
std::span<const CodePageChoice> SaveCodePageChoices() { return kCodePages; }

int CodePageChoiceIndex(std::span<const CodePageChoice> choices, TCodePage page) {
  for (size_t i = 0; i < choices.size(); ++i)
    if (choices[i].page == page) return static_cast<int>(i);
  return 0;
}

std::vector<std::string> BuiltInExtensions() {
  return {"bak", "bbs", "cfg", "diz", "eng", "ext", "inf", "ini", "log", "lst", "me", "nfo", "rus", "sys", "txt"};
}

std::vector<std::string> ExtensionsFromText(std::string_view text) {
  std::vector<std::string> list;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    if (!line.empty()) list.emplace_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return list;
}

int FindExtension(const std::vector<std::string>& list, std::string_view ext) {
  for (size_t i = 0; i < list.size(); ++i)
    if (EqualIgnoringCase(list[i], ext)) return static_cast<int>(i);
  return -1;
}

std::string ExtensionTypeName(std::string_view ext) {
  if (ext == "txt") return "Текстовый документ";
  return std::string(ext) + "-файл";
}

int HistoryCapacityFromText(std::string_view text) {
  text = Trim(text);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return 20;
  return value;
}

}  // namespace quillo

#include "core/ini_file.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

namespace quillo {
namespace {

// Upper-case Windows-1251 letters outside A-Z and А-Я with their lower-case partners.
constexpr std::pair<unsigned char, unsigned char> kCyrillicPairs[] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
  for (int i = 'A'; i <= 'Z'; ++i) table[i] = static_cast<unsigned char>(i + 32);
  for (int i = 0xC0; i <= 0xDF; ++i) table[i] = static_cast<unsigned char>(i + 32);
  for (auto [upper, lower] : kCyrillicPairs) table[upper] = lower;
  return table;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

bool IsTrimmed(char ch) { return static_cast<unsigned char>(ch) <= ' '; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
  return text;
}

std::string OneLine(std::string_view text) {
  std::string result(text);
  for (char& ch : result) {
    if (ch == '\r' || ch == '\n') ch = ' ';
  }
  return result;
}

// Calls `take` with every line of `text`; CR LF, LF and CR each end a line.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      take(text.substr(start));
      return;
    }
    take(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

}  // namespace

bool IniNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (kFold[static_cast<unsigned char>(a[i])] != kFold[static_cast<unsigned char>(b[i])]) {
      return false;
    }
  }
  return true;
}

std::optional<int> ParseIniInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::string_view digits = text.substr(2);
    if (digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<int>(value);  // eight digits wrap round as a 32-bit integer
  }
  if (!text.empty() && text[0] == '+') {
    text.remove_prefix(1);
    if (text.empty() || text[0] == '+' || text[0] == '-') return std::nullopt;
  }
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseIniFloat(std::string_view text) {
  std::string copy(text);
  if (!copy.empty() && copy[0] == '+') {
    copy.erase(0, 1);
    if (copy.empty() || copy[0] == '+' || copy[0] == '-') return std::nullopt;
  }
  // Files move between machines whose number formats differ; a margin written
  // as "12,5" must still read on a machine that writes "12.5".
  for (char& ch : copy) {
    if (ch == ',') ch = '.';
  }
  double value = 0;
  auto [end, error] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
  if (error != std::errc() || end != copy.data() + copy.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string FormatIniFloat(double value, char decimal_separator) {
  std::array<char, 64> buffer{};
  auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string text(buffer.data(), error == std::errc() ? end : buffer.data());
  for (char& ch : text) {
    if (ch == '.') ch = decimal_separator;
  }
  return text;
}

void IniFile::FromText(std::string_view text) {
  preamble_.clear();
  sections_.clear();
  Section* current = nullptr;
  ForEachLine(text, [&](std::string_view raw) {
    std::string_view line = Trim(raw);
    if (line.empty()) return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      std::string_view name = Trim(line.substr(1, line.size() - 2));
      current = FindSection(name);
      if (current == nullptr) {
        sections_.push_back(Section{std::string(name), {}});
        current = &sections_.back();
      }
      return;
    }
    size_t equals = line.find('=');
    if (current == nullptr) {
      preamble_.emplace_back(line);
      return;
    }
    if (line.front() == ';' || equals == std::string_view::npos) {
      current->lines.push_back(Line{std::string(line), {}, false});
      return;
    }
    std::string_view key = Trim(line.substr(0, equals));
    if (FindKey(*current, key) != nullptr) return;
    current->lines.push_back(
        Line{std::string(key), std::string(Trim(line.substr(equals + 1))), true});
  });
}

std::string IniFile::ToText() const {
  std::string text;
  for (const std::string& line : preamble_) {
    text += line;
    text += "\r\n";
  }
  for (const Section& section : sections_) {
    text += '[';
    text += section.name;
    text += "]\r\n";
    for (const Line& line : section.lines) {
      text += line.key;
      if (line.is_key) {
        text += '=';
        text += line.value;
      }
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& section : sections_) {
    if (IniNamesEqual(section.name, name)) return &section;
  }
  return nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const IniFile::Line* IniFile::FindKey(const Section& section, std::string_view key) {
  for (const Line& line : section.lines) {
    if (line.is_key && IniNamesEqual(line.key, key)) return &line;
  }
  return nullptr;
}

const std::string* IniFile::FindValue(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return nullptr;
  const Line* line = FindKey(*found, key);
  return line ? &line->value : nullptr;
}

bool IniFile::SectionExists(std::string_view section) const {
  return FindSection(section) != nullptr;
}

bool IniFile::KeyExists(std::string_view section, std::string_view key) const {
  return FindValue(section, key) != nullptr;
}

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> names;
  for (const Section& section : sections_) names.push_back(section.name);
  return names;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* found = FindSection(section)) {
    for (const Line& line : found->lines) {
      if (line.is_key) keys.push_back(line.key);
    }
  }
  return keys;
}

void IniFile::EraseSection(std::string_view section) {
  std::erase_if(sections_, [&](const Section& s) { return IniNamesEqual(s.name, section); });
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  if (Section* found = FindSection(section)) {
    std::erase_if(found->lines,
                  [&](const Line& line) { return line.is_key && IniNamesEqual(line.key, key); });
  }
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  const std::string* value = FindValue(section, key);
  return value ? *value : std::string(def);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  const std::string* value = FindValue(section, key);
  if (value == nullptr) return def;
  return ParseIniInteger(*value).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double IniFile::ReadFloat(std::string_view section, std::string_view key, double def) const {
  const std::string* value = FindValue(section, key);
  if (value == nullptr) return def;
  return ParseIniFloat(*value).value_or(def);
}

void IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) {
  Section* found = FindSection(section);
  if (found == nullptr) {
    sections_.push_back(Section{OneLine(section), {}});
    found = &sections_.back();
  }
  for (Line& line : found->lines) {
    if (line.is_key && IniNamesEqual(line.key, key)) {
      line.value = OneLine(value);
      return;
    }
  }
  found->lines.push_back(Line{OneLine(key), OneLine(value), true});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  WriteString(section, key, FormatIniFloat(value, decimal_separator_));
}

}  // namespace quillo

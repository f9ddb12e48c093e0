#pragma once
// A whole INI file held in memory: read once, changed in memory, written back
// whole. Section and key names are 8-bit Windows-1251 text compared without
// regard to letter case (Latin and Cyrillic letters).
//
// Reading the text:
// - CR LF, LF alone and CR alone each end a line.
// - Every line is trimmed of bytes up to and including the space (so also of
//   tabs and NULs) at both ends; blank lines are dropped.
// - "[name]" starts a section (the name is trimmed too). A section that
//   appears a second time continues the first one.
// - "key=value" splits at the first '='; key and value are trimmed. A key that
//   appears a second time in the same section is dropped: reads always see the
//   first one, so the later line never had an effect.
// - Lines starting with ';' and lines without '=' are kept as they are, in
//   their place, and written back; they are never found as keys. Lines before
//   the first section are kept the same way.
// Writing the text gives "[name]", the section's lines, then one empty line
// for each section, every line ended by CR LF. Parsing what ToText() gave and
// writing it again gives the same text.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillo {

class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(std::string_view text) { FromText(text); }

  // Replaces the whole content by the parsed text.
  void FromText(std::string_view text);
  std::string ToText() const;

  bool SectionExists(std::string_view section) const;
  bool KeyExists(std::string_view section, std::string_view key) const;
  // Names as first seen, in file order.
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;
  void EraseSection(std::string_view section);
  void DeleteKey(std::string_view section, std::string_view key);

  // A missing key gives the default; so does a value that is not a number
  // for the numeric reads. A key present with an empty value reads as "".
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  // Decimal, or hexadecimal after "0x".
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  // A whole number: 0 is false, any other number true.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  // Either '.' or ',' is taken as the decimal separator.
  double ReadFloat(std::string_view section, std::string_view key, double def) const;

  // A new section goes to the end of the file, a new key to the end of its
  // section; an existing key keeps its place and the spelling it had. Line
  // breaks in names and values are written as spaces, since they would
  // otherwise break the file into other lines.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void WriteFloat(std::string_view section, std::string_view key, double value);

  // The decimal separator WriteFloat uses: the system's number format.
  void SetDecimalSeparator(char separator) { decimal_separator_ = separator; }
  char DecimalSeparator() const { return decimal_separator_; }

 private:
  struct Line {
    std::string key;    // the whole text for a kept line
    std::string value;
    bool is_key = true;
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };

  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  static const Line* FindKey(const Section& section, std::string_view key);
  const std::string* FindValue(std::string_view section, std::string_view key) const;

  std::vector<std::string> preamble_;
  std::vector<Section> sections_;
  char decimal_separator_ = '.';
};

// Names compare equal regardless of the case of Latin and Cyrillic letters.
bool IniNamesEqual(std::string_view a, std::string_view b);

// The number forms of the file; nullopt for anything else.
std::optional<int> ParseIniInteger(std::string_view text);
std::optional<double> ParseIniFloat(std::string_view text);
std::string FormatIniFloat(double value, char decimal_separator);

}  // namespace quillo

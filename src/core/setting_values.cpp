#include "core/setting_values.h"

#include <array>
#include <charconv>
#include <utility>

namespace quillo {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::optional<unsigned> HexByte(std::string_view two) {
  unsigned value = 0;
  auto [end, error] = std::from_chars(two.data(), two.data() + two.size(), value, 16);
  if (error != std::errc() || end != two.data() + two.size()) return std::nullopt;
  return value;
}

constexpr std::pair<unsigned, char> kStyleLetters[] = {
    {kFontBold, 'B'}, {kFontItalic, 'I'}, {kFontUnderline, 'U'}, {kFontStrikeOut, 'S'}};

}  // namespace

std::string ColorToSetting(Color color) {
  std::string text = "$";
  for (int shift : {0, 8, 16}) {  // red, green, blue
    unsigned byte = (color >> shift) & 0xFF;
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0xF];
  }
  return text;
}

Color SettingToColor(std::string_view text) {
  if (!text.empty() && text[0] == '$') text.remove_prefix(1);
  if (text.size() < 6) return kBlack;
  std::array<unsigned, 3> parts{};
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string_view two = text.substr(i * 2, 2);
    // from_chars would take a sign; only the sixteen digits count.
    if (two.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos) return kBlack;
    auto byte = HexByte(two);
    if (!byte) return kBlack;
    parts[i] = *byte;
  }
  return MakeColor(parts[0], parts[1], parts[2]);
}

Color ReadColor(const IniFile& ini, std::string_view section, std::string_view key, Color def) {
  if (!ini.KeyExists(section, key)) return def;
  return SettingToColor(ini.ReadString(section, key, ""));
}

void WriteColor(IniFile& ini, std::string_view section, std::string_view key, Color color) {
  ini.WriteString(section, key, ColorToSetting(color));
}

TCodePage ReadCodePage(const IniFile& ini, std::string_view section, std::string_view key,
                       TCodePage def) {
  if (!ini.KeyExists(section, key)) return def;
  return CodePageFromName(ini.ReadString(section, key, ""));
}

void WriteCodePage(IniFile& ini, std::string_view section, std::string_view key,
                   TCodePage page) {
  ini.WriteString(section, key, CodePageName(page));
}

std::string FontStyleToSetting(unsigned style) {
  std::string text;
  for (auto [bit, letter] : kStyleLetters) {
    if (style & bit) text += letter;
  }
  return text;
}

unsigned SettingToFontStyle(std::string_view text) {
  unsigned style = 0;
  for (auto [bit, letter] : kStyleLetters) {
    const char lower = static_cast<char>(letter - 'A' + 'a');
    if (text.find(letter) != std::string_view::npos || text.find(lower) != std::string_view::npos) {
      style |= bit;
    }
  }
  return style;
}

void ReadFont(const IniFile& ini, std::string_view section, FontSetting& font) {
  font.charset = ini.ReadInteger(section, "Charset", font.charset);
  font.color = ReadColor(ini, section, "Color", kBlack);
  font.height = ini.ReadInteger(section, "Height", font.height);
  font.name = ini.ReadString(section, "Name", font.name);
  font.size = ini.ReadInteger(section, "Size", font.size);
  font.style = SettingToFontStyle(ini.ReadString(section, "Style", FontStyleToSetting(font.style)));
}

void WriteFont(IniFile& ini, std::string_view section, const FontSetting& font) {
  ini.WriteInteger(section, "Charset", font.charset);
  WriteColor(ini, section, "Color", font.color);
  ini.WriteInteger(section, "Height", font.height);
  ini.WriteString(section, "Name", font.name);
  ini.WriteInteger(section, "Size", font.size);
  ini.WriteString(section, "Style", FontStyleToSetting(font.style));
}

void ReadPlacement(const IniFile& ini, std::string_view section, WindowPlacement& placement) {
  const int state = ini.ReadInteger(section, "WindowState", kWindowNormal);
  placement.state = (state == kWindowMaximized || state == kWindowMinimized) ? state : kWindowNormal;
  if (placement.state != kWindowNormal) return;
  placement.left = ini.ReadInteger(section, "Left", placement.left);
  placement.top = ini.ReadInteger(section, "Top", placement.top);
  placement.height = ini.ReadInteger(section, "Height", placement.height);
  placement.width = ini.ReadInteger(section, "Width", placement.width);
}

void WritePlacement(IniFile& ini, std::string_view section, const WindowPlacement& placement) {
  ini.WriteInteger(section, "WindowState", placement.state);
  if (placement.state != kWindowNormal) return;
  ini.WriteInteger(section, "Left", placement.left);
  ini.WriteInteger(section, "Top", placement.top);
  ini.WriteInteger(section, "Height", placement.height);
  ini.WriteInteger(section, "Width", placement.width);
}

}  // namespace quillo

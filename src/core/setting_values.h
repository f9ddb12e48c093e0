#pragma once
// How values that are more than a number are written in the settings file:
// colours, code pages, font styles, whole fonts and window placements.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/codepage.h"
#include "core/ini_file.h"

namespace quillo {

// A colour in the platform's layout, 0x00BBGGRR. System colours must be
// turned into their RGB value before they are written.
using Color = std::uint32_t;

constexpr Color MakeColor(unsigned red, unsigned green, unsigned blue) {
  return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}
inline constexpr Color kBlack = MakeColor(0, 0, 0);
inline constexpr Color kWhite = MakeColor(255, 255, 255);

// "$RRGGBB", upper-case hexadecimal, red first.
std::string ColorToSetting(Color color);
// The '$' is optional; the six characters after it are red, green and blue
// in hexadecimal (either case); characters after those are ignored. Anything
// that cannot be read gives black.
Color SettingToColor(std::string_view text);

// A missing key gives `def`; a value that cannot be read gives black.
Color ReadColor(const IniFile& ini, std::string_view section, std::string_view key, Color def);
void WriteColor(IniFile& ini, std::string_view section, std::string_view key, Color color);

// A missing key gives `def`; otherwise only the value's first character
// counts, so a lower-case "dos" reads as Windows-1251.
TCodePage ReadCodePage(const IniFile& ini, std::string_view section, std::string_view key,
                       TCodePage def);
void WriteCodePage(IniFile& ini, std::string_view section, std::string_view key,
                   TCodePage page);

// Font style bits.
enum FontStyle : unsigned {
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
  kFontStrikeOut = 8,
};

// The letters B, I, U, S in that order for the bits that are set.
std::string FontStyleToSetting(unsigned style);
// Each style is set when its letter occurs anywhere, in either case.
unsigned SettingToFontStyle(std::string_view text);

// A font as its section stores it.
struct FontSetting {
  int charset = 1;  // DEFAULT_CHARSET
  Color color = kBlack;
  int height = 0;   // as the platform gives it; 0 when unknown
  std::string name;
  int size = 0;     // points
  unsigned style = 0;

  bool operator==(const FontSetting&) const = default;
};

// Keys in the order Charset, Color, Height, Name, Size, Style. Every key
// defaults to the font's present value, except Color, which defaults to
// black. The caller applies Height before Size, so Size decides the size.
void ReadFont(const IniFile& ini, std::string_view section, FontSetting& font);
void WriteFont(IniFile& ini, std::string_view section, const FontSetting& font);

// Window states as the file numbers them (not the framework's numbering).
enum WindowShowState : int {
  kWindowNormal = 1,
  kWindowMaximized = 2,
  kWindowMinimized = 3,
};

struct WindowPlacement {
  int state = kWindowNormal;
  int left = 0;
  int top = 0;
  int height = 0;
  int width = 0;

  bool operator==(const WindowPlacement&) const = default;
};

// Keys WindowState, Left, Top, Height, Width. The state defaults to normal
// and any number other than 2 or 3 reads as normal. The bounds are read only
// when the stored state is normal, each defaulting to the present value;
// otherwise the present bounds stay as they are. Written: the bounds only
// when the state is normal, so a maximised window keeps its last normal
// bounds in the file.
void ReadPlacement(const IniFile& ini, std::string_view section, WindowPlacement& placement);
void WritePlacement(IniFile& ini, std::string_view section, const WindowPlacement& placement);

}  // namespace quillo

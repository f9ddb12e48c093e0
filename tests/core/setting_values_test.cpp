#include "core/setting_values.h"

#include <gtest/gtest.h>

#include <string>

namespace quillo {
namespace {

TEST(SettingColor, WritesRedFirstInUpperCase) {
  EXPECT_EQ(ColorToSetting(kWhite), "$FFFFFF");
  EXPECT_EQ(ColorToSetting(kBlack), "$000000");
  EXPECT_EQ(ColorToSetting(MakeColor(0x12, 0xAB, 0xEF)), "$12ABEF");
  EXPECT_EQ(ColorToSetting(0x00FF0000), "$0000FF");  // the platform keeps blue high
  EXPECT_EQ(ColorToSetting(0xFF000080), "$800000");  // bits above blue are not a colour
}

TEST(SettingColor, ReadsSixDigitsWithOrWithoutDollar) {
  struct Case {
    const char* text;
    Color color;
  };
  const Case cases[] = {
      {"$FFFFFF", kWhite},
      {"FFFFFF", kWhite},
      {"000000", kBlack},
      {"$12abEF", MakeColor(0x12, 0xAB, 0xEF)},
      {"$0000FF", MakeColor(0, 0, 0xFF)},
      {"$FF0000FF", MakeColor(0xFF, 0, 0)},  // characters after the sixth are ignored
      {"$FFFFF", kBlack},
      {"", kBlack},
      {"$", kBlack},
      {"$GGFFFF", kBlack},
      {"$FFFFFG", kBlack},
      {"white", kBlack},
      {"$+1FFFF", kBlack},
      {"$-1FFFF", kBlack},
      {" $FFFFFF", kBlack},
      {"$$FFFFFF", kBlack},
      {"16777215", MakeColor(0x16, 0x77, 0x72)},  // a number is still read as digits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SettingToColor(c.text), c.color);
  }
  for (Color color : {kBlack, kWhite, MakeColor(1, 2, 3), MakeColor(0xFE, 0x80, 0x0A)}) {
    EXPECT_EQ(SettingToColor(ColorToSetting(color)), color);
  }
}

TEST(SettingColor, MissingKeyGivesDefaultButGarbageGivesBlack) {
  IniFile ini("[Options]\nBackground=nonsense\nEmpty=\n");
  EXPECT_EQ(ReadColor(ini, "Options", "Missing", kWhite), kWhite);
  EXPECT_EQ(ReadColor(ini, "Options", "Background", kWhite), kBlack);
  EXPECT_EQ(ReadColor(ini, "Options", "Empty", kWhite), kBlack);
  WriteColor(ini, "Options", "Background", MakeColor(0xC0, 0xDC, 0xC0));
  EXPECT_EQ(ini.ReadString("Options", "Background", ""), "$C0DCC0");
}

TEST(SettingCodePage, OnlyAnUpperCaseFirstLetterCounts) {
  struct Case {
    const char* text;
    TCodePage page;
  };
  const Case cases[] = {
      {"WIN", cpWIN}, {"DOS", cpDOS}, {"KOI", cpKOI}, {"D", cpDOS}, {"Kxx", cpKOI},
      {"dos", cpWIN}, {"koi", cpWIN}, {"", cpWIN},    {"2", cpWIN}, {" DOS", cpWIN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    IniFile ini;
    ini.WriteString("Options", "DefCoding", c.text);
    EXPECT_EQ(ReadCodePage(ini, "Options", "DefCoding", cpKOI), c.page);
  }
  IniFile ini;
  EXPECT_EQ(ReadCodePage(ini, "Options", "DefCoding", cpDOS), cpDOS);
  for (TCodePage page : {cpWIN, cpDOS, cpKOI}) {
    WriteCodePage(ini, "Options", "SaveCoding", page);
    EXPECT_EQ(ReadCodePage(ini, "Options", "SaveCoding", cpNone), page);
  }
  EXPECT_EQ(ini.ReadString("Options", "SaveCoding", ""), "KOI");
}

TEST(SettingFontStyle, LettersInFixedOrderAndAnyCase) {
  EXPECT_EQ(FontStyleToSetting(0), "");
  EXPECT_EQ(FontStyleToSetting(kFontStrikeOut | kFontBold), "BS");
  EXPECT_EQ(FontStyleToSetting(kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut), "BIUS");
  struct Case {
    const char* text;
    unsigned style;
  };
  const Case cases[] = {
      {"", 0},
      {"sb", kFontBold | kFontStrikeOut},
      {"B", kFontBold},
      {"iu", kFontItalic | kFontUnderline},
      {"Underline", kFontUnderline | kFontItalic},  // every letter that occurs counts
      {"xyz", 0},
      {"SUIB", kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SettingToFontStyle(c.text), c.style);
  }
  for (unsigned style = 0; style < 16; ++style) {
    EXPECT_EQ(SettingToFontStyle(FontStyleToSetting(style)), style);
  }
}

TEST(SettingFont, WritesKeysInOrderAndReadsThemBack) {
  const FontSetting font{204, MakeColor(0x80, 0, 0), -16, "Courier New", 12,
                         kFontBold | kFontItalic};
  IniFile ini;
  WriteFont(ini, "Font", font);
  EXPECT_EQ(ini.ToText(),
            "[Font]\r\nCharset=204\r\nColor=$800000\r\nHeight=-16\r\n"
            "Name=Courier New\r\nSize=12\r\nStyle=BI\r\n\r\n");
  FontSetting read{0, kWhite, 0, "Arial", 8, 0};
  ReadFont(IniFile(ini.ToText()), "font", read);
  EXPECT_EQ(read, font);
}

TEST(SettingFont, MissingKeysKeepThePresentFontExceptColour) {
  const FontSetting present{1, kWhite, -11, "Arial", 8, kFontUnderline};
  FontSetting font = present;
  ReadFont(IniFile("[Font1]\nName=Tahoma\nStyle=sb\nSize=oops\n"), "Font1", font);
  EXPECT_EQ(font.name, "Tahoma");
  EXPECT_EQ(font.style, kFontBold | kFontStrikeOut);
  EXPECT_EQ(font.size, 8);
  EXPECT_EQ(font.height, -11);
  EXPECT_EQ(font.charset, 1);
  EXPECT_EQ(font.color, kBlack);

  font = present;
  ReadFont(IniFile(), "Font1", font);
  EXPECT_EQ(font, (FontSetting{1, kBlack, -11, "Arial", 8, kFontUnderline}));
}

TEST(SettingPlacement, NormalWindowKeepsItsBounds) {
  IniFile ini;
  WritePlacement(ini, "View", WindowPlacement{kWindowNormal, 10, 20, 517, 797});
  EXPECT_EQ(ini.ToText(),
            "[View]\r\nWindowState=1\r\nLeft=10\r\nTop=20\r\nHeight=517\r\nWidth=797\r\n\r\n");
  WindowPlacement read{kWindowMaximized, 0, 0, 100, 100};
  ReadPlacement(ini, "View", read);
  EXPECT_EQ(read, (WindowPlacement{kWindowNormal, 10, 20, 517, 797}));
}

TEST(SettingPlacement, MaximisedWindowKeepsThePreviousNormalBoundsInTheFile) {
  IniFile ini("[View]\nWindowState=1\nLeft=10\nTop=20\nHeight=517\nWidth=797\n");
  WritePlacement(ini, "View", WindowPlacement{kWindowMaximized, -8, -8, 1040, 1936});
  EXPECT_EQ(ini.ReadInteger("View", "WindowState", 0), 2);
  EXPECT_EQ(ini.ReadInteger("View", "Left", 0), 10);
  EXPECT_EQ(ini.ReadInteger("View", "Width", 0), 797);

  // Stored bounds are applied only with the normal state.
  WindowPlacement present{kWindowNormal, 1, 2, 3, 4};
  ReadPlacement(ini, "View", present);
  EXPECT_EQ(present, (WindowPlacement{kWindowMaximized, 1, 2, 3, 4}));
}

TEST(SettingPlacement, StateCodesAndDefaults) {
  struct Case {
    const char* text;
    int state;
  };
  const Case cases[] = {{"1", kWindowNormal},   {"2", kWindowMaximized}, {"3", kWindowMinimized},
                        {"0", kWindowNormal},   {"4", kWindowNormal},    {"x", kWindowNormal},
                        {"-2", kWindowNormal}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WindowPlacement placement{kWindowMaximized, 5, 6, 7, 8};
    IniFile ini;
    ini.WriteString("View", "WindowState", c.text);
    ReadPlacement(ini, "View", placement);
    EXPECT_EQ(placement.state, c.state);
  }
  WindowPlacement placement{kWindowMaximized, 5, 6, 7, 8};
  ReadPlacement(IniFile("[View]\nLeft=50\n"), "View", placement);
  EXPECT_EQ(placement, (WindowPlacement{kWindowNormal, 50, 6, 7, 8}));
}

}  // namespace
}  // namespace quillo

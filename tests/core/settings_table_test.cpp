#include "core/settings_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillo {
namespace {

using K = SettingKind;
using W = SettingWritten;
using S = SettingValues;

struct Row {
  const char* section;
  const char* key;
  SettingKind kind;
  const char* default_text;
  SettingWritten written;
  SettingField field;
};

// Every key of the settings file as the program's documentation lists it.
const Row kExpected[] = {
    {"Options", "Background", K::kColor, "$FFFFFF", W::kAtOnce, &S::background},
    {"Options", "WordWrap", K::kBoolean, "1", W::kAtOnce, &S::word_wrap},
    {"Options", "ToolBar", K::kBoolean, "1", W::kAtOnce, &S::tool_bar},
    {"Options", "StatusBar", K::kBoolean, "1", W::kAtOnce, &S::status_bar},
    {"Options", "DefCoding", K::kCodePage, "WIN", W::kSaveSettings, &S::def_coding},
    {"Options", "SaveCoding", K::kCodePage, "WIN", W::kSaveSettings, &S::save_coding},
    {"Options", "SaveSetCoding", K::kBoolean, "1", W::kSaveSettings, &S::save_set_coding},
    {"Options", "MinToTray", K::kBoolean, "1", W::kSaveSettings, &S::min_to_tray},
    {"Options", "URLDetect", K::kBoolean, "1", W::kSaveSettings, &S::url_detect},
    {"Options", "ShowHint", K::kBoolean, "1", W::kSaveSettings, &S::show_hint},
    {"Options", "DateFormat", K::kInteger, "1", W::kSaveSettings, &S::date_format},
    {"Options", "TimeFormat", K::kInteger, "1", W::kSaveSettings, &S::time_format},
    {"Options", "NumToStrFormat", K::kInteger, "1", W::kSaveSettings, &S::num_to_str_format},
    {"Options", "dlgPath", K::kString, "", W::kAtOnce, &S::dlg_path},
    {"Options", "CodAutoOpt", K::kBoolean, "1", W::kAtOnce, &S::cod_auto_opt},
    {"Options", "DefUTF8", K::kBoolean, "0", W::kAtOnce, &S::def_utf8},
    {"Options", "StartOpenFile", K::kBoolean, "1", W::kSaveSettings, &S::start_open_file},
    {"Options", "AutoSave", K::kBoolean, "0", W::kSaveSettings, &S::auto_save},
    {"Options", "WordSelection", K::kBoolean, "0", W::kSaveSettings, &S::word_selection},
    {"Options", "Clipbrd+", K::kBoolean, "1", W::kSaveSettings, &S::clipbrd_plus},
    {"Options", "Ins", K::kBoolean, "0", W::kSaveSettings, &S::ins},
    {"Options", "TitleType", K::kInteger, "1", W::kSaveSettings, &S::title_type},
    {"Options", "FileManager", K::kString, "explorer.exe", W::kSaveSettings, &S::file_manager},
    {"Options", "Icons", K::kBoolean, "1", W::kSaveSettings, &S::icons},
    {"Options", "ShowShortCut", K::kBoolean, "1", W::kSaveSettings, &S::show_short_cut},
    {"Options", "SimplePopupMenu", K::kBoolean, "0", W::kSaveSettings, &S::simple_popup_menu},
    {"Options", "FindPanel", K::kBoolean, "0", W::kSaveSettings, &S::find_panel},
    {"Options", "SavePosition", K::kBoolean, "0", W::kSaveSettings, &S::save_position},
    {"Options", "DefFileName", K::kString, "noname.txt", W::kSaveSettings, &S::def_file_name},
    {"Options", "MRU", K::kInteger, "19", W::kSaveSettings, &S::mru},
    {"Options", "FileName", K::kString, "", W::kAtExit, &S::file_name},
    {"Options", "CaretPosX", K::kInteger, "0", W::kAtExit, &S::caret_pos_x},
    {"Options", "CaretPosY", K::kInteger, "0", W::kAtExit, &S::caret_pos_y},
    {"Options", "FSScrollBars", K::kBoolean, "0", W::kSettingsDialog, &S::fs_scroll_bars},
    {"Options", "FSStatusBar", K::kBoolean, "1", W::kSettingsDialog, &S::fs_status_bar},
    {"Options", "FSToolBar", K::kBoolean, "1", W::kSettingsDialog, &S::fs_tool_bar},
    {"Options", "FSMenu", K::kBoolean, "0", W::kSettingsDialog, &S::fs_menu},
    {"Options", "1URLClick", K::kBoolean, "1", W::kAtOnce, &S::url_click_hint},
    {"View", "", K::kPlacement, "1", W::kAtExit, &S::view},
    {"Font", "", K::kFont, "Courier New,12", W::kAtOnce, &S::font},
    {"Font1", "", K::kFont, "MS Sans Serif,8", W::kSaveSettings, &S::font1},
    {"Font2", "", K::kFont, "MS Sans Serif,8", W::kSaveSettings, &S::font2},
    {"Font3", "", K::kFont, "MS Sans Serif,8", W::kSaveSettings, &S::font3},
    {"Font4", "", K::kFont, "MS Sans Serif,8", W::kSaveSettings, &S::font4},
    {"Print", "Left", K::kFloat, "20", W::kSaveSettings, &S::print_left},
    {"Print", "Right", K::kFloat, "20", W::kSaveSettings, &S::print_right},
    {"Print", "Top", K::kFloat, "20", W::kSaveSettings, &S::print_top},
    {"Print", "Bottom", K::kFloat, "20", W::kSaveSettings, &S::print_bottom},
    {"Print", "Orientation", K::kInteger, "0", W::kSaveSettings, &S::print_orientation},
    {"Print", "PrintIndex", K::kInteger, "-1", W::kAtOnce, &S::print_index},
    {"Find", "MatchCase", K::kBoolean, "0", W::kSaveSettings, &S::find_match_case},
    {"Find", "WholeWord", K::kBoolean, "0", W::kSaveSettings, &S::find_whole_word},
    {"Find", "Down", K::kBoolean, "1", W::kSaveSettings, &S::find_down},
    {"Find", "", K::kHistory, "", W::kAtExit, {}},
    {"Replace", "", K::kHistory, "", W::kAtExit, {}},
    {"ReadOnly", "Background", K::kColor, "$FFFFFF", W::kSaveSettings, &S::read_only_background},
    {"ReadOnly", "EnableOptions", K::kBoolean, "0", W::kSaveSettings,
     &S::read_only_enable_options},
    {"ReadOnly", "ScrollLock", K::kBoolean, "0", W::kSaveSettings, &S::read_only_scroll_lock},
    {"CustomColors", "ColorA", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorB", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorC", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorD", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorE", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorF", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorG", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorH", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorI", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorJ", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorK", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorL", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorM", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorN", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorO", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"CustomColors", "ColorP", K::kColor, "$FFFFFF", W::kAtOnce, {}},
    {"MRU", "", K::kRecentFiles, "", W::kOnDisk, {}},
};

TEST(SettingTable, HoldsEveryDocumentedKeyExactlyOnce) {
  for (const Row& row : kExpected) {
    SCOPED_TRACE(std::string(row.section) + "/" + row.key);
    const SettingKey* entry = FindSetting(row.section, row.key);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->section, row.section);  // spelled as the file spells it
    EXPECT_EQ(entry->key, row.key);
    EXPECT_EQ(entry->kind, row.kind);
    EXPECT_EQ(entry->default_text, row.default_text);
    EXPECT_EQ(entry->written, row.written);
    EXPECT_TRUE(entry->field == row.field);
  }
  EXPECT_EQ(SettingsTable().size(), std::size(kExpected));
}

TEST(SettingTable, SaveOrderIsTheProgramsOrder) {
  const std::vector<std::string> expected = {
      "Options/DefCoding", "Options/SaveCoding", "Options/SaveSetCoding", "Options/MinToTray",
      "Options/URLDetect", "Options/ShowHint", "Options/DateFormat", "Options/TimeFormat",
      "Options/NumToStrFormat", "Print/Left", "Print/Right", "Print/Top", "Print/Bottom",
      "Print/Orientation", "Options/StartOpenFile", "Options/AutoSave",
      "Options/WordSelection", "Options/MRU", "Options/Clipbrd+", "Options/Ins",
      "Options/TitleType", "Font1/", "Font2/", "Font3/", "Font4/", "Options/FileManager",
      "Options/Icons", "ReadOnly/Background", "ReadOnly/EnableOptions", "Options/ShowShortCut",
      "Options/SimplePopupMenu", "Options/FindPanel", "Find/MatchCase", "Find/WholeWord",
      "Find/Down", "ReadOnly/ScrollLock", "Options/SavePosition", "Options/DefFileName"};
  std::vector<std::string> order;
  for (const SettingName& name : SaveSettingsOrder()) {
    order.push_back(std::string(name.section) + "/" + std::string(name.key));
    EXPECT_NE(FindSetting(name.section, name.key), nullptr) << order.back();
  }
  EXPECT_EQ(order, expected);

  IniFile ini;
  SaveSettingValues(ini, DefaultSettingValues());
  EXPECT_EQ(ini.Sections(),
            (std::vector<std::string>{"Options", "Print", "Font1", "Font2", "Font3", "Font4",
                                      "ReadOnly", "Find"}));
  EXPECT_EQ(ini.Keys("Options"),
            (std::vector<std::string>{"DefCoding", "SaveCoding", "SaveSetCoding", "MinToTray",
                                      "URLDetect", "ShowHint", "DateFormat", "TimeFormat",
                                      "NumToStrFormat", "StartOpenFile", "AutoSave",
                                      "WordSelection", "MRU", "Clipbrd+", "Ins", "TitleType",
                                      "FileManager", "Icons", "ShowShortCut", "SimplePopupMenu",
                                      "FindPanel", "SavePosition", "DefFileName"}));
}

// The row table above fixes every default's text; these are the ones whose
// text is not simply the value's own form.
TEST(SettingTable, DefaultsParsedIntoValues) {
  const SettingValues v = DefaultSettingValues();
  EXPECT_EQ(v.background, kWhite);
  EXPECT_TRUE(v.word_wrap);
  EXPECT_FALSE(v.auto_save);
  EXPECT_EQ(v.mru, 19);
  EXPECT_EQ(v.print_index, -1);
  EXPECT_EQ(v.print_left, 20.0);
  EXPECT_EQ(v.view.state, kWindowNormal);
  EXPECT_EQ(v.font, (FontSetting{1, kBlack, 0, "Courier New", 12, 0}));
  EXPECT_EQ(v.font4, (FontSetting{1, kBlack, 0, "MS Sans Serif", 8, 0}));
  SettingValues loaded = v;
  LoadSettingValues(IniFile(), loaded, true, kWhite);
  EXPECT_EQ(loaded, v);
}

TEST(SettingLoad, GarbageAndMissingValuesGiveTheDefaults) {
  IniFile ini(
      "[options]\n"
      "wordwrap=yes\nDateFormat=abc\nTitleType=\nDefCoding=dos\nSaveCoding=KOI\n"
      "FileManager=\nMRU=0x9\n"
      "[PRINT]\nLeft=abc\nRight=12,5\nPrintIndex=-1x\n");
  SettingValues v = DefaultSettingValues();
  v.word_wrap = false;
  v.date_format = 3;
  LoadSettingValues(ini, v, true, kBlack);
  EXPECT_TRUE(v.word_wrap);
  EXPECT_EQ(v.date_format, 1);
  EXPECT_EQ(v.title_type, 1);
  EXPECT_EQ(v.def_coding, cpWIN);  // only an upper-case first letter is recognised
  EXPECT_EQ(v.save_coding, cpKOI);
  EXPECT_EQ(v.file_manager, "");   // present but empty is a value
  EXPECT_EQ(v.mru, 9);
  EXPECT_EQ(v.print_left, 20.0);
  EXPECT_EQ(v.print_right, 12.5);
  EXPECT_EQ(v.print_index, -1);
}

TEST(SettingLoad, EmptyFileRestoresFixedDefaultsButKeepsFontsAndPlacement) {
  SettingValues v = DefaultSettingValues();
  v.icons = false;
  v.font.name = "Lucida Console";
  v.font2.size = 20;
  v.view = WindowPlacement{kWindowNormal, 1, 2, 300, 400};
  v.background = MakeColor(1, 2, 3);
  LoadSettingValues(IniFile(), v, false, MakeColor(9, 9, 9));
  EXPECT_TRUE(v.icons);
  EXPECT_EQ(v.font.name, "Lucida Console");
  EXPECT_EQ(v.font2.size, 20);
  EXPECT_EQ(v.view, (WindowPlacement{kWindowNormal, 1, 2, 300, 400}));
  EXPECT_EQ(v.background, MakeColor(1, 2, 3));  // not read without the start-up flag
  EXPECT_EQ(v.read_only_background, MakeColor(9, 9, 9));

  LoadSettingValues(IniFile(), v, true, kBlack);
  EXPECT_EQ(v.background, kWhite);
}

TEST(SettingLoad, BackgroundIsReadOnlyAtStartUp) {
  const IniFile ini("[Options]\nBackground=$102030\n[ReadOnly]\nBackground=$405060\n");
  SettingValues v = DefaultSettingValues();
  LoadSettingValues(ini, v, false, kBlack);
  EXPECT_EQ(v.background, kWhite);
  EXPECT_EQ(v.read_only_background, MakeColor(0x40, 0x50, 0x60));
  LoadSettingValues(ini, v, true, kBlack);
  EXPECT_EQ(v.background, MakeColor(0x10, 0x20, 0x30));
}

TEST(SettingSave, FixedRulesForFindPanelAndOrientation) {
  struct Case {
    int orientation;
    const char* written;
  };
  for (const Case& c : {Case{0, "0"}, Case{1, "1"}, Case{5, "0"}, Case{-1, "0"}}) {
    SettingValues v = DefaultSettingValues();
    v.find_panel = true;
    v.print_orientation = c.orientation;
    IniFile ini;
    SaveSettingValues(ini, v);
    EXPECT_EQ(ini.ReadString("Options", "FindPanel", ""), "0");
    EXPECT_EQ(ini.ReadString("Print", "Orientation", ""), c.written) << c.orientation;
  }
}

// A file as the program writes it: loading and saving it again changes
// nothing, including keys, sections and lines the table does not know.
TEST(SettingSave, RewritesAFileItLoadedUnchanged) {
  const std::string text =
      "; hand-written note\r\n"
      "[Options]\r\n"
      "Background=$C0C0C0\r\nWordWrap=0\r\nToolBar=0\r\nStatusBar=1\r\n"
      "PlugInOption=keep me\r\n"
      "DefCoding=DOS\r\nSaveCoding=KOI\r\nSaveSetCoding=0\r\nMinToTray=0\r\nURLDetect=0\r\n"
      "ShowHint=0\r\nDateFormat=3\r\nTimeFormat=2\r\nNumToStrFormat=2\r\n"
      "dlgPath=C:\\\xC4\xEE\xEA\xF3\xEC\xE5\xED\xF2\xFB\r\n"
      "CodAutoOpt=0\r\nStartOpenFile=0\r\nAutoSave=1\r\nWordSelection=1\r\nClipbrd+=0\r\n"
      "Ins=1\r\nTitleType=2\r\nFileManager=totalcmd.exe\r\nIcons=0\r\nShowShortCut=0\r\n"
      "SimplePopupMenu=1\r\nFindPanel=0\r\nSavePosition=1\r\nDefFileName=new.txt\r\nMRU=9\r\n"
      "FileName=C:\\a.txt\r\nCaretPosX=3\r\nCaretPosY=14\r\n"
      "FSScrollBars=1\r\nFSStatusBar=0\r\nFSToolBar=0\r\nFSMenu=1\r\n1URLClick=0\r\nDefUTF8=0\r\n"
      "\r\n"
      "[MRU]\r\n0=C:\\a.txt\r\n\r\n"
      "[View]\r\nWindowState=2\r\nLeft=10\r\nTop=20\r\nHeight=517\r\nWidth=797\r\n\r\n"
      "[Font]\r\nCharset=204\r\nColor=$000080\r\nHeight=-13\r\nName=Lucida Console\r\n"
      "Size=10\r\nStyle=B\r\n\r\n"
      "[Font1]\r\nCharset=1\r\nColor=$000000\r\nHeight=-11\r\nName=Arial\r\nSize=8\r\n"
      "Style=IU\r\n\r\n"
      "[Font2]\r\nCharset=1\r\nColor=$000000\r\nHeight=-11\r\nName=Tahoma\r\nSize=8\r\n"
      "Style=\r\n\r\n"
      "[Font3]\r\nCharset=1\r\nColor=$FF0000\r\nHeight=-16\r\nName=Verdana\r\nSize=12\r\n"
      "Style=S\r\n\r\n"
      "[Font4]\r\nCharset=1\r\nColor=$000000\r\nHeight=-21\r\nName=Courier New\r\nSize=16\r\n"
      "Style=BIUS\r\n\r\n"
      "[Print]\r\nLeft=12,5\r\nRight=10\r\nTop=15\r\nBottom=25\r\nOrientation=1\r\n"
      "PrintIndex=2\r\n\r\n"
      "[Find]\r\nMatchCase=1\r\nWholeWord=1\r\nDown=0\r\n0=\xF1\xEB\xEE\xE2\xEE\r\n\r\n"
      "[Replace]\r\n0=word\r\n\r\n"
      "[ReadOnly]\r\nBackground=$FFFFE0\r\nEnableOptions=1\r\nScrollLock=1\r\n\r\n"
      "[CustomColors]\r\nColorA=$FFFFFF\r\nColorB=$123456\r\n\r\n"
      "[SomePlugIn]\r\nAnything=goes\r\n\r\n";
  IniFile ini(text);
  ini.SetDecimalSeparator(',');
  ASSERT_EQ(ini.ToText(), text);

  SettingValues v = DefaultSettingValues();
  LoadSettingValues(ini, v, true, kWhite);
  EXPECT_EQ(v.view.state, kWindowMaximized);
  EXPECT_EQ(v.font.name, "Lucida Console");
  EXPECT_EQ(v.font3.color, MakeColor(0xFF, 0, 0));
  EXPECT_EQ(v.print_left, 12.5);
  EXPECT_EQ(v.def_coding, cpDOS);

  SaveSettingValues(ini, v);
  for (const SettingKey& entry : SettingsTable()) WriteSetting(ini, entry, v);
  EXPECT_EQ(ini.ToText(), text);
}

TEST(SettingSave, ValuesChangedInMemoryReachTheirKeys) {
  SettingValues v = DefaultSettingValues();
  v.def_coding = cpKOI;
  v.mru = 4;
  v.font1 = FontSetting{204, MakeColor(0, 0x80, 0), -12, "Arial", 9, kFontItalic};
  v.read_only_background = MakeColor(0xFF, 0xFF, 0xE0);
  v.save_position = true;
  IniFile ini("[Options]\nDefCoding=WIN\nUnknown=1\n");
  SaveSettingValues(ini, v);

  SettingValues reread = DefaultSettingValues();
  LoadSettingValues(IniFile(ini.ToText()), reread, false, kBlack);
  EXPECT_EQ(reread.def_coding, cpKOI);
  EXPECT_EQ(reread.mru, 4);
  EXPECT_EQ(reread.font1, v.font1);
  EXPECT_EQ(reread.read_only_background, v.read_only_background);
  EXPECT_TRUE(reread.save_position);
  EXPECT_EQ(ini.ReadString("Options", "Unknown", ""), "1");
  EXPECT_EQ(ini.Keys("Options").front(), "DefCoding");
}

TEST(SettingSave, EntriesWithoutAFieldAreLeftToTheirFeature) {
  IniFile ini("[Find]\n0=abc\n[MRU]\n0=x\n");
  const SettingValues v = DefaultSettingValues();
  EXPECT_FALSE(WriteSetting(ini, *FindSetting("find", ""), v));
  EXPECT_FALSE(WriteSetting(ini, *FindSetting("MRU", ""), v));
  EXPECT_FALSE(WriteSetting(ini, *FindSetting("CustomColors", "ColorC"), v));
  EXPECT_EQ(ini.ToText(), "[Find]\r\n0=abc\r\n\r\n[MRU]\r\n0=x\r\n\r\n");
  EXPECT_EQ(FindSetting("Options", "NoSuchKey"), nullptr);
}

}  // namespace
}  // namespace quillo

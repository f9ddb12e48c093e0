// UTF-8 and UTF-16 files, characters Windows-1251 lacks, and a DOS-866
// table shown with its real frames, in a real window.
#include <windows.h>

#include <commctrl.h>
#include <tuple>
#include <gtest/gtest.h>

#include "core/action_table.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/panel_driver.h"

namespace quillo::e2e {
namespace {

void Do(Quillo& q, ActionId id) { q.Send(WM_COMMAND, static_cast<WPARAM>(id)); }
void Start(Quillo& q, ActionId id) { q.Command(static_cast<UINT>(id)); }

// The control's own characters (one CR per line break).
std::wstring ControlText(Quillo& q) {
  HWND editor = q.Editor();
  const auto length = static_cast<int>(SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(SendMessageW(editor, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == L'\n' && i > 0 && text[i - 1] == L'\r')) out.push_back(text[i]);
  return out;
}

bool ButtonChecked(Quillo& q, ActionId id) {
  HWND bar = FindWindowExW(q.MainWindow(), nullptr, TOOLBARCLASSNAMEW, nullptr);
  return bar && SendMessageW(bar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
}

std::string Utf16(std::wstring_view text, bool big) {
  std::string out = big ? "\xFE\xFF" : "\xFF\xFE";
  for (wchar_t ch : text) {
    const char lo = static_cast<char>(ch & 0xFF), hi = static_cast<char>(ch >> 8);
    out.push_back(big ? hi : lo);
    out.push_back(big ? lo : hi);
  }
  return out;
}

TEST(UnicodeFiles, OpenedEditedAndSavedInTheirOwnEncoding) {
  const std::string utf8 = "Привет, мир — «ёлка» α😀\r\nвторая\r\n";
  const std::wstring wide = W(utf8);
  const std::string shown = "Привет, мир — «ёлка» α😀\rвторая\r";
  struct Case {
    const char* what;
    std::string bytes;
    std::string shown;
    std::string typed;  // the bytes "ж" adds at the end
  };
  const Case cases[] = {
      {"UTF-8", utf8, shown, "ж"},
      {"UTF-8 with mark", "\xEF\xBB\xBF" + utf8, shown, "ж"},
      {"UTF-8, LF breaks", "строка\nα\n", "строка\rα\r", "ж"},
      {"UTF-16LE", Utf16(wide, false), shown, std::string("\x36\x04", 2)},
      {"UTF-16BE", Utf16(wide, true), shown, std::string("\x04\x36", 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch scratch("unicode");
    scratch.WriteFile(L"doc.txt", c.bytes);
    Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
    q.MainWindow();
    EXPECT_EQ(U8(ControlText(q)), c.shown);
    const bool isUtf8 = std::string_view(c.what).substr(0, 5) == "UTF-8";
    EXPECT_TRUE(WaitUntil([&] { return ButtonChecked(q, ActionId::CodUTF8) == isUtf8; }, 3s));
    EXPECT_FALSE(ButtonChecked(q, ActionId::CodWIN));
    // The caret to the end without keys: X delivers them in its own time, maybe after the character.
    q.Select(1 << 30, 1 << 30);
    PostMessageW(q.Editor(), WM_CHAR, L'ж', 1);  // Cyrillic from outside: as the keyboard would give it
    EXPECT_TRUE(WaitUntil([&] { return U8(ControlText(q)) == c.shown + "ж"; }, 5s));
    Do(q, ActionId::FileSave);
    EXPECT_TRUE(scratch.ReadFile(L"doc.txt") == c.bytes + c.typed);
    EXPECT_FALSE(ExitAsked(q));
  }
}

// A user's story: a UTF-8 file with an emoji; the save in Windows-1251 the
// settings ask for warns first; case and line commands leave the emoji;
// the save in UTF-8 the warning offers keeps it.
TEST(UnicodeFiles, AnEmojiSurvivesCommandsAndTheSaveWarningOffersUtf8) {
  Scratch scratch("emoji");
  scratch.WriteSettings("[Options]\r\nSaveSetCoding=0\r\nSaveCoding=WIN\r\n");
  scratch.WriteFile(L"emoji.txt", "😀 привет\r\nвторая строка\r\nтретья 😀");
  Quillo q(scratch, Quoted(scratch.Path(L"emoji.txt")));
  q.MainWindow();
  q.Select(0, -1);
  Do(q, ActionId::TextRegUpper);
  EXPECT_EQ(U8(ControlText(q)), "😀 ПРИВЕТ\rВТОРАЯ СТРОКА\rТРЕТЬЯ 😀");
  q.Select(12, 12);
  Do(q, ActionId::EditDeleteLine);
  EXPECT_EQ(U8(ControlText(q)), "😀 ПРИВЕТ\rТРЕТЬЯ 😀");

  // "Заменить все": a '?' never finds the emoji; the emoji is found as
  // itself and a replacement Windows-1251 lacks goes in as typed.
  FindPanelDriver panel(q);
  Do(q, ActionId::FindFind);
  ASSERT_TRUE(WaitUntil([&] { return panel.Visible(); }, 5s));
  for (auto [find, replace, report] : {std::tuple{"?", "!", "0"}, std::tuple{"😀", "α😀", "2"}}) {
    panel.SetFind(find);
    panel.SetReplace(replace);
    panel.ClickLater("Заменить все");
    HWND info = q.WaitForMessageBox("Информация", 10s);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(U8(Quillo::MessageBoxText(info)), std::string("Замена выполнена. Заменено ") + report + " слов(а)");
    Quillo::Press(info, IDOK);
    WaitUntil([&] { return !IsWindow(info); }, 5s);
  }
  EXPECT_EQ(U8(ControlText(q)), "α😀 ПРИВЕТ\rТРЕТЬЯ α😀");

  Start(q, ActionId::FileSave);
  HWND box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  const std::string question = U8(Quillo::MessageBoxText(box));
  EXPECT_NE(question.find("Windows-1251: 4 (например: «α», «😀»)"), std::string::npos) << question;
  EXPECT_NE(question.find("UTF-8"), std::string::npos) << question;
  Quillo::Press(box, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return q.WaitForMessageBox("Внимание", 0ms) == nullptr; }));
  EXPECT_EQ(scratch.ReadFile(L"emoji.txt"), "😀 привет\r\nвторая строка\r\nтретья 😀");

  Start(q, ActionId::FileSave);
  box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  Quillo::Press(box, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return scratch.ReadFile(L"emoji.txt") == "α😀 ПРИВЕТ\r\nТРЕТЬЯ α😀"; }));
  EXPECT_TRUE(WaitUntil([&] { return ButtonChecked(q, ActionId::CodUTF8); }, 3s));
  EXPECT_FALSE(ExitAsked(q));
}

// With UTF-8 the default for new files, a new document and a plain ASCII
// file are UTF-8: Cyrillic typed into them is saved in UTF-8.
TEST(UnicodeFiles, Utf8AsTheDefaultForNewFiles) {
  Scratch scratch("default-utf8");
  scratch.WriteSettings("[Options]\r\nDefUTF8=1\r\n");
  scratch.WriteFile(L"ascii.txt", "abc");
  Quillo q(scratch, Quoted(scratch.Path(L"ascii.txt")));
  q.MainWindow();
  EXPECT_TRUE(WaitUntil([&] { return ButtonChecked(q, ActionId::CodUTF8); }, 3s));
  q.Select(1 << 30, 1 << 30);
  PostMessageW(q.Editor(), WM_CHAR, L'ж', 1);  // Cyrillic from outside: as the keyboard would give it
  ASSERT_TRUE(WaitUntil([&] { return ControlText(q) == L"abcж"; }, 5s)) << U8(ControlText(q));
  Do(q, ActionId::FileSave);
  EXPECT_EQ(scratch.ReadFile(L"ascii.txt"), "abcж");
  Do(q, ActionId::FileNew);
  EXPECT_TRUE(WaitUntil([&] { return ButtonChecked(q, ActionId::CodUTF8); }, 3s));
  EXPECT_FALSE(ExitAsked(q));
}

// A DOS-866 table shows its frames; "В верхний регистр" changes only the
// letters, and the file gets its bytes back with only those changed.
TEST(UnicodeFiles, DosTableShowsRealFramesAndSavesItsBytes) {
  // ┌───┐ / │ Код │ ■ / ╘═══╛ in DOS-866.
  const std::string top = "\xDA\xC4\xC4\xC4\xBF";
  const std::string bottom = "\xD4\xCD\xCD\xCD\xBE";
  const std::string dos = top + "\r\n\xB3 \x8A\xAE\xA4 \xB3 \xFE\r\n" + bottom;
  const std::string upper = top + "\r\n\xB3 \x8A\x8E\x84 \xB3 \xFE\r\n" + bottom;
  Scratch scratch("dos-table");
  scratch.WriteSettings("[Options]\r\nCodAutoOpt=0\r\nDefCoding=DOS\r\n");
  scratch.WriteFile(L"table.txt", dos);
  Quillo q(scratch, Quoted(scratch.Path(L"table.txt")));
  q.MainWindow();
  EXPECT_EQ(U8(ControlText(q)), "┌───┐\r│ Код │ ■\r╘═══╛");
  q.Select(0, -1);
  Do(q, ActionId::TextRegUpper);
  EXPECT_EQ(U8(ControlText(q)), "┌───┐\r│ КОД │ ■\r╘═══╛");
  Do(q, ActionId::FileSave);
  EXPECT_TRUE(scratch.ReadFile(L"table.txt") == upper);
  EXPECT_FALSE(ExitAsked(q));
}

}  // namespace
}  // namespace quillo::e2e

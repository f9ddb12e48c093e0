// The "Файл" and "Кодировка" commands of a real window: what reaches the
// disk, what the window shows and when it asks.
#include <gtest/gtest.h>

#include "core/action_table.h"
#include "tests/e2e/file_dialog_driver.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

// "Привет мир" in each code page, written out independently of the program.
const std::string kWinText = "\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0";
const std::string kDosText = "\x8F\xE0\xA8\xA2\xA5\xE2 \xAC\xA8\xE0";
const std::string kKoiText = "\xF0\xD2\xC9\xD7\xC5\xD4 \xCD\xC9\xD2";

void Do(Quillo& q, ActionId id) { q.Send(WM_COMMAND, static_cast<WPARAM>(id)); }
// Commands that open a dialog must not block the test.
void Start(Quillo& q, ActionId id) { q.Command(static_cast<UINT>(id)); }

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

struct OpenCase {
  const char* what;
  std::string bytes;
  std::string shown;
};

TEST(FileCommands, OpensEachCodePageShowsItInWindows1251AndSavesTheSameBytes) {
  const OpenCase cases[] = {
      {"DOS-866", kDosText + "\r\n" + kDosText, kWinText + "\r\n" + kWinText},
      {"KOI8-R", kKoiText + "\r\n" + kKoiText, kWinText + "\r\n" + kWinText},
      {"Windows-1251", kWinText + "\r\n" + kWinText, kWinText + "\r\n" + kWinText},
      {"ASCII", "plain text\r\n", "plain text\r\n"},
  };
  for (const auto& c : cases) {
    Scratch scratch("open-cp");
    scratch.WriteFile(L"doc.txt", c.bytes);
    Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
    q.MainWindow();
    EXPECT_TRUE(q.Text() == c.shown) << c.what;
    q.Keys("ctrl+End");
    q.Type("x");
    Do(q, ActionId::FileSave);
    EXPECT_TRUE(scratch.ReadFile(L"doc.txt") == c.bytes + "x") << c.what;
    EXPECT_FALSE(ExitAsked(q)) << c.what << ": still modified after the save";
  }
}

TEST(FileCommands, WithoutSaveSetCodingTheFileIsWrittenInSaveCodingAndKeepsIt) {
  Scratch scratch("save-coding");
  scratch.WriteSettings("[Options]\r\nSaveSetCoding=0\r\nSaveCoding=KOI\r\n");
  scratch.WriteFile(L"doc.txt", kDosText);
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  ASSERT_TRUE(q.Text() == kWinText);
  q.Keys("ctrl+End");
  q.Type("x");
  // The save message of "Сохранить все" saves a changed document.
  q.Send(WM_USER + 101);
  EXPECT_TRUE(scratch.ReadFile(L"doc.txt") == kKoiText + "x");
  // The document's code page is now KOI8-R: showing the file's own bytes
  // gives the KOI8-R text.
  Do(q, ActionId::CodWIN);
  EXPECT_TRUE(q.Text() == kKoiText + "x");
  EXPECT_FALSE(ExitAsked(q));
}

TEST(FileCommands, DosBoxDrawingSurvivesOpenAndSave) {
  std::string bytes;
  for (int b = 0x80; b < 0x100; ++b) bytes.push_back(static_cast<char>(b));
  bytes += "\r\n" + kDosText + kDosText + kDosText;
  Scratch scratch("dos-box");
  scratch.WriteSettings("[Options]\r\nCodAutoOpt=0\r\nDefCoding=DOS\r\n");
  scratch.WriteFile(L"box.txt", bytes);
  Quillo q(scratch, Quoted(scratch.Path(L"box.txt")));
  q.MainWindow();
  q.Keys("ctrl+End");
  q.Type("x");
  Do(q, ActionId::FileSave);
  std::string saved = scratch.ReadFile(L"box.txt");
  ASSERT_EQ(saved.size(), bytes.size() + 1);
  for (size_t i = 0; i < bytes.size(); ++i)
    EXPECT_EQ(static_cast<unsigned char>(saved[i]), static_cast<unsigned char>(bytes[i]))
        << "byte " << i;
  ExitAsked(q);
}

TEST(FileCommands, ViewSwitchesKeepTheModifiedStateAndSelectionsConvertAlone) {
  Scratch scratch("cod-switch");
  const std::string text = kWinText + " " + kWinText + " [" + kDosText + "]";
  scratch.WriteFile(L"doc.txt", text);
  {
    Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
    q.MainWindow();
    ASSERT_TRUE(q.Text() == text);
    // DOS -> KOI -> WIN gives back the loaded bytes and is no edit.
    Do(q, ActionId::CodDOS);
    EXPECT_FALSE(q.Text() == text);
    Do(q, ActionId::CodKOI);
    Do(q, ActionId::CodWIN);
    EXPECT_TRUE(q.Text() == text);
    EXPECT_FALSE(ExitAsked(q));
  }
  {
    // Only the selected fragment is converted; that is an edit.
    Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
    q.MainWindow();
    int start = static_cast<int>(kWinText.size() * 2 + 3);
    q.Select(start, start + static_cast<int>(kDosText.size()));
    Do(q, ActionId::CodDOS);
    EXPECT_TRUE(q.Text() == kWinText + " " + kWinText + " [" + kWinText + "]");
    EXPECT_TRUE(ExitAsked(q));
  }
  {
    // Unsaved edits stay flagged across a switch of the view.
    Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
    q.MainWindow();
    q.Keys("ctrl+End");
    q.Type("x");
    Do(q, ActionId::CodKOI);
    EXPECT_TRUE(ExitAsked(q));
  }
}

TEST(FileCommands, NulBytesAreShownAsSpacesAfterAWarning) {
  Scratch scratch("nul");
  scratch.WriteFile(L"bin.dat", std::string("ab\0cd\0", 6));
  Quillo q(scratch, Quoted(scratch.Path(L"bin.dat")));
  q.MainWindow();
  HWND box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Quillo::MessageBoxText(box).find(L"bin.dat"), std::wstring::npos);
  Quillo::Press(box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return q.Text() == "ab cd "; }));
  EXPECT_FALSE(ExitAsked(q));
}

TEST(FileCommands, DotLogFilesGetATimeStampOnOpening) {
  struct Case {
    std::string firstLine;
    bool stamped;
  };
  for (const Case& c : {Case{".LOG", true}, Case{".log", false}}) {
    Scratch scratch("log");
    std::string bytes = c.firstLine + "\r\nentry";
    scratch.WriteFile(L"diary.txt", bytes);
    Quillo q(scratch, Quoted(scratch.Path(L"diary.txt")));
    q.MainWindow();
    std::string text = q.Text();
    if (c.stamped) {
      ASSERT_EQ(text.rfind(".LOG\r\n", 0), 0u) << text;
      size_t stampEnd = text.find("\r\n", 6);
      ASSERT_NE(stampEnd, std::string::npos);
      EXPECT_GT(stampEnd, 6u + 8u) << "a date and a time: " << text;
      EXPECT_EQ(text.substr(stampEnd), "\r\n\r\nentry");
    } else {
      EXPECT_EQ(text, bytes);
    }
    EXPECT_EQ(ExitAsked(q), c.stamped) << c.firstLine;
  }
}

TEST(FileCommands, UpdateRereadsKeepingTheCaretAndAsksAboutChanges) {
  Scratch scratch("update");
  scratch.WriteFile(L"doc.txt", "first\r\nsecond");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Select(8, 8);
  scratch.WriteFile(L"doc.txt", "FIRST\r\nSECOND\r\nthird");
  Do(q, ActionId::FileUpdate);
  EXPECT_EQ(q.Text(), "FIRST\r\nSECOND\r\nthird");
  EXPECT_EQ(q.Selection(), std::make_pair(8, 8));

  q.Type("x");
  scratch.WriteFile(L"doc.txt", "again");
  struct Answer {
    int button;
    const char* textAfter;
  };
  for (Answer a : {Answer{IDCANCEL, "FIRST\r\nSExCOND\r\nthird"}, Answer{IDOK, "again"}}) {
    Start(q, ActionId::FileUpdate);
    HWND box = q.WaitForMessageBox("Вопрос");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Quillo::MessageBoxText(box), W("Перечитать файл, не сохранив изменений?"));
    Quillo::Press(box, a.button);
    EXPECT_TRUE(WaitUntil([&] { return q.Text() == a.textAfter; })) << q.Text();
  }
  EXPECT_FALSE(ExitAsked(q));
}

TEST(FileCommands, FailedSaveKeepsTheDocumentModifiedWithItsName) {
  Scratch scratch("vanished");
  std::wstring folder = scratch.Path(L"sub");
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring path = folder + L"\\doc.txt";
  scratch.WriteFile(L"sub\\doc.txt", "text");
  Quillo q(scratch, Quoted(path));
  q.MainWindow();
  q.Keys("ctrl+End");
  q.Type("x");
  ASSERT_TRUE(DeleteFileW(path.c_str()));
  ASSERT_TRUE(RemoveDirectoryW(folder.c_str()));
  Start(q, ActionId::FileSave);
  HWND error = q.WaitForMessageBox("Ошибка");
  ASSERT_NE(error, nullptr);
  EXPECT_NE(Quillo::MessageBoxText(error).find(W("Не удалось записать файл")), std::wstring::npos);
  Quillo::Press(error, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return q.WaitForMessageBox("Ошибка", 0ms) == nullptr; }));
  EXPECT_EQ(q.Caption(), path + L" - Quillo");
  EXPECT_EQ(q.Text(), "textx");
  EXPECT_TRUE(ExitAsked(q));
}

TEST(FileCommands, SettingsWrittenAtExitAreReadAtTheNextStart) {
  Scratch scratch("settings");
  scratch.WriteSettings("");
  scratch.WriteFile(L"dos.txt", kDosText);
  {
    Quillo q(scratch);
    HWND main = q.MainWindow();
    SetWindowPos(main, nullptr, 40, 50, 520, 410, SWP_NOZORDER);
    Do(q, ActionId::CodAutoOpt);  // detection off
    EXPECT_FALSE(ExitAsked(q));
  }
  std::string ini = scratch.ReadFile(L"quillo.ini");
  for (const char* line : {"CodAutoOpt=0", "[View]", "WindowState=1", "Left=40", "Top=50",
                           "Width=520", "Height=410"})
    EXPECT_NE(ini.find(line), std::string::npos) << line << " missing in\n" << ini;
  {
    Quillo q(scratch, Quoted(scratch.Path(L"dos.txt")));
    HWND main = q.MainWindow();
    RECT rc{};
    GetWindowRect(main, &rc);
    EXPECT_EQ(rc.left, 40);
    EXPECT_EQ(rc.top, 50);
    EXPECT_EQ(rc.right - rc.left, 520);
    EXPECT_EQ(rc.bottom - rc.top, 410);
    // Without detection the file shows as Windows-1251, the default;
    // "Определить" then finds DOS-866, and that is no edit.
    EXPECT_TRUE(q.Text() == kDosText);
    Do(q, ActionId::CodAuto);
    EXPECT_TRUE(q.Text() == kWinText);
    EXPECT_FALSE(ExitAsked(q));
  }
}

TEST(FileCommands, AutoSaveFollowsTheExtensionListAndAMissingListIsAnEmptyOne) {
  struct Case {
    const char* list;  // null: no list file
    bool asked;
    const char* fileAfter;
  };
  for (const Case& c : {Case{nullptr, true, "old"}, Case{"bak\r\ntxt\r\n", false, "oldx"},
                        Case{"log\r\n", true, "old"}}) {
    Scratch scratch("autosave");
    scratch.WriteSettings("[Options]\r\nAutoSave=1\r\n");
    if (c.list) scratch.WriteFile(L"quillo.ext", c.list);
    scratch.WriteFile(L"doc.TXT", "old");
    Quillo q(scratch, Quoted(scratch.Path(L"doc.TXT")));
    q.MainWindow();
    q.Keys("ctrl+End");
    q.Type("x");
    EXPECT_EQ(ExitAsked(q), c.asked) << (c.list ? c.list : "no list");
    EXPECT_EQ(scratch.ReadFile(L"doc.TXT"), c.fileAfter);
  }
}

TEST(FileCommands, SaveAllSavesEveryWindowOfTheProgram) {
  Scratch scratch("save-all");
  scratch.WriteFile(L"a.txt", "a");
  scratch.WriteFile(L"b.txt", "b");
  // Each window is typed into before the next one comes up and takes the focus.
  Quillo qa(scratch, Quoted(scratch.Path(L"a.txt")));
  qa.MainWindow();
  qa.Keys("ctrl+End");
  qa.Type("1");
  ASSERT_EQ(qa.Text(), "a1");
  Quillo qb(scratch, Quoted(scratch.Path(L"b.txt")));
  qb.MainWindow();
  qb.Keys("ctrl+End");
  qb.Type("1");
  ASSERT_EQ(qb.Text(), "b1");
  Do(qa, ActionId::FileSaveAll);
  EXPECT_TRUE(WaitUntil([&] {
    return scratch.ReadFile(L"a.txt") == "a1" && scratch.ReadFile(L"b.txt") == "b1";
  }));
  EXPECT_FALSE(ExitAsked(qa));
  EXPECT_FALSE(ExitAsked(qb));
}

TEST(FileDialogs, SaveAsProposesTheFirstFreeNameAndAddsTxt) {
  Scratch scratch("save-as");
  scratch.WriteSettings("[Options]\r\ndlgPath=" + Narrow(scratch.Folder()) + "\r\n");
  scratch.WriteFile(L"noname.txt", "0");
  scratch.WriteFile(L"noname1.txt", "1");
  Quillo q(scratch);
  q.MainWindow();
  q.Type("new");
  Start(q, ActionId::FileSave);
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FileDialogName(dialog), L"noname2.txt");
  ChooseFile(dialog, scratch.Path(L"letter"));
  EXPECT_TRUE(WaitUntil([&] { return scratch.Exists(L"letter.txt"); }));
  EXPECT_EQ(scratch.ReadFile(L"letter.txt"), "new");
  EXPECT_TRUE(WaitUntil([&] { return q.Caption() == scratch.Path(L"letter.txt") + L" - Quillo"; }));
  EXPECT_FALSE(ExitAsked(q));
}

TEST(FileDialogs, SaveInDosWritesDosAndMoveDeletesOnlyAnotherFile) {
  Scratch scratch("save-in");
  scratch.WriteFile(L"doc.txt", kWinText);
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  Start(q, ActionId::FileSaveInDosCod);
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, scratch.Path(L"dos.txt"));
  EXPECT_TRUE(WaitUntil([&] { return scratch.Exists(L"dos.txt"); }));
  EXPECT_TRUE(scratch.ReadFile(L"dos.txt") == kDosText);
  // The document now lives in dos.txt as DOS-866.
  EXPECT_TRUE(WaitUntil([&] { return q.Caption() == scratch.Path(L"dos.txt") + L" - Quillo"; }));
  EXPECT_EQ(scratch.ReadFile(L"doc.txt"), kWinText);

  // A name that differs only in letter case is the same file: it stays.
  Start(q, ActionId::FileSaveUnderNewName);
  dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, scratch.Path(L"DOS.TXT"));
  if (HWND overwrite = WaitForOtherDialog(q.Pid(), dialog, 3s)) Quillo::Press(overwrite, IDYES);
  Sleep(500);
  EXPECT_TRUE(WaitUntil([&] { return WaitForFileDialog(q.Pid(), 0ms) == nullptr; }));
  EXPECT_TRUE(scratch.Exists(L"dos.txt"));
  EXPECT_TRUE(scratch.ReadFile(L"dos.txt") == kDosText);

  // Another name: the old file goes.
  Start(q, ActionId::FileSaveUnderNewName);
  dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, scratch.Path(L"moved.txt"));
  EXPECT_TRUE(WaitUntil([&] { return !scratch.Exists(L"dos.txt"); }));
  EXPECT_TRUE(scratch.ReadFile(L"moved.txt") == kDosText);
  EXPECT_FALSE(ExitAsked(q));
}

TEST(FileDialogs, SelectedTextOverAReadOnlyFileKeepsItReadOnlyAndAddToAppends) {
  Scratch scratch("sel-text");
  scratch.WriteFile(L"doc.txt", "hello world");
  scratch.WriteFile(L"ro.txt", "old");
  scratch.WriteFile(L"log.txt", "log");
  std::wstring ro = scratch.Path(L"ro.txt");
  SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_READONLY);
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Select(0, 5);
  Start(q, ActionId::FileSaveSelText);
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FileDialogName(dialog), L"noname.txt");
  ChooseFile(dialog, ro);
  if (HWND overwrite = WaitForOtherDialog(q.Pid(), dialog, 3s)) Quillo::Press(overwrite, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return scratch.ReadFile(L"ro.txt") == "hello"; }));
  EXPECT_TRUE(GetFileAttributesW(ro.c_str()) & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_NORMAL);

  Start(q, ActionId::FileAddTo);
  dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, scratch.Path(L"log.txt"));
  EXPECT_TRUE(WaitUntil([&] { return scratch.ReadFile(L"log.txt") == "log\r\nhello world"; }));
  EXPECT_FALSE(ExitAsked(q));
}

TEST(FileDialogs, InsertFromPutsTheFileBeforeTheCaretAsItIs) {
  Scratch scratch("insert-from");
  scratch.WriteFile(L"doc.txt", "hello world");
  // Taken byte for byte: no code-page conversion.
  scratch.WriteFile(L"part.txt", kDosText + "\r\n");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Select(6, 6);
  Start(q, ActionId::FileInsertFrom);
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, scratch.Path(L"part.txt"));
  EXPECT_TRUE(WaitUntil([&] { return q.Text() == "hello " + kDosText + "\r\nworld"; }));
  EXPECT_EQ(q.Selection(), std::make_pair(6, 6));
  EXPECT_TRUE(ExitAsked(q));
}

TEST(FileDialogs, OpenWithSeveralFilesOpensTheOthersInNewWindows) {
  Scratch scratch("open-many");
  scratch.WriteSettings("[Options]\r\ndlgPath=" + Narrow(scratch.Folder()) + "\r\n");
  scratch.WriteFile(L"a.txt", "first");
  scratch.WriteFile(L"b.txt", "second");
  Quillo q(scratch);
  q.MainWindow();
  Start(q, ActionId::FileOpen);
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, L"\"a.txt\" \"b.txt\"");
  EXPECT_TRUE(WaitUntil([&] { return q.Text() == "first"; }));
  std::wstring otherTitle = scratch.Path(L"b.txt") + L" - Quillo";
  HWND other = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND h : AllVisibleMainWindows()) {
      wchar_t caption[512] = {};
      GetWindowTextW(h, caption, 512);
      if (caption == otherTitle) other = h;
    }
    return other != nullptr;
  }));
  if (other) {
    PostMessageW(other, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(other); }));
  }
  EXPECT_FALSE(ExitAsked(q));
}

TEST(FileDialogs, CancellingTheSaveDialogAfterYesKeepsTheProgramRunning) {
  Scratch scratch("yes-cancel");
  Quillo q(scratch);
  q.MainWindow();
  q.Type("text");
  // Under load a typed key can still be on its way; one that came after the
  // close would go to the question box.
  ASSERT_TRUE(WaitUntil([&] { return q.Text() == "text"; }));
  q.Post(WM_CLOSE);
  HWND box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  Quillo::Press(box, IDYES);
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(q.WaitForExit(2s));
  EXPECT_EQ(q.Text(), "text");
  EXPECT_TRUE(ExitAsked(q));
}

TEST(FileDialogs, DeleteSendsTheFileAwayAndLeavesANewDocument) {
  Scratch scratch("delete");
  scratch.WriteFile(L"doc.txt", "text");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Keys("ctrl+End");
  q.Type("x");
  Start(q, ActionId::FileDelete);
  // The system asks before sending the file to the Recycle Bin.
  if (HWND confirm = WaitForOtherDialog(q.Pid(), nullptr, 5s)) Quillo::Press(confirm, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return !scratch.Exists(L"doc.txt"); }));
  EXPECT_TRUE(WaitUntil([&] { return q.Caption() == L"Quillo" && q.Text().empty(); }));
  EXPECT_FALSE(ExitAsked(q));
}

}  // namespace
}  // namespace quillo::e2e

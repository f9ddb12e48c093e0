// The file commands where they used to lose or garble text without a word:
// the overwrite question, saving a dotted name, moving, inserting a file with
// NUL bytes, "Сохранить все" and "Определить".
#include <gtest/gtest.h>

#include <vector>

#include "core/action_table.h"
#include "tests/e2e/file_dialog_driver.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

// "Привет мир" in Windows-1251 and DOS-866.
const std::string kWinText = "\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0";
const std::string kDosText = "\x8F\xE0\xA8\xA2\xA5\xE2 \xAC\xA8\xE0";

void Do(Quillo& q, ActionId id) { q.Send(WM_COMMAND, static_cast<WPARAM>(id)); }
void Start(Quillo& q, ActionId id) { q.Command(static_cast<UINT>(id)); }
TEST(DocumentFaults, TheOverwriteQuestionNamesTheFileReallyWritten) {
  struct Case {
    const char* story;
    ActionId command;
    const wchar_t* typed;
    const wchar_t* replaced;  // the existing file the typed name leads to
    std::vector<int> answers;
  };
  // "Сохранить в кодировке…" goes through "Сохранить как…"; the name rules
  // themselves are tested in the core.
  const Case cases[] = {
      {"Save As adds .txt", ActionId::FileSaveAs, L"letter", L"letter.txt", {IDNO, IDYES}},
      {"Move drops a leading dot", ActionId::FileSaveUnderNewName, L".env", L"env", {IDYES}},
  };
  for (const Case& c : cases) {
    Scratch scratch("overwrite");
    scratch.WriteFile(c.replaced, "old");
    scratch.WriteFile(L"doc.txt", "new");
    Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
    q.MainWindow();
    for (int answer : c.answers) {
      Start(q, c.command);
      HWND dialog = WaitForFileDialog(q.Pid());
      ASSERT_NE(dialog, nullptr) << c.story;
      ChooseFile(dialog, scratch.Path(c.typed));
      HWND question = q.WaitForMessageBox("Внимание");
      ASSERT_NE(question, nullptr) << c.story << ": no question before replacing " << U8(c.replaced);
      EXPECT_NE(Quillo::MessageBoxText(question).find(L"\"" + scratch.Path(c.replaced) + L"\""), std::wstring::npos)
          << c.story << ": " << U8(Quillo::MessageBoxText(question));
      Quillo::Press(question, answer);
      if (answer == IDNO) {
        // Back in the dialog, which can choose another name or give up.
        dialog = WaitForFileDialog(q.Pid());
        ASSERT_NE(dialog, nullptr) << c.story;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntil([&] { return WaitForFileDialog(q.Pid(), 0ms) == nullptr; })) << c.story;
        EXPECT_EQ(scratch.ReadFile(c.replaced), "old") << c.story;
      }
    }
    EXPECT_TRUE(WaitUntil([&] { return scratch.ReadFile(c.replaced) != "old"; })) << c.story;
    EXPECT_TRUE(WaitUntil([&] { return q.Caption() == scratch.Path(c.replaced) + L" - Quillo"; })) << c.story;
    EXPECT_FALSE(ExitAsked(q)) << c.story;
  }
}

TEST(DocumentFaults, SavingADottedFileDeletedMeanwhileWritesItsOwnName) {
  Scratch scratch("dotted");
  scratch.WriteFile(L".env", "A=1");
  Quillo q(scratch, Quoted(scratch.Path(L".env")));
  q.MainWindow();
  q.Keys("ctrl+End");
  q.Type("2");
  ASSERT_TRUE(DeleteFileW(scratch.Path(L".env").c_str()));
  Do(q, ActionId::FileSave);
  EXPECT_EQ(scratch.ReadFile(L".env"), "A=12");
  EXPECT_FALSE(scratch.Exists(L"env"));
  EXPECT_EQ(q.Caption(), scratch.Path(L".env") + L" - Quillo");
  EXPECT_FALSE(ExitAsked(q));
}

TEST(DocumentFaults, MoveThatCannotDeleteTheOldFileSaysSoAndLeavesItAsItWas) {
  Scratch scratch("move-held");
  scratch.WriteFile(L"old.txt", "text");
  std::wstring old = scratch.Path(L"old.txt");
  const DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
  SetFileAttributesW(old.c_str(), attributes);
  Quillo q(scratch, Quoted(old));
  q.MainWindow();
  // Another program reads the file and does not let it be deleted.
  HANDLE reader = CreateFileW(old.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  Start(q, ActionId::FileSaveUnderNewName);
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, scratch.Path(L"new.txt"));
  HWND notice = q.WaitForMessageBox("Внимание");
  ASSERT_NE(notice, nullptr) << "the failed deletion must be reported";
  std::wstring text = Quillo::MessageBoxText(notice);
  EXPECT_NE(text.find(old), std::wstring::npos) << U8(text);
  EXPECT_NE(text.find(scratch.Path(L"new.txt")), std::wstring::npos) << U8(text);
  Quillo::Press(notice, IDOK);
  CloseHandle(reader);
  EXPECT_EQ(scratch.ReadFile(L"new.txt"), "text");
  EXPECT_EQ(scratch.ReadFile(L"old.txt"), "text");
  EXPECT_EQ(GetFileAttributesW(old.c_str()) & attributes, attributes);
  EXPECT_TRUE(WaitUntil([&] { return q.Caption() == scratch.Path(L"new.txt") + L" - Quillo"; }));
  SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(ExitAsked(q));
}

TEST(DocumentFaults, InsertingAFileWithNulBytesWarnsAsOpeningDoes) {
  Scratch scratch("insert-nul");
  scratch.WriteFile(L"doc.txt", "[]");
  scratch.WriteFile(L"part.bin", std::string("a\0b", 3));
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  q.Select(1, 1);
  Start(q, ActionId::FileInsertFrom);
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, scratch.Path(L"part.bin"));
  HWND warning = q.WaitForMessageBox("Внимание");
  ASSERT_NE(warning, nullptr);
  EXPECT_NE(Quillo::MessageBoxText(warning).find(L"part.bin"), std::wstring::npos);
  Quillo::Press(warning, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return q.Text() == "[a b]"; })) << q.Text();
  EXPECT_TRUE(ExitAsked(q));
}

TEST(DocumentFaults, SaveAllLeavesFilesThatWereOnlyViewedAlone) {
  Scratch scratch("save-all-viewed");
  scratch.WriteFile(L"edited.txt", "a");
  const std::string utf16("\xFF\xFEt\0e\0x\0t\0", 10);
  scratch.WriteFile(L"viewed.txt", utf16);
  Quillo viewed(scratch, Quoted(scratch.Path(L"viewed.txt")));
  viewed.MainWindow();
  Quillo edited(scratch, Quoted(scratch.Path(L"edited.txt")));
  edited.MainWindow();
  edited.Keys("ctrl+End");
  edited.Type("1");
  Do(edited, ActionId::FileSaveAll);
  EXPECT_TRUE(WaitUntil([&] { return scratch.ReadFile(L"edited.txt") == "a1"; }));
  viewed.Send(WM_NULL);
  EXPECT_EQ(scratch.ReadFile(L"viewed.txt"), utf16);
  EXPECT_FALSE(ExitAsked(edited));
  EXPECT_FALSE(ExitAsked(viewed));
}

TEST(DocumentFaults, DetectingAgainKeepsADocumentShownCorrectly) {
  Scratch scratch("detect");
  scratch.WriteFile(L"dos.txt", kDosText);
  Quillo q(scratch, Quoted(scratch.Path(L"dos.txt")));
  q.MainWindow();
  ASSERT_TRUE(q.Text() == kWinText);
  Do(q, ActionId::CodAuto);
  EXPECT_TRUE(q.Text() == kWinText) << "detected again on the shown text";
  // From a wrong view, detection finds the file's code page again.
  Do(q, ActionId::CodKOI);
  ASSERT_FALSE(q.Text() == kWinText);
  Do(q, ActionId::CodAuto);
  EXPECT_TRUE(q.Text() == kWinText);
  EXPECT_FALSE(ExitAsked(q));
}

}  // namespace
}  // namespace quillo::e2e

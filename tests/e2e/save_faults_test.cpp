// Saving when the disk, the folder or the process fails, and saving through
// links: the file on disk holds its old or its new text, never a mix, and
// stays the file it was. Each case prints a row of the reliability table:
// what was on disk before, what is there after, how many bytes were lost.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "core/action_table.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/unix_tools.h"

namespace quillo::e2e {
namespace {

std::string Lines(size_t bytes) {
  std::string text;
  for (int n = 0; text.size() < bytes; ++n) text += "line " + std::to_string(n) + " of the old text\r\n";
  return text;
}

std::string Describe(const std::string& bytes, const std::string& before, const std::string& wanted) {
  std::string what = bytes == before ? "old text" : bytes == wanted ? "new text" : "neither";
  if (bytes == "<missing>") return "no file";
  return std::to_string(bytes.size()) + " bytes, " + what;
}

// One row of the reliability table; the bytes of the old text that are
// neither on disk nor replaced by the new text count as lost.
void Row(const char* fault, const std::string& before, const std::string& after, const std::string& wanted) {
  size_t lost = after == before || after == wanted ? 0 : before.size();
  std::printf("RELIABILITY | %s | %s | %s | %zu\n", fault, Describe(before, before, wanted).c_str(),
              Describe(after, before, wanted).c_str(), lost);
  std::fflush(stdout);
}

void Save(Quillo& q) { q.Command(static_cast<UINT>(ActionId::FileSave)); }

// Adds "x" at the end of the document.
void Change(Quillo& q) {
  q.Keys("ctrl+End");
  q.Type("x");
}

// The error box of a failed save, answered; its text.
std::wstring SaveError(Quillo& q) {
  HWND box = q.WaitForMessageBox("Ошибка");
  if (!box) return L"<no error box>";
  std::wstring text = Quillo::MessageBoxText(box);
  Quillo::Press(box, IDOK);
  WaitUntil([&] { return q.WaitForMessageBox("Ошибка", 0ms) == nullptr; });
  return text;
}

bool Saved(Quillo& q, const Scratch& scratch, std::wstring_view name, const std::string& text) {
  return WaitUntil([&] { return scratch.ReadFile(name) == text; }) && !ExitAsked(q);
}

DWORD LinkCount(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  BY_HANDLE_FILE_INFORMATION info{};
  GetFileInformationByHandle(f, &info);
  CloseHandle(f);
  return info.nNumberOfLinks;
}

bool TempFilesLeft(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\~quillo*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  return true;
}

TEST(SaveFaults, AFolderRemovedMeanwhileIsReportedAndTheFileMovedAwayIsUntouched) {
  Scratch scratch("gone");
  CreateDirectoryW(scratch.Path(L"sub").c_str(), nullptr);
  const std::string old = "old text";
  scratch.WriteFile(L"sub\\doc.txt", old);
  Quillo q(scratch, Quoted(scratch.Path(L"sub\\doc.txt")));
  q.MainWindow();
  Change(q);
  ASSERT_TRUE(MoveFileW(scratch.Path(L"sub").c_str(), scratch.Path(L"moved").c_str()));
  Save(q);
  EXPECT_NE(SaveError(q).find(W("Не удалось записать файл")), std::wstring::npos);
  EXPECT_EQ(scratch.ReadFile(L"moved\\doc.txt"), old);
  EXPECT_FALSE(scratch.Exists(L"sub"));
  EXPECT_EQ(q.Text(), old + "x");
  EXPECT_TRUE(ExitAsked(q)) << "the document must stay modified";
  Row("target folder removed", old, scratch.ReadFile(L"moved\\doc.txt"), old + "x");
}

TEST(SaveFaults, AFileLockedByAnotherProgramIsReportedAndUntouched) {
  Scratch scratch("locked");
  const std::string old = "old text";
  scratch.WriteFile(L"doc.txt", old);
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  Change(q);
  HANDLE other = CreateFileW(scratch.Path(L"doc.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  Save(q);
  EXPECT_NE(SaveError(q).find(W("Не удалось записать файл")), std::wstring::npos);
  CloseHandle(other);
  EXPECT_EQ(scratch.ReadFile(L"doc.txt"), old);
  EXPECT_FALSE(TempFilesLeft(scratch.Folder()));
  EXPECT_TRUE(ExitAsked(q));
  Row("target locked by another program", old, scratch.ReadFile(L"doc.txt"), old + "x");
}

TEST(SaveFaults, AReadOnlyFileSystemIsReportedAndTheFileIsUntouched) {
  Scratch scratch("ro-fs");
  CreateDirectoryW(scratch.Path(L"disk").c_str(), nullptr);
  SmallDisk disk(scratch.Path(L"disk"), 256);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs was refused (the test needs root)";
  const std::string old = Lines(4000);
  scratch.WriteFile(L"disk\\doc.txt", old);
  Quillo q(scratch, Quoted(scratch.Path(L"disk\\doc.txt")));
  q.MainWindow();
  Change(q);
  ASSERT_TRUE(disk.MakeReadOnly());
  Save(q);
  EXPECT_NE(SaveError(q).find(W("Не удалось записать файл")), std::wstring::npos);
  EXPECT_EQ(scratch.ReadFile(L"disk\\doc.txt"), old);
  EXPECT_TRUE(ExitAsked(q));
  Row("target read-only (file system mounted read-only)", old, scratch.ReadFile(L"disk\\doc.txt"), old + "x");
}

TEST(SaveFaults, AReadOnlyFileIsSavedAndStaysReadOnly) {
  Scratch scratch("ro-attr");
  const std::string old = "old text";
  scratch.WriteFile(L"doc.txt", old);
  std::wstring path = scratch.Path(L"doc.txt");
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  Quillo q(scratch, Quoted(path));
  q.MainWindow();
  Change(q);
  Save(q);
  EXPECT_TRUE(Saved(q, scratch, L"doc.txt", old + "x"));
  DWORD attributes = GetFileAttributesW(path.c_str());
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
  Row("target read-only (attribute)", old, scratch.ReadFile(L"doc.txt"), old + "x");
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SaveFaults, AFullDiskNeverTearsTheFile) {
  Scratch scratch("full");
  CreateDirectoryW(scratch.Path(L"disk").c_str(), nullptr);
  // Four pages of 4 KB: the document fills three, another file the fourth.
  SmallDisk disk(scratch.Path(L"disk"), 16);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs was refused (the test needs root)";
  std::string old = Lines(12000);
  old.append(12288 - old.size(), 'z');
  scratch.WriteFile(L"disk\\doc.txt", old);
  scratch.WriteFile(L"disk\\other.bin", std::string(4096, 'o'));
  ASSERT_EQ(scratch.ReadFile(L"disk\\doc.txt"), old) << "the small disk cannot hold the document";
  Quillo q(scratch, Quoted(scratch.Path(L"disk\\doc.txt")));
  q.MainWindow();
  Change(q);

  // One more byte needs a page that is not there.
  Save(q);
  EXPECT_NE(SaveError(q).find(W("Не удалось записать файл")), std::wstring::npos);
  EXPECT_EQ(scratch.ReadFile(L"disk\\doc.txt"), old);
  EXPECT_FALSE(TempFilesLeft(scratch.Path(L"disk")));
  Row("disk full, the new text does not fit", old, scratch.ReadFile(L"disk\\doc.txt"), old + "x");

  // A page is free: no room for a copy beside the file, room for the new text in place.
  ASSERT_TRUE(DeleteFileW(scratch.Path(L"disk\\other.bin").c_str()));
  Save(q);
  EXPECT_TRUE(Saved(q, scratch, L"disk\\doc.txt", old + "x"));
  EXPECT_FALSE(TempFilesLeft(scratch.Path(L"disk")));
  Row("disk full, the new text fits in place only", old, scratch.ReadFile(L"disk\\doc.txt"), old + "x");
}

TEST(SaveFaults, AProcessKilledWhileSavingLeavesTheOldOrTheNewText) {
  const std::string old = Lines(1 << 20);
  // The kill comes as soon as the temporary file appears; a try that comes
  // too early or too late is repeated (each must still leave a whole text).
  bool killedWhileWriting = false;
  for (int attempt = 0; attempt < 3 && !killedWhileWriting; ++attempt) {
    Scratch scratch("killed");
    scratch.WriteFile(L"big.txt", old);
    Quillo q(scratch, Quoted(scratch.Path(L"big.txt")));
    q.MainWindow();
    Change(q);
    Save(q);
    // Polled without a pause: the file is written in a few milliseconds.
    auto end = std::chrono::steady_clock::now() + 60s;
    while (!TempFilesLeft(scratch.Folder()) && q.Running() && std::chrono::steady_clock::now() < end) {
    }
    q.Kill();
    std::string after = scratch.ReadFile(L"big.txt");
    EXPECT_TRUE(after == old || after == old + "x") << "a mix of " << after.size() << " bytes";
    killedWhileWriting = TempFilesLeft(scratch.Folder()) && after == old;
    Row(killedWhileWriting ? "process killed while writing a 1 MB document"
                           : "process killed around the save of a 1 MB document",
        old, after, old + "x");
  }
  if (!killedWhileWriting) std::printf("note: no kill landed while the temporary file was being written\n");
}

TEST(SaveFaults, SavingThroughAHardLinkOrASymbolicLinkChangesTheFileBehindIt) {
  struct Case {
    const char* fault;
    bool symbolic;
  };
  for (const Case& c : {Case{"hard link saved through", false}, Case{"symbolic link saved through", true}}) {
    Scratch scratch("links");
    const std::string old = "old text";
    scratch.WriteFile(L"real.txt", old);
    std::wstring real = scratch.Path(L"real.txt"), link = scratch.Path(L"link.txt");
    if (c.symbolic) {
      ASSERT_EQ(RunUnix("ln -s real.txt " + ShellQuoted(UnixPath(link))), 0);
      ASSERT_TRUE(IsSymbolicLink(link));
    } else {
      ASSERT_TRUE(CreateHardLinkW(link.c_str(), real.c_str(), nullptr));
    }
    Quillo q(scratch, Quoted(link));
    q.MainWindow();
    Change(q);
    Save(q);
    EXPECT_TRUE(Saved(q, scratch, L"real.txt", old + "x")) << c.fault;
    EXPECT_EQ(scratch.ReadFile(L"link.txt"), old + "x") << c.fault;
    if (c.symbolic)
      EXPECT_TRUE(IsSymbolicLink(link)) << "the link must stay a link";
    else
      EXPECT_EQ(LinkCount(real), 2u) << "the names must stay one file";
    Row(c.fault, old, scratch.ReadFile(L"real.txt"), old + "x");
  }
}

TEST(SaveFaults, AFolderWithoutTheRightToCreateFilesStillSaves) {
  Scratch scratch("no-create");
  CreateDirectoryW(scratch.Path(L"sub").c_str(), nullptr);
  const std::string old = "old text";
  scratch.WriteFile(L"sub\\doc.txt", old);
  NoCreateFolder locked(scratch.Path(L"sub"));
  if (!locked.Active()) GTEST_SKIP() << "chattr +i was refused (the test needs root on ext4 or tmpfs)";
  Quillo q(scratch, Quoted(scratch.Path(L"sub\\doc.txt")));
  q.MainWindow();
  Change(q);
  Save(q);
  EXPECT_TRUE(Saved(q, scratch, L"sub\\doc.txt", old + "x"));
  EXPECT_FALSE(TempFilesLeft(scratch.Path(L"sub")));
  Row("folder without the right to create files", old, scratch.ReadFile(L"sub\\doc.txt"), old + "x");
}

}  // namespace
}  // namespace quillo::e2e

// Start-up when files fail: a start-up file that cannot be opened, a
// settings file that cannot be read or was never there, and the ways of
// naming a file that another window already holds.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "core/action_table.h"
#include "tests/e2e/file_dialog_driver.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

// Holds a file open the way another program's exclusive lock does.
class HeldFile {
 public:
  explicit HeldFile(const std::wstring& path)
      : h_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool Held() const { return h_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held()) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

void MakeSparseFile(const std::wstring& path, LONGLONG size) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  LARGE_INTEGER at{};
  at.QuadPart = size;
  EXPECT_TRUE(SetFilePointerEx(f, at, nullptr, FILE_BEGIN) && SetEndOfFile(f));
  CloseHandle(f);
}

struct BadStart {
  const char* story;
  // Prepares the scratch folder; gives the command line and the file the
  // error box must name.
  std::function<std::pair<std::wstring, std::wstring>(const Scratch&, std::unique_ptr<HeldFile>&)> setUp;
  bool createPrompt = false;
};

TEST(StartUpFaults, AFileThatCannotBeOpenedIsReportedAndTheProgramRunsEmpty) {
  const BadStart cases[] = {
      {"Yes to create a file in a folder that does not exist",
       [](const Scratch& s, auto&) {
         std::wstring path = s.Path(L"no_such_dir\\x.txt");
         return std::pair{Quoted(path), path};
       },
       true},
      {"a folder given as the file",
       [](const Scratch& s, auto&) {
         CreateDirectoryW(s.Path(L"folder").c_str(), nullptr);
         return std::pair{Quoted(s.Path(L"folder")), s.Path(L"folder")};
       }},
      {"a file locked by another program",
       [](const Scratch& s, auto& held) {
         s.WriteFile(L"locked.txt", "text");
         held = std::make_unique<HeldFile>(s.Path(L"locked.txt"));
         return std::pair{Quoted(s.Path(L"locked.txt")), s.Path(L"locked.txt")};
       }},
      {"a file over 2 GB",
       [](const Scratch& s, auto&) {
         MakeSparseFile(s.Path(L"huge.txt"), 2500LL << 20);
         return std::pair{Quoted(s.Path(L"huge.txt")), s.Path(L"huge.txt")};
       }},
      {"the last file, reopened at start, now locked",
       [](const Scratch& s, auto& held) {
         s.WriteFile(L"last.txt", "text");
         s.WriteSettings("[Options]\r\nStartOpenFile=1\r\nFileName=" + Cp1251(U8(s.Path(L"last.txt"))) + "\r\n");
         held = std::make_unique<HeldFile>(s.Path(L"last.txt"));
         return std::pair{std::wstring(), s.Path(L"last.txt")};
       }},
  };
  // The five programs run side by side: only posted messages drive them.
  struct Run {
    explicit Run(const BadStart& bad) : c(bad) {}
    const BadStart& c;
    std::unique_ptr<Scratch> scratch = std::make_unique<Scratch>("bad-start");
    std::unique_ptr<HeldFile> held;
    std::wstring file;
    std::unique_ptr<Quillo> q;
  };
  std::vector<Run> runs;
  for (const BadStart& c : cases) {
    Run& run = runs.emplace_back(c);
    auto [arguments, file] = c.setUp(*run.scratch, run.held);
    run.file = file;
    run.q = std::make_unique<Quillo>(*run.scratch, arguments);
  }
  for (Run& run : runs) {
    Quillo& q = *run.q;
    const char* story = run.c.story;
    if (run.c.createPrompt) {
      HWND prompt = q.WaitForMessageBox("Внимание");
      ASSERT_NE(prompt, nullptr) << story;
      Quillo::Press(prompt, IDYES);
    }
    HWND error = q.WaitForMessageBox("Ошибка");
    ASSERT_NE(error, nullptr) << story;
    EXPECT_NE(Quillo::MessageBoxText(error).find(L"\"" + run.file + L"\""), std::wstring::npos)
        << story << ": " << U8(Quillo::MessageBoxText(error));
    Quillo::Press(error, IDOK);
    ASSERT_NE(q.MainWindow(), nullptr) << story;
    EXPECT_TRUE(WaitUntil([&] { return q.WaitForMessageBox("Ошибка", 0ms) == nullptr; })) << story;
    EXPECT_EQ(q.Caption(), L"Quillo") << story;
    EXPECT_EQ(q.Text(), "") << story;
    q.Post(WM_CLOSE);
  }
  for (Run& run : runs) {
    EXPECT_TRUE(run.q->WaitForExit()) << run.c.story;
    // The file that failed is not the one to reopen next time.
    const Scratch& scratch = *run.scratch;
    EXPECT_EQ(scratch.ReadFile(scratch.Exists(L"quillo.ini") ? L"quillo.ini" : L"Quillo2.ini").find("FileName=C"),
              std::string::npos)
        << run.c.story;
  }
}

TEST(StartUpFaults, AFreshStartWritesOneSettingsFileInTheStartFolderWhereverTheDialogsWent) {
  Scratch scratch("fresh");
  CreateDirectoryW(scratch.Path(L"sub").c_str(), nullptr);
  Quillo q(scratch);
  q.MainWindow();
  q.Type("text");
  q.Command(static_cast<UINT>(ActionId::FileSaveAs));
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, scratch.Path(L"sub\\doc.txt"));
  ASSERT_TRUE(WaitUntil([&] { return scratch.ReadFile(L"sub\\doc.txt") == "text"; }));
  q.Keys("Escape");
  ASSERT_TRUE(q.WaitForExit());
  EXPECT_FALSE(scratch.Exists(L"sub\\Quillo2.ini"));
  EXPECT_FALSE(scratch.Exists(L"quillo.ini"));
  std::string ini = scratch.ReadFile(L"Quillo2.ini");
  for (const std::string line : {"DefCoding=WIN", "SaveSetCoding=1", "StartOpenFile=1", "MRU=19",
                                 "DefFileName=noname.txt", "TitleType=1"})
    EXPECT_NE(ini.find(line + "\r\n"), std::string::npos) << line << " missing in\n" << ini;
  EXPECT_NE(ini.find("FileName=" + Cp1251(U8(scratch.Path(L"sub\\doc.txt")))), std::string::npos) << ini;
}

TEST(StartUpFaults, AnUnreadableSettingsFileIsReportedOnceAndNotOverwritten) {
  Scratch scratch("locked-ini");
  const std::string settings = "[Options]\r\nTitleType=0\r\n[Find]\r\n0=искомое\r\n";
  scratch.WriteSettings(Cp1251(settings));
  scratch.WriteFile(L"doc.txt", "text");
  HeldFile held(scratch.SettingsFile());
  ASSERT_TRUE(held.Held());
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  HWND box = q.WaitForMessageBox("Внимание");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Quillo::MessageBoxText(box).find(scratch.SettingsFile()), std::wstring::npos)
      << U8(Quillo::MessageBoxText(box));
  Quillo::Press(box, IDOK);
  q.MainWindow();
  // Defaults: the title shows the full path.
  EXPECT_TRUE(WaitUntil([&] { return q.Caption() == scratch.Path(L"doc.txt") + L" - Quillo"; }));
  EXPECT_EQ(q.WaitForMessageBox("Внимание", 1s), nullptr) << "said once";
  held.Release();
  q.Keys("Escape");
  EXPECT_TRUE(q.WaitForExit());
  EXPECT_EQ(scratch.ReadFile(L"quillo.ini"), Cp1251(settings));
  EXPECT_FALSE(scratch.Exists(L"Quillo2.ini"));
}

TEST(StartUpFaults, EveryWayOfNamingAnOpenFileReachesTheWindowThatHoldsIt) {
  Scratch scratch("lock-names");
  const std::wstring name = L"long document name.txt";
  scratch.WriteFile(name, "text");
  const std::wstring full = scratch.Path(name);
  Quillo first(scratch, Quoted(full));
  ASSERT_NE(first.MainWindow(), nullptr);
  std::wstring slashes = full, upper = full;
  for (auto& ch : slashes)
    if (ch == L'\\') ch = L'/';
  CharUpperW(upper.data());
  wchar_t shortName[MAX_PATH] = {};
  GetShortPathNameW(full.c_str(), shortName, MAX_PATH);
  struct Variant {
    const char* what;
    std::wstring argument;
  };
  const Variant variants[] = {
      {"relative to the working directory", Quoted(name)},
      {"with forward slashes", Quoted(slashes)},
      {"in other letter case", Quoted(upper)},
      {"as its short 8.3 name", Quoted(shortName)},
  };
  for (const Variant& v : variants) {
    Quillo second(scratch, v.argument);
    EXPECT_TRUE(second.WaitForExit(10s)) << v.what << ": " << U8(v.argument);
    EXPECT_EQ(AllVisibleMainWindows().size(), 1u) << v.what;
  }
  EXPECT_NE(std::wstring(shortName), full) << "Wine gave no short name to test with";
  first.Keys("Escape");
  EXPECT_TRUE(first.WaitForExit());
}

}  // namespace
}  // namespace quillo::e2e

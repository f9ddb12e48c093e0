// The marks of the "Кодировка" commands and the save command's state, read
// in-process from the window's actions while it runs.
#include <gtest/gtest.h>

#include <thread>

#include "app/window/main_form.h"
#include "app/platform/ui_text.h"

namespace quillo {
namespace {

struct Marks {
  bool win, dos, koi, autoOpt, saveEnabled;
  bool operator==(const Marks&) const = default;
};

Marks Read(MainForm& form) {
  auto& a = form.Actions();
  a.TakeSnapshot();  // as a menu does when it opens
  return {a.State(ActionId::CodWIN).checked, a.State(ActionId::CodDOS).checked,
          a.State(ActionId::CodKOI).checked, a.State(ActionId::CodAutoOpt).checked,
          a.State(ActionId::FileSave).enabled};
}

std::string Describe(const Marks& m) {
  return std::string("win=") + (m.win ? "1" : "0") + " dos=" + (m.dos ? "1" : "0") +
         " koi=" + (m.koi ? "1" : "0") + " auto=" + (m.autoOpt ? "1" : "0") +
         " save=" + (m.saveEnabled ? "1" : "0");
}

BOOL CALLBACK AnswerNo(HWND hwnd, LPARAM) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (pid == GetCurrentProcessId() && std::wstring(cls) == L"#32770")
    PostMessageW(hwnd, WM_COMMAND, IDNO, 0);
  return TRUE;
}

TEST(CodePageMarks, FollowTheDocumentsCodePage) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"quillo-marks";
  CreateDirectoryW(folder.c_str(), nullptr);
  SetCurrentDirectoryW(folder.c_str());
  DeleteFileW((folder + L"\\Quillo2.ini").c_str());
  std::wstring file = folder + L"\\dos.txt";
  // "Привет мир" in DOS-866.
  const char dos[] = "\x8F\xE0\xA8\xA2\xA5\xE2 \xAC\xA8\xE0";
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD put = 0;
  WriteFile(h, dos, sizeof(dos) - 1, &put, nullptr);
  CloseHandle(h);

  MainForm form;
  std::vector<std::pair<std::string, std::string>> seen;  // step, marks
  std::thread inspector([&] {
    HWND main = nullptr;
    for (int i = 0; i < 300 && !(main = FindWindowW(kMainWindowClass, nullptr)); ++i) Sleep(20);
    if (!main) return;
    for (int i = 0; i < 300 && !IsWindowVisible(main); ++i) Sleep(20);
    Sleep(200);
    auto command = [&](ActionId id) { SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(id), 0); };
    seen.emplace_back("opened", Describe(Read(form)));
    command(ActionId::CodKOI);
    seen.emplace_back("KOI view", Describe(Read(form)));
    SendMessageW(form.Editor().Handle(), EM_SETSEL, 0, 3);
    command(ActionId::CodDOS);
    seen.emplace_back("selection converted", Describe(Read(form)));
    command(ActionId::CodAutoOpt);
    seen.emplace_back("detection off", Describe(Read(form)));
    PostMessageW(main, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && IsWindow(main); ++i) {
      Sleep(50);
      EnumWindows(AnswerNo, 0);
    }
  });
  form.Run(GetModuleHandleW(nullptr), {U16(file)});
  inspector.join();

  const std::pair<std::string, std::string> expected[] = {
      {"opened", "win=0 dos=1 koi=0 auto=1 save=0"},
      {"KOI view", "win=0 dos=0 koi=1 auto=1 save=0"},
      {"selection converted", "win=0 dos=0 koi=1 auto=1 save=1"},
      {"detection off", "win=0 dos=0 koi=1 auto=0 save=1"},
  };
  ASSERT_EQ(seen.size(), std::size(expected));
  for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], expected[i]);
  DeleteFileW(file.c_str());
  DeleteFileW((folder + L"\\Quillo2.ini").c_str());
}

}  // namespace
}  // namespace quillo

// "Настройки" driven from outside: its controls filled from the settings
// file and written back on "ОК", Cancel and the keyboard, another window
// taking the change in, the shell's associations made and given back, and
// the settings kept per user when the program's folder cannot be written.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>

#include "core/action_table.h"
#include "core/date_time_format.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/unix_tools.h"

namespace quillo::e2e {
namespace {

std::wstring Text(HWND control) {
  wchar_t buffer[512] = {};
  SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::wstring WithoutAmpersands(std::wstring text) {
  std::erase(text, L'&');
  return text;
}

// The dialog's controls with that caption (the '&' of a shortcut ignored),
// in the order they were made.
std::vector<HWND> Controls(HWND dialog, std::string_view caption) {
  struct Query {
    std::wstring caption;
    std::vector<HWND> found;
  } query{W(caption), {}};
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM lp) {
        auto* q = reinterpret_cast<Query*>(lp);
        if (WithoutAmpersands(Text(child)) == q->caption) q->found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}
HWND Control(HWND dialog, std::string_view caption) {
  std::vector<HWND> found = Controls(dialog, caption);
  EXPECT_EQ(found.size(), 1u) << "no single control " << caption;
  return found.empty() ? nullptr : found.front();
}
// A radio button of a group: the first control after the group box with
// that caption.
HWND InGroup(HWND dialog, std::string_view group, std::string_view caption) {
  for (HWND h = GetWindow(Control(dialog, group), GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
    if (WithoutAmpersands(Text(h)) == W(caption)) return h;
  ADD_FAILURE() << caption << " not in " << group;
  return nullptr;
}
// The box that follows its label.
HWND Edit(HWND dialog, std::string_view label) { return GetWindow(Control(dialog, label), GW_HWNDNEXT); }
HWND ListOf(HWND dialog, const wchar_t* cls) { return FindWindowExW(dialog, nullptr, cls, nullptr); }

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND button, bool on) { SendMessageW(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
void Click(HWND button) { PostMessageW(GetParent(button), WM_COMMAND, GetDlgCtrlID(button), reinterpret_cast<LPARAM>(button)); }
bool ListChecked(HWND list, int item) {
  return (SendMessageW(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

// Keys reach the window under the pointer (bare Xvfb); the dialog is
// centred on the main window.
void PointAt(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  RunXdotool(L"mousemove --sync " + std::to_wstring((rc.left + rc.right) / 2) + L" " +
             std::to_wstring((rc.top + rc.bottom) / 2));
}

HWND OpenDialog(Quillo& q) {
  q.MainWindow();
  q.Command(static_cast<UINT>(ActionId::Options));
  HWND dialog = q.WaitForMessageBox("Настройки");
  EXPECT_NE(dialog, nullptr) << "the settings dialog did not open";
  return dialog;
}
void Press(Quillo& q, HWND dialog, int button) {
  Quillo::Press(dialog, button);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog stayed";
  q.Send(WM_NULL);
}

bool Holds(const std::string& ini, std::string_view line) {
  return ini.find("\r\n" + std::string(line) + "\r\n") != std::string::npos ||
         ini.rfind(std::string(line), 0) == 0;
}

// A key of the current user's class keys, as the program writes them.
std::optional<std::wstring> UserClass(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t data[1024];
  DWORD size = sizeof(data);
  if (RegGetValueW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + key).c_str(), name, RRF_RT_REG_SZ, nullptr, data,
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}
void ForgetUserClass(const std::wstring& key) {
  RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + key).c_str());
}

TEST(SettingsDialog, FilledFromTheFileAndWrittenBackOnOk) {
  Scratch scratch("options");
  CreateDirectoryW(scratch.Path(L"file manager").c_str(), nullptr);
  const std::wstring manager = scratch.Path(L"file manager\\fm.exe");
  ASSERT_TRUE(CopyFileW(StandInExe().c_str(), manager.c_str(), FALSE));
  const std::string managerSetting = "\"" + U8(manager) + "\"";
  scratch.WriteSettings(
      "[Options]\r\nAutoSave=1\r\nMRU=9\r\nDefCoding=KOI\r\nSaveCoding=DOS\r\nSaveSetCoding=0\r\nTitleType=2\r\n"
      "Clipbrd+=0\r\nFSMenu=1\r\nStartOpenFile=0\r\n" + Cp1251("FileManager=" + managerSetting + "\r\n") +
      Cp1251("DefFileName=x.txt\r\n") + "[ReadOnly]\r\nBackground=$102030\r\nEnableOptions=1\r\n");
  scratch.WriteFile(L"quillo.ext", "log\r\nini\r\n");
  Quillo q(scratch);
  HWND dialog = OpenDialog(q);
  ASSERT_NE(dialog, nullptr);

  EXPECT_TRUE(IsChecked(Control(dialog, "Автосохранение изменений при закрытии документа")));
  EXPECT_EQ(Text(Edit(dialog, "Количество файлов в истории")), L"10");
  EXPECT_EQ(Text(Edit(dialog, "Путь к файловому менеджеру")), W(managerSetting));
  EXPECT_TRUE(IsChecked(InGroup(dialog, "Сохранять в кодировке", "DOS-866")));
  EXPECT_TRUE(IsChecked(InGroup(dialog, "Кодировка по умолчанию", "KOI8-R")));
  EXPECT_TRUE(IsChecked(Control(dialog, "Создавать новый документ")));
  EXPECT_TRUE(IsChecked(Control(dialog, "ReadMe.txt @C:\\Мои документы - Quillo")));
  EXPECT_FALSE(IsChecked(Control(dialog, "Расширенные возможности буфера обмена")));
  EXPECT_TRUE(IsChecked(Control(dialog, "Главное меню")));
  EXPECT_TRUE(IsChecked(Control(dialog, "Особые настройки")));
  EXPECT_EQ(Text(Edit(dialog, "Имя файла по умолчанию")), L"x.txt");
  EXPECT_EQ(Text(Edit(dialog, "Текущий шрифт")), L"Courier New, 12");
  EXPECT_EQ(SendMessageW(ListOf(dialog, WC_LISTVIEWW), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(ListOf(dialog, L"ListBox"), LB_GETCOUNT, 0, 0), 0) << "no plug-ins";
  Click(Control(dialog, "Открыть папку с надстройками..."));
  std::string record;
  EXPECT_TRUE(WaitUntil([&] {
    return scratch.Exists(L"file manager\\command_line.txt") &&
           (record = scratch.ReadFile(L"file manager\\command_line.txt")).find('\n') != std::string::npos;
  }));
  EXPECT_EQ(record.substr(record.find('\n') + 1), U8(scratch.Path(L"PlugIns")) + "\\\n") << record;

  SetChecked(Control(dialog, "Автосохранение изменений при закрытии документа"), false);
  SendMessageW(Edit(dialog, "Количество файлов в истории"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
  SetChecked(InGroup(dialog, "Кодировка по умолчанию", "KOI8-R"), false);
  SetChecked(InGroup(dialog, "Кодировка по умолчанию", "DOS-866"), true);
  SetChecked(Control(dialog, "ReadMe.txt @C:\\Мои документы - Quillo"), false);
  SetChecked(Control(dialog, "ReadMe.txt - Quillo"), true);
  SetChecked(Control(dialog, "Расширенные возможности буфера обмена"), true);
  SendMessageW(Edit(dialog, "Имя файла по умолчанию"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"y.txt"));
  Press(q, dialog, IDOK);

  std::string ini;
  ASSERT_TRUE(WaitUntil([&] { return Holds(ini = scratch.ReadFile(L"quillo.ini"), "DefFileName=y.txt"); }))
      << ini;
  for (const char* line : {"AutoSave=0", "MRU=19", "DefCoding=DOS", "SaveCoding=DOS", "SaveSetCoding=0",
                           "TitleType=0", "Clipbrd+=1", "FSMenu=1", "Background=$102030"})
    EXPECT_TRUE(Holds(ini, line)) << line << "\n" << ini;
  EXPECT_TRUE(Holds(ini, Cp1251("FileManager=" + managerSetting))) << ini;
  EXPECT_EQ(scratch.ReadFile(L"quillo.ext"), "ini\r\nlog\r\n") << "the list, sorted";
}

// Ctrl+Tab turns the pages, Tab leads from the page tabs to the first box,
// Space checks it, Esc cancels and Enter confirms.
TEST(SettingsDialog, KeyboardCancelChangesNothingAndEnterConfirms) {
  Scratch scratch("options-keys");
  const std::string ini = "[Options]\r\nAutoSave=0\r\n";
  scratch.WriteSettings(ini);
  Quillo q(scratch);
  PointAt(q.MainWindow());
  q.Keys("ctrl+alt+o");
  HWND dialog = q.WaitForMessageBox("Настройки");
  ASSERT_NE(dialog, nullptr);
  RunXdotool(L"key --delay 60 ctrl+Tab");
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(Control(dialog, "Пункт \"Открыть в Quillo'е\"")); }, 3s))
      << "Ctrl+Tab turns to the next page";
  RunXdotool(L"key --delay 60 ctrl+shift+Tab Tab space");
  EXPECT_TRUE(WaitUntil([&] { return IsChecked(Control(dialog, "Автосохранение изменений при закрытии документа")); }, 3s));
  RunXdotool(L"key Escape");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  q.Send(WM_NULL);
  EXPECT_EQ(scratch.ReadFile(L"quillo.ini"), ini);

  q.Keys("ctrl+alt+o");
  dialog = q.WaitForMessageBox("Настройки");
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsChecked(Control(dialog, "Автосохранение изменений при закрытии документа")));
  RunXdotool(L"key --delay 60 Tab space Return");
  EXPECT_TRUE(WaitUntil([&] { return Holds(scratch.ReadFile(L"quillo.ini"), "AutoSave=1"); }));
}

int RowHeight(HWND editor) {
  LRESULT first = SendMessageW(editor, EM_POSFROMCHAR, 0, 0);
  LRESULT second = SendMessageW(editor, EM_POSFROMCHAR, SendMessageW(editor, EM_LINEINDEX, 1, 0), 0);
  return static_cast<short>(HIWORD(second)) - static_cast<short>(HIWORD(first));
}

TEST(SettingsDialog, AnotherWindowTakesInTheFontAndWordWrap) {
  Scratch scratch("options-two");
  scratch.WriteSettings("[Options]\r\nWordWrap=0\r\n[Font1]\r\nName=Arial\r\nSize=28\r\n");
  std::string text;
  for (int i = 0; i < 20; ++i) text += std::string(300, 'w') + " " + std::string(300, 'x') + "\r\n";
  scratch.WriteFile(L"doc.txt", text);
  Quillo first(scratch);
  Quillo second(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  HWND editor = second.Editor();
  ASSERT_EQ(SendMessageW(editor, EM_GETLINECOUNT, 0, 0), 21);
  const int rowBefore = RowHeight(editor);
  // A choice of this window that the file does not hold yet.
  second.Command(static_cast<UINT>(ActionId::TextDate3));

  first.Command(static_cast<UINT>(ActionId::OptWordWrap));
  first.Command(static_cast<UINT>(ActionId::OptFont1));
  HWND dialog = OpenDialog(first);
  ASSERT_NE(dialog, nullptr);
  Press(first, dialog, IDOK);

  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(editor, EM_GETLINECOUNT, 0, 0) > 21; }))
      << "word wrap\n" << scratch.ReadFile(L"quillo.ini");
  EXPECT_GT(RowHeight(editor), rowBefore * 3 / 2) << "the bigger font";

  second.Select(0, 0);
  second.Send(WM_COMMAND, static_cast<UINT>(ActionId::TextDate));
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string date3 = FormatDateText(3, {now.wYear, now.wMonth, now.wDay, 0, 0, 0});
  EXPECT_EQ(second.Text().substr(0, 2 * date3.size()), date3 + date3) << "the window's own date format stays";
}

TEST(SettingsDialog, AssociatesTxtAndLogAndGivesThemBack) {
  for (const wchar_t* key : {L".txt", L".log", L"Quillo2_txt", L"Quillo2_log", L"Quillo2BackUp", L"*\\Shell\\OpenWithQuillo"})
    ForgetUserClass(key);
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Classes\\.txt", nullptr, REG_SZ, L"OtherEditor.Text",
                            sizeof(L"OtherEditor.Text")),
            ERROR_SUCCESS);
  Scratch scratch("options-shell");
  scratch.WriteFile(L"quillo.ext", "txt\r\nlog\r\n");
  Quillo q(scratch);
  HWND dialog = OpenDialog(q);
  ASSERT_NE(dialog, nullptr);
  Click(Control(dialog, "Отметить все"));
  SetChecked(Control(dialog, "Пункт \"Открыть в Quillo'е\""), true);
  Press(q, dialog, IDOK);

  EXPECT_EQ(UserClass(L".txt"), L"Quillo2_txt");
  EXPECT_EQ(UserClass(L".log"), L"Quillo2_log");
  EXPECT_EQ(UserClass(L"Quillo2BackUp", L"txt"), L"OtherEditor.Text");
  EXPECT_EQ(UserClass(L"Quillo2_log"), W("log-файл"));
  EXPECT_EQ(UserClass(L".txt\\ShellNew", L"NullFile"), L"");
  EXPECT_EQ(UserClass(L".log\\ShellNew", L"NullFile"), std::nullopt);
  EXPECT_EQ(UserClass(L"Quillo2_txt\\shell\\open\\command"), scratch.Exe() + L" \"%1\"");
  EXPECT_NE(UserClass(L"*\\Shell\\OpenWithQuillo\\Command"), std::nullopt);
  wchar_t appPath[1024];
  DWORD size = sizeof(appPath);
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Quillo.exe",
                         nullptr, RRF_RT_REG_SZ, nullptr, appPath, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(appPath), L"\"" + scratch.Exe() + L"\"") << "per user, after the save";

  dialog = OpenDialog(q);
  ASSERT_NE(dialog, nullptr);
  HWND list = ListOf(dialog, WC_LISTVIEWW);
  EXPECT_TRUE(ListChecked(list, 0) && ListChecked(list, 1)) << "read back as associated";
  EXPECT_TRUE(IsChecked(Control(dialog, "Пункт \"Открыть в Quillo'е\"")));
  Click(Control(dialog, "Сбросить все"));
  SetChecked(Control(dialog, "Пункт \"Открыть в Quillo'е\""), false);
  Press(q, dialog, IDOK);

  EXPECT_EQ(UserClass(L".txt"), L"OtherEditor.Text");
  EXPECT_EQ(UserClass(L".log"), std::nullopt);
  EXPECT_EQ(UserClass(L"Quillo2_txt"), std::nullopt);
  EXPECT_EQ(UserClass(L".txt\\ShellNew", L"NullFile"), std::nullopt);
  EXPECT_EQ(UserClass(L"*\\Shell\\OpenWithQuillo"), std::nullopt);
  ForgetUserClass(L".txt");
}

std::wstring PerUserSettingsFile() {
  wchar_t appData[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  return std::wstring(appData) + L"\\Quillo\\Quillo2.ini";
}

// A program installed where it cannot write (a read-only disk here) keeps
// its settings in the user's own file, without an error at exit.
TEST(SettingsFile, ProgramInAReadOnlyFolderKeepsItsSettingsPerUser) {
  Scratch scratch("options-ro");
  const std::wstring folder = scratch.Path(L"ro");
  CreateDirectoryW(folder.c_str(), nullptr);
  SmallDisk disk(folder, 16384);
  if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small disk here";
  const std::wstring exe = folder + L"\\quillo.exe";
  ASSERT_TRUE(CopyFileW(scratch.Exe().c_str(), exe.c_str(), FALSE));
  scratch.WriteFile(L"ro\\quillo.ini", "[Options]\r\nTitleType=0\r\n");
  ASSERT_TRUE(disk.MakeReadOnly());
  DeleteFileW(PerUserSettingsFile().c_str());
  {
    Quillo q(exe, L"", folder);
    PointAt(q.MainWindow());
    q.Keys("ctrl+w");
    q.Keys("Escape");
    EXPECT_TRUE(q.WaitForExit()) << "no error box at exit";
  }
  std::string perUser;
  {
    HANDLE file = CreateFileW(PerUserSettingsFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "no per-user settings file";
    char buffer[65536];
    DWORD got = 0;
    ReadFile(file, buffer, sizeof(buffer), &got, nullptr);
    CloseHandle(file);
    perUser.assign(buffer, got);
  }
  EXPECT_TRUE(Holds(perUser, "WordWrap=0")) << perUser;
  EXPECT_TRUE(Holds(perUser, "TitleType=0")) << "started from the settings beside the program\n" << perUser;
  DeleteFileW(PerUserSettingsFile().c_str());
}

}  // namespace
}  // namespace quillo::e2e

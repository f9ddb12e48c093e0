// Plug-ins in the running program: the probe test plug-in, the faulting test
// plug-ins and the SDK's samples, loaded from the folder "PlugIns" beside a
// copy of the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/plugin_driver.h"

namespace quillo::e2e {
namespace {

constexpr UINT kQmFileNew = WM_USER + 501;
constexpr UINT kQmFileSave = WM_USER + 505;
constexpr UINT kQmBackground = WM_USER + 535;

// The lines of one menu of the probe's menu-bar dump: "bar <title>" and
// every line under it up to the next top-level menu.
std::vector<std::string> MenuBlock(const std::vector<std::string>& lines, const std::string& title) {
  std::vector<std::string> block;
  bool inside = false;
  for (const std::string& line : lines) {
    if (line.rfind("bar ", 0) != 0) continue;
    const bool topLevel = line.size() > 4 && line[4] != '-';
    if (topLevel) inside = line == "bar " + title;
    else if (inside) block.push_back(line.substr(4));
  }
  return block;
}

// Presses OK on every "Ошибка" box that shows within the wait; their texts.
std::vector<std::string> DismissErrorBoxes(Quillo& q, Duration firstWait) {
  std::vector<std::string> texts;
  Duration wait = firstWait;
  while (HWND box = q.WaitForMessageBox("Ошибка", wait)) {
    texts.push_back(U8(Quillo::MessageBoxText(box)));
    Quillo::Press(box, IDOK);
    WaitUntil([&] { return !IsWindow(box); }, 5s);
    wait = 400ms;
  }
  return texts;
}

bool AnyContains(const std::vector<std::string>& texts, std::string_view part) {
  for (const std::string& t : texts)
    if (t.find(part) != std::string::npos) return true;
  return false;
}

// Closes the program; a save question, if one comes, is answered No.
void ExitDiscarding(Quillo& q) {
  q.Post(WM_CLOSE);
  HWND question = nullptr;
  WaitUntil([&] { return !q.Running() || (question = q.WaitForMessageBox("Внимание", 0ms)) != nullptr; });
  if (question) Quillo::Press(question, IDNO);
  EXPECT_TRUE(q.WaitForExit());
}

TEST(PlugIns, MenuItemsAddedInsertedModifiedDeletedUnderEveryParent) {
  Scratch scratch("plugin-menus");
  InstallPlugin(scratch, L"probe_plugin.dll", L"probe.dll");
  Quillo q(scratch);
  q.MainWindow();
  ProbeJournal probe(scratch, L"probe");
  ASSERT_TRUE(probe.WaitFor("started"));
  EXPECT_TRUE(probe.Has("filename (null) length 0"));
  EXPECT_TRUE(probe.Has("version 2.0 build 0"));
  EXPECT_TRUE(probe.Has("registered 1 stranger 0")) << "a handle of no plug-in registers nothing";
  // Indices 0 and 1, then 2 after a delete: an index is never reused.
  EXPECT_TRUE(probe.Has("add 0 1"));
  EXPECT_TRUE(probe.Has("delete 0 1"));
  EXPECT_TRUE(probe.Has("add 2 insert 3"));
  EXPECT_TRUE(probe.Has("modify 1 deleted 0 negative 0 beyond 0"));
  EXPECT_TRUE(probe.Has("submenu 4 5 delete parent 0 child 1 parent 1"))
      << "a parent cannot go while it has a sub-item";
  EXPECT_TRUE(probe.Has("state checked 1 0 enabled 0 1 deleted 0 0"));
  for (int parent = -1; parent >= -21; --parent)
    EXPECT_EQ(probe.Number("parent " + std::to_string(parent) + " item "), 8 - parent - 1) << parent;
  EXPECT_TRUE(probe.Has("invalid parents -1 -1 -1"));

  q.Post(WM_COMMAND, PluginItemCommand(probe.Number("item dump ")));
  ASSERT_TRUE(probe.WaitFor("bar Проба 8")) << "-8 is a menu of its own on the bar";
  std::vector<std::string> lines = probe.Lines();
  EXPECT_EQ(MenuBlock(lines, "Надстройки"),
            (std::vector<std::string>{"--Вставленный [g]", "--Изменённый\tShift+Ctrl+K", "--Третий [c]",
                                      "--Подменю", "----Дочерний\tShift+Alt+F6", "--Проба 5", "--Снимок меню",
                                      "--Текст", "--Шрифт", "--Фон", "--Имя файла"}));
  EXPECT_EQ(MenuBlock(lines, "Файл").back(), "--Проба 1");
  EXPECT_EQ(MenuBlock(lines, "Правка").back(), "--Проба 2");
  EXPECT_EQ(MenuBlock(lines, "Текст").back(), "--Проба 4");
  EXPECT_EQ(MenuBlock(lines, "Вид").back(), "--Проба 6");
  EXPECT_EQ(MenuBlock(lines, "?").back(), "--Проба 7");
  std::vector<std::string> text = MenuBlock(lines, "Текст");
  EXPECT_NE(std::find(text.begin(), text.end(), "----Проба 3"), text.end()) << "-3 is \"Кодировка\"";

  // The editor's context menu (-9) as it opens.
  q.Post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(q.Editor()), -1);
  EXPECT_TRUE(probe.WaitFor("popup Проба 9"));
  q.Post(WM_CANCELMODE);
  q.Kill();  // the exit with plug-ins is another test's
}

TEST(PlugIns, NotificationsKeysAndAShortcutInOrder) {
  Scratch scratch("plugin-events");
  scratch.WriteFile(L"doc.txt", "text");
  InstallPlugin(scratch, L"probe_plugin.dll", L"probe.dll");
  const std::string path = U8(scratch.Path(L"doc.txt"));
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  ProbeJournal probe(scratch, L"probe");
  ASSERT_TRUE(probe.WaitFor("open " + path));
  q.Select(4, 4);
  q.Type("x");
  // The key's release comes from the X server in its own time.
  ASSERT_TRUE(probe.WaitFor("keyup 88 shift 0"));
  // A Cyrillic character reaches plug-ins in Windows-1251.
  PostMessageW(q.Editor(), WM_CHAR, L'ж', 1);
  ASSERT_TRUE(probe.WaitFor("keypress ж"));
  q.Keys("ctrl+shift+k");
  ASSERT_TRUE(probe.WaitFor("menu 1 shift 3")) << "the plug-in item's shortcut";
  EXPECT_EQ(q.Send(kQmFileSave), 1);
  EXPECT_EQ(scratch.ReadFile(L"doc.txt"), Cp1251("textxж"));
  EXPECT_EQ(q.Send(kQmFileNew), 1);

  int at = probe.Find("open " + path);
  for (const char* line : {"keydown 88 shift 0", "keypress x", "change", "keyup 88 shift 0", "keypress ж",
                           "change", "keydown 17 shift 2",
                           "keydown 16 shift 3", "keydown 75 shift 3", "menu 1 shift 3"}) {
    int next = probe.Find(line, at);
    EXPECT_GT(next, at) << line;
    if (next > at) at = next;
  }
  EXPECT_TRUE(probe.Has("keyup 75 shift 0"));
  EXPECT_GT(probe.Find("save " + path, at), at);
  EXPECT_GT(probe.Find("close", at), at);

  // An exit cancelled at the save question: notifications go on.
  q.Type("y");
  q.Keys("Escape");
  HWND question = q.WaitForMessageBox("Внимание");
  ASSERT_TRUE(question);
  Quillo::Press(question, IDCANCEL);
  WaitUntil([&] { return !IsWindow(question); });
  at = static_cast<int>(probe.Lines().size());
  q.Type("z");
  EXPECT_TRUE(probe.WaitFor("keypress z"));
  EXPECT_GT(probe.Find("change", at), at);
  // While the program closes only the document's closing is told.
  at = static_cast<int>(probe.Lines().size());
  q.Keys("Escape");
  question = q.WaitForMessageBox("Внимание");
  ASSERT_TRUE(question);
  Quillo::Press(question, IDNO);
  EXPECT_TRUE(q.WaitForExit());
  std::vector<std::string> lines = probe.Lines();
  EXPECT_EQ(std::vector<std::string>(lines.begin() + at, lines.end()),
            (std::vector<std::string>{"keydown 27 shift 0", "close"}));
  if (HasFailure()) ADD_FAILURE() << probe.Text();
}

TEST(PlugIns, AFailingStartIsDroppedWithItsItemsWhileTheOtherPlugInWorks) {
  Scratch scratch("plugin-fails");
  InstallPlugin(scratch, L"probe_plugin.dll", L"a_fails.dll");
  InstallPlugin(scratch, L"probe_plugin.dll", L"b_probe.dll");
  InstallPlugin(scratch, L"probe_plugin.dll", L"c_probe.dll");
  // What cannot be started at all is dropped without a word: a folder named
  // like a library, a file that is no library, a library of the other
  // architecture (when the 32-bit build is there).
  CreateDirectoryW(scratch.Path(L"PlugIns\\folder.dll").c_str(), nullptr);
  scratch.WriteFile(L"PlugIns\\junk.dll", "MZ but not a library");
  const std::wstring x86 = Built32BitSample(L"menu_items.dll");
  const bool haveX86 = GetFileAttributesW(x86.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (haveX86) CopyFileW(x86.c_str(), scratch.Path(L"PlugIns\\x86.dll").c_str(), FALSE);
  Quillo q(scratch);
  q.MainWindow();
  ProbeJournal failed(scratch, L"a_fails");
  ProbeJournal probe(scratch, L"b_probe");
  ASSERT_TRUE(probe.WaitFor("started")) << probe.Text() << "\n" << failed.Text();
  EXPECT_TRUE(failed.Has("execute"));
  EXPECT_GE(failed.Number("item "), 0);
  q.Post(WM_COMMAND, PluginItemCommand(probe.Number("item dump ")));
  ASSERT_TRUE(probe.WaitFor("bar Проба 8"));
  std::vector<std::string> plugIns = MenuBlock(probe.Lines(), "Надстройки");
  EXPECT_EQ(std::find(plugIns.begin(), plugIns.end(), "--От упавшего модуля"), plugIns.end());
  EXPECT_EQ(plugIns.size(), 22u) << "the items of b and c";
  EXPECT_FALSE(q.WaitForMessageBox("", 0ms)) << "no message about the libraries that failed";
  if (!haveX86) std::printf("(no 32-bit build: the other architecture is not tried)\n");
  // The failed library registered a key callback before it faulted; it is
  // gone with the library.
  q.Type("q");
  EXPECT_TRUE(probe.WaitFor("keydown 81 shift 0"));
  EXPECT_EQ(failed.Find("keydown 81 shift 0"), -1);
  ExitDiscarding(q);

  // Every start before the failed library goes; the others are unloaded
  // in the order they started, once the window (which b and c watch) is
  // gone.
  std::string order = scratch.ReadFile(L"PlugIns\\order.log");
  auto pos = [&](const char* line) { return order.find(line); };
  for (const char* line : {"a_fails.dll started", "b_probe.dll started", "c_probe.dll started"})
    EXPECT_LT(pos(line), pos("a_fails.dll unloaded")) << order;
  EXPECT_LT(pos("a_fails.dll unloaded"), pos("b_probe.dll window destroyed")) << order;
  EXPECT_LT(pos("c_probe.dll window destroyed"), pos("b_probe.dll unloaded")) << order;
  EXPECT_LT(pos("b_probe.dll window destroyed"), pos("c_probe.dll unloaded")) << order;
  EXPECT_EQ(pos("b_probe.dll started") < pos("c_probe.dll started"),
            pos("b_probe.dll unloaded") < pos("c_probe.dll unloaded"))
      << order;
}

TEST(PlugIns, FaultingNotificationsAndMenuItemLeaveTheDocumentToSave) {
  Scratch scratch("plugin-faults");
  scratch.WriteFile(L"doc.txt", "start");
  InstallPlugin(scratch, L"noisy_plugin.dll", L"a_noisy.dll");
  InstallPlugin(scratch, L"probe_plugin.dll", L"b_probe.dll");
  Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
  q.MainWindow();
  ProbeJournal probe(scratch, L"b_probe");
  ASSERT_TRUE(probe.WaitFor("started"));

  // Opening the file changed the text, and its change callback throws; each
  // key then faults in its key callback. Every fault is reported; the third
  // stops its notifications, with one message saying so.
  std::vector<std::string> boxes = DismissErrorBoxes(q, 5s);
  EXPECT_TRUE(AnyContains(boxes, "Модуль «a_noisy.dll»")) << (boxes.empty() ? "no box" : boxes.front());
  EXPECT_TRUE(AnyContains(boxes, "изменение текста"));
  q.Select(5, 5);
  for (const char* key : {"a", "b"}) {
    q.Type(key);
    for (std::string& text : DismissErrorBoxes(q, 1500ms)) boxes.push_back(std::move(text));
  }
  EXPECT_TRUE(AnyContains(boxes, "при обработке события «нажатие клавиши»: нарушение доступа к памяти (C0000005)."));
  EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(),
                          [](const std::string& t) { return t.find("больше не получает уведомлений") != t.npos; }),
            1);
  q.Type("c");
  EXPECT_TRUE(DismissErrorBoxes(q, 700ms).empty()) << "stopped";
  // The plug-in after it got every key.
  for (const char* line : {"keydown 65 shift 0", "keydown 66 shift 0", "keydown 67 shift 0"})
    EXPECT_TRUE(probe.Has(line)) << line;
  EXPECT_EQ(q.Text(), "startabc");

  // Its menu item overflows the stack: the Part's message, twice over.
  const int noisyItem = probe.Has("add 0 1") ? probe.Number("item filename ") + 1 : 0;
  for (int round = 0; round < 2; ++round) {
    q.Post(WM_COMMAND, PluginItemCommand(noisyItem));
    EXPECT_EQ(DismissErrorBoxes(q, 5s), std::vector<std::string>{"Ошибка выполнения модуля."}) << round;
  }
  EXPECT_EQ(q.Send(kQmFileSave), 1);
  EXPECT_EQ(scratch.ReadFile(L"doc.txt"), "startabc");
  q.Keys("Escape");
  EXPECT_TRUE(q.WaitForExit());
}

TEST(PlugIns, HostTextFontAndBackground) {
  Scratch scratch("plugin-host");
  InstallPlugin(scratch, L"probe_plugin.dll", L"probe.dll");
  Quillo q(scratch);
  q.MainWindow();
  ProbeJournal probe(scratch, L"probe");
  ASSERT_TRUE(probe.WaitFor("started"));

  q.Post(WM_COMMAND, PluginItemCommand(probe.Number("item text ")));
  ASSERT_TRUE(probe.WaitFor("text document ноль|два три четыре"));
  EXPECT_TRUE(probe.Has("text caret 2 1 modified 1 length 20")) << probe.After("text caret ");
  EXPECT_TRUE(probe.Has("text selected один"));
  EXPECT_TRUE(probe.Has("text after insert start 4 length 0 word ноль")) << probe.After("text after insert ");
  ASSERT_TRUE(probe.WaitFor("update end"));
  const int begin = probe.Find("update begin");
  EXPECT_EQ(probe.Find("update inner end"), begin + 1) << "nothing told inside";
  EXPECT_EQ(probe.Find("change", begin), begin + 2) << "told once, at the end";
  EXPECT_EQ(probe.Find("update end"), begin + 3);
  EXPECT_EQ(q.Text(), Cp1251("ноль12\r\nдва три четыре"));

  q.Post(WM_COMMAND, PluginItemCommand(probe.Number("item font ")));
  ASSERT_TRUE(WaitUntil([&] { return !probe.After("font after ").empty(); }, 10s));
  EXPECT_EQ(probe.After("font again "), probe.After("font before ")) << "GetFont, SetFont, GetFont";
  const std::string after = probe.After("font after ");
  EXPECT_EQ(after.rfind("Arial 14 ", 0), 0u) << after;
  EXPECT_NE(after.find(" $FF0000 "), std::string::npos) << after;
  EXPECT_EQ(after.substr(after.size() - 5), " 1000") << after;
  EXPECT_TRUE(probe.Has("background FFFFFF")) << "a white editor";

  const UINT background = PluginItemCommand(probe.Number("item background "));
  q.Post(WM_COMMAND, background);
  ASSERT_TRUE(probe.WaitFor("background after green 00FF00"));
  EXPECT_TRUE(probe.Has("background after bad text 000000"));
  EXPECT_EQ(q.Send(kQmBackground, 1, RGB(255, 0, 0)), 0);
  q.Post(WM_COMMAND, background);
  EXPECT_TRUE(probe.WaitFor("background FF0000")) << "the command message's colour";
  q.Kill();  // the exit with plug-ins is another test's
}

TEST(PlugIns, SampleMenuItemsCallbacksAndCommands) {
  {
    Scratch scratch("sample-menus");
    InstallPlugin(scratch, L"menu_items.dll", L"menu_items.dll");
    Quillo q(scratch);
    q.MainWindow();
    q.Keys("ctrl+alt+h");
    HWND box = q.WaitForMessageBox("Пример меню");
    ASSERT_TRUE(box) << "the sample's shortcut";
    EXPECT_NE(U8(Quillo::MessageBoxText(box)).find("Нажатые клавиши: Ctrl Alt."), std::string::npos)
        << U8(Quillo::MessageBoxText(box));
    Quillo::Press(box, IDOK);
    q.Kill();
  }
  {
    Scratch scratch("sample-callbacks");
    InstallPlugin(scratch, L"callbacks.dll", L"callbacks.dll");
    Quillo q(scratch);
    q.MainWindow();
    q.Type("x");
    // The key's release comes from the X server in its own time: wait until
    // the program has taken it, then let it reach the plug-in.
    EXPECT_TRUE(WaitUntil([&] { return q.Text() == "x"; }));
    EXPECT_TRUE(WaitUntil([] { return !(GetAsyncKeyState('X') & 0x8000); }));
    Sleep(200);
    q.Post(WM_COMMAND, PluginItemCommand(1));  // "События" > "Журнал событий…"
    HWND box = q.WaitForMessageBox("Журнал событий");
    ASSERT_TRUE(box);
    const std::string journal = U8(Quillo::MessageBoxText(box));
    for (const char* event : {"Клавиша нажата: 0x58", "Введён символ: «x»", "Текст изменён, длина 1",
                              "Клавиша отпущена: 0x58"})
      EXPECT_NE(journal.find(event), std::string::npos) << event << " in " << journal;
    Quillo::Press(box, IDOK);
    q.Kill();
  }
  {
    Scratch scratch("sample-commands");
    scratch.WriteFile(L"doc.txt", "one two");
    InstallPlugin(scratch, L"commands.dll", L"commands.dll");
    Quillo q(scratch, Quoted(scratch.Path(L"doc.txt")));
    q.MainWindow();
    q.Post(WM_COMMAND, PluginItemCommand(2));  // "Команды" > "Выделить всё"
    EXPECT_TRUE(WaitUntil([&] { return q.Selection().first == 0 && q.Selection().second >= 7; }, 5s))
        << q.Selection().first << ".." << q.Selection().second;
    q.Kill();
  }
}

}  // namespace
}  // namespace quillo::e2e

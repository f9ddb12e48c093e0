// The clipboard commands of a real window, with another program's text on
// the clipboard: what the clipboard, the document and the disk hold after.
#include <gtest/gtest.h>

#include <memory>

#include "core/action_table.h"
#include "tests/e2e/file_dialog_driver.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

void Do(Quillo& q, ActionId id) { q.Send(WM_COMMAND, static_cast<WPARAM>(id)); }
void ClearClipboard() {
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  EmptyClipboard();
  CloseClipboard();
}

// Another program's text in a block without the terminating zero.
void SetUnterminatedClipboardText(std::string_view utf8) {
  std::wstring text = W(utf8);
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() * sizeof(wchar_t));
  memcpy(GlobalLock(mem), text.data(), text.size() * sizeof(wchar_t));
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
}

// Ends the program, answering "No" to a save question.
void Exit(Quillo& q) {
  q.Post(WM_CLOSE);
  WaitUntil([&] {
    if (HWND box = q.WaitForMessageBox("Внимание", 0ms)) Quillo::Press(box, IDNO);
    return !q.Running();
  });
}

struct Window {
  Scratch scratch{"clip"};
  std::unique_ptr<Quillo> q;
  explicit Window(std::string_view utf8Text, std::string_view settings = "") {
    if (!settings.empty()) scratch.WriteSettings(settings);
    scratch.WriteFile(L"текст.txt", Cp1251(utf8Text));
    q = std::make_unique<Quillo>(scratch, Quoted(scratch.Path(L"текст.txt")));
    q->MainWindow();
  }
  ~Window() { Exit(*q); }
};

TEST(Clipboard, CutAndCopyAppendToAnotherProgramsText) {
  Window doc("раз два\r\nтри");
  Quillo& q = *doc.q;
  SetClipboardText("чужой текст 😀|");
  q.Select(4, 7);  // "два"
  Do(q, ActionId::EditCopyAdd);
  EXPECT_EQ(ClipboardText(), "чужой текст 😀|два");
  q.Select(7, 11);  // the line break and "три"
  Do(q, ActionId::EditCutAdd);
  EXPECT_EQ(ClipboardText(), "чужой текст 😀|два\r\nтри");
  EXPECT_EQ(q.Text(), Cp1251("раз два"));
  // Nothing on the clipboard: the selection alone.
  ClearClipboard();
  q.Select(0, 3);
  Do(q, ActionId::EditCutAdd);
  EXPECT_EQ(ClipboardText(), "раз");
  EXPECT_EQ(q.Text(), Cp1251(" два"));
  // Read no further than the block the other program gave. Wine ends such a
  // block inside it, in place of its last character, before the program
  // sees it; what matters is that nothing from beyond the block follows.
  SetUnterminatedClipboardText("конец:");
  q.Select(0, 4);
  Do(q, ActionId::EditCopyAdd);
  const std::string appended = ClipboardText();
  EXPECT_TRUE(appended == "конец: два" || appended == "конец два") << appended;
}

TEST(Clipboard, SwapPutsTheClipboardInPlaceOfTheSelection) {
  Window doc("раз два три");
  Quillo& q = *doc.q;
  SetClipboardText("ПЯТЬ");
  q.Select(4, 7);
  Do(q, ActionId::EditSwapClipbrd);
  EXPECT_EQ(q.Text(), Cp1251("раз ПЯТЬ три"));
  EXPECT_EQ(ClipboardText(), "два");
  EXPECT_EQ(q.Selection(), std::make_pair(8, 8));
}

TEST(Clipboard, CopyAllKeepsTheCaretAndCutAllIsUndone) {
  Window doc("раз\r\nдва");
  Quillo& q = *doc.q;
  q.Select(2, 5);
  Do(q, ActionId::EditCopyAll);
  EXPECT_EQ(ClipboardText(), "раз\r\nдва");
  EXPECT_EQ(q.Selection(), std::make_pair(2, 2));
  ClearClipboard();
  Do(q, ActionId::EditCutAll);
  EXPECT_EQ(ClipboardText(), "раз\r\nдва");
  EXPECT_EQ(q.Text(), "");
  Do(q, ActionId::EditUndo);
  EXPECT_EQ(q.Text(), Cp1251("раз\r\nдва"));
}

TEST(Clipboard, CopyFileNameGivesTheFullPath) {
  Window doc("x");
  Do(*doc.q, ActionId::EditCopyFileName);
  EXPECT_EQ(ClipboardText(), U8(doc.scratch.Path(L"текст.txt")));
}

TEST(Clipboard, TheSettingSwitchesTheAppendingCommandsOff) {
  Window doc("раз два", "[Options]\r\nClipbrd+=0\r\n");
  SetClipboardText("чужой");
  doc.q->Select(4, 7);
  Do(*doc.q, ActionId::EditCutAdd);
  Do(*doc.q, ActionId::EditCopyAdd);
  EXPECT_EQ(ClipboardText(), "чужой");
  EXPECT_EQ(doc.q->Text(), Cp1251("раз два"));
}

TEST(Clipboard, SavingTheClipboardOverAReadOnlyFileKeepsItReadOnly) {
  Window doc("x");
  Quillo& q = *doc.q;
  doc.scratch.WriteFile(L"ro.txt", "old");
  const std::wstring ro = doc.scratch.Path(L"ro.txt");
  SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_READONLY);
  SetClipboardText("новый текст\r\nвторая строка");
  q.Command(static_cast<UINT>(ActionId::FileSaveClipbrd));
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FileDialogName(dialog), L"noname.txt");
  ChooseFile(dialog, ro);
  if (HWND overwrite = WaitForOtherDialog(q.Pid(), dialog, 3s)) Quillo::Press(overwrite, IDYES);
  const std::string saved = Cp1251("новый текст\r\nвторая строка");
  EXPECT_TRUE(WaitUntil([&] { return doc.scratch.ReadFile(L"ro.txt") == saved; }));
  EXPECT_TRUE(GetFileAttributesW(ro.c_str()) & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Clipboard, ANewWindowStartsWithTheClipboardsText) {
  Window doc("x");
  Quillo& q = *doc.q;
  SetClipboardText("из буфера\r\nв новое окно");
  HWND mine = q.MainWindow();
  Do(q, ActionId::FileNewFromClipbrd);
  HWND other = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND h : AllVisibleMainWindows())
      if (h != mine) other = h;
    return other != nullptr;
  }));
  HWND editor = FindWindowExW(other, nullptr, L"RichEdit20W", nullptr);
  auto text = [&] {
    wchar_t buffer[256] = {};
    SendMessageW(editor, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
    return U8(buffer);
  };
  EXPECT_TRUE(WaitUntil([&] { return text() == "из буфера\r\nв новое окно"; })) << text();
  wchar_t caption[64] = {};
  GetWindowTextW(other, caption, 64);
  EXPECT_STREQ(caption, L"Quillo");
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  PostMessageW(other, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(other); }));
}

}  // namespace
}  // namespace quillo::e2e

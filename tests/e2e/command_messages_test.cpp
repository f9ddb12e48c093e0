// The command messages and the private messages, sent by another process
// (this one) to the running program: each one's result and what it did.
#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <atomic>
#include <functional>
#include <thread>

#include "tests/e2e/file_dialog_driver.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

constexpr UINT QM(int n) { return WM_USER + 500 + static_cast<UINT>(n); }  // QM(1) = WM_USER+501

struct Reply {
  LRESULT result = -1;
  std::string dialog;  // caption of the dialog the message opened (cancelled), or ""
};

std::wstring CaptionOf(HWND h) {
  wchar_t text[256] = {};
  SendMessageTimeoutW(h, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
  return text;
}

void Cancel(HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }

// Sends the message as another program would; a dialog it opens is
// answered (by default cancelled), so that SendMessage returns.
Reply SendAnswering(Quillo& q, UINT msg, WPARAM wp = 0, LPARAM lp = 0,
                    const std::function<void(HWND)>& answer = Cancel) {
  Reply reply;
  HWND main = q.MainWindow();
  std::atomic<bool> done{false};
  std::thread sender([&] {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(main, msg, wp, lp, SMTO_NORMAL, 30000, &r);
    reply.result = static_cast<LRESULT>(r);
    done = true;
  });
  while (!done) {
    const std::vector<HWND> dialogs = TopLevelWindowsOf(q.Pid(), L"#32770");
    if (!dialogs.empty()) {
      HWND found = dialogs.front();
      if (reply.dialog.empty()) reply.dialog = U8(CaptionOf(found));
      answer(found);
      WaitUntil([&] { return !IsWindow(found) || !IsWindowVisible(found); }, 5s);
    }
    Sleep(40);
  }
  sender.join();
  return reply;
}

Reply SendAndCancel(Quillo& q, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendAnswering(q, msg, wp, lp); }

HWND Child(HWND main, const wchar_t* cls) { return FindWindowExW(main, nullptr, cls, nullptr); }

// The editor's background: setting a colour gives the previous one back.
COLORREF Background(HWND editor) {
  COLORREF previous = static_cast<COLORREF>(SendMessageW(editor, EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)));
  SendMessageW(editor, EM_SETBKGNDCOLOR, 0, previous);
  return previous;
}

void SetEditorText(HWND editor, const std::wstring& text) {
  SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

TEST(CommandMessages, EachRunsItsActionAndReportsWhetherItRan) {
  Scratch scratch("command-messages");
  const std::string doc = "alpha beta\r\n" + Cp1251("гамма");
  scratch.WriteFile(L"doc.txt", doc);
  scratch.WriteFile(L"first.txt", "first");
  scratch.WriteFile(L"second.txt", "second");
  scratch.WriteSettings("[MRU]\r\nFileName0=" + Cp1251(U8(scratch.Path(L"first.txt"))) +
                        "\r\nCaretPosX0=0\r\nCaretPosY0=0\r\nFileName1=" + Cp1251(U8(scratch.Path(L"second.txt"))) +
                        "\r\nCaretPosX1=0\r\nCaretPosY1=0\r\n");
  Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
  HWND main = q.MainWindow();
  HWND editor = q.Editor();

  // Editing: 1 when it ran, 0 when it had nothing to act on.
  EXPECT_EQ(SendAndCancel(q, QM(20)).result, 1);  // QM_SELECTALL
  EXPECT_EQ(q.Selection().first, 0);
  EXPECT_GE(q.Selection().second, 16);
  EXPECT_EQ(SendAndCancel(q, QM(15)).result, 1);  // QM_COPY
  EXPECT_EQ(ClipboardText(), "alpha beta\r\nгамма");
  q.Select(0, 6);
  EXPECT_EQ(SendAndCancel(q, QM(13)).result, 1);  // QM_CUT
  EXPECT_EQ(q.Text(), "beta\r\n" + Cp1251("гамма"));
  EXPECT_EQ(SendAndCancel(q, QM(13)).result, 0) << "no selection to cut";
  EXPECT_EQ(SendAndCancel(q, QM(17)).result, 1);  // QM_PASTE
  EXPECT_EQ(q.Text(), doc);
  q.Select(0, 6);
  EXPECT_EQ(SendAndCancel(q, QM(19)).result, 1);  // QM_DELETE
  EXPECT_EQ(SendAndCancel(q, QM(19)).result, 0) << "nothing selected to delete";
  EXPECT_EQ(q.Text(), "beta\r\n" + Cp1251("гамма"));

  // Counts: none for 0 or below; the last run's result.
  EXPECT_EQ(SendAndCancel(q, QM(11), 0).result, 0);
  EXPECT_EQ(SendAndCancel(q, QM(11), static_cast<WPARAM>(-1)).result, 0);
  EXPECT_EQ(q.Text(), "beta\r\n" + Cp1251("гамма"));
  EXPECT_EQ(SendAndCancel(q, QM(11), 1).result, 1);  // QM_UNDO: the delete
  EXPECT_EQ(q.Text(), doc);
  EXPECT_EQ(SendAndCancel(q, QM(12), 1).result, 1);  // QM_REDO
  EXPECT_EQ(q.Text(), "beta\r\n" + Cp1251("гамма"));
  EXPECT_EQ(SendAndCancel(q, QM(11), 1000).result, 0) << "runs out of steps before 1000";
  EXPECT_EQ(q.Text(), doc);

  // Code pages: 1 shows DOS-866, 3 is Windows-1251 like 0 (unlike saving).
  EXPECT_EQ(SendAndCancel(q, QM(27), 1).result, 1);
  EXPECT_NE(q.Text(), doc);
  EXPECT_EQ(SendAndCancel(q, QM(27), 3).result, 1);
  EXPECT_EQ(q.Text(), doc);
  EXPECT_EQ(SendAndCancel(q, QM(26)).result, 1);  // QM_DETECTCODEPAGE
  EXPECT_EQ(q.Text(), doc);

  // The clipboard's own commands.
  SetClipboardText("X");
  q.Select(0, 5);
  EXPECT_EQ(SendAndCancel(q, QM(16)).result, 1);  // QM_COPYADD
  EXPECT_EQ(ClipboardText(), "Xalpha");
  EXPECT_EQ(SendAndCancel(q, QM(18)).result, 1);  // QM_SWAPCLIPBOARD
  EXPECT_EQ(ClipboardText(), "alpha");
  EXPECT_EQ(q.Text(), "Xalpha beta\r\n" + Cp1251("гамма"));
  q.Select(0, 1);
  EXPECT_EQ(SendAndCancel(q, QM(14)).result, 1);  // QM_CUTADD
  EXPECT_EQ(ClipboardText(), "alphaX");
  EXPECT_EQ(q.Text(), doc);

  // Saving in a code page (under a name asked for): 2 is DOS-866, 7 counts
  // as 1 (Windows-1251).
  auto saveAs = [&](const wchar_t* name) { return [&, name](HWND dialog) { ChooseFile(dialog, scratch.Path(name)); }; };
  EXPECT_EQ(SendAnswering(q, QM(5), 2, 0, saveAs(L"dos.txt")).result, 1);
  EXPECT_EQ(scratch.ReadFile(L"dos.txt"), "alpha beta\r\n\xA3\xA0\xAC\xAC\xA0");
  EXPECT_EQ(SendAnswering(q, QM(5), 7, 0, saveAs(L"win.txt")).result, 1);
  EXPECT_EQ(scratch.ReadFile(L"win.txt"), doc);
  q.Select(0, 0);
  EXPECT_EQ(SendAndCancel(q, QM(17)).result, 1);  // QM_PASTE: modified again
  EXPECT_EQ(SendAndCancel(q, QM(5), 0).result, 1);  // QM_FILESAVE 0: under its name
  EXPECT_EQ(scratch.ReadFile(L"win.txt"), "alphaX" + doc);

  // Dialogs: the message returns when the dialog is closed, 1: it ran.
  struct DialogRow {
    UINT msg;
    WPARAM wp;
    LRESULT result;
    const char* name;
  } const dialogs[] = {
      {QM(3), 0, 1, "QM_FILEOPEN"},         {QM(6), 0, 1, "QM_FILESAVEAS"}, {QM(8), 0, 1, "QM_FILESAVEAS2"},
      {QM(7), 0, 1, "QM_FILEINSERTFROM"},   {QM(24), 0, 1, "QM_GOTOLINE"},
      {WM_SYSCOMMAND, 200, 0, "WM_SYSCOMMAND 200"},
  };
  for (const DialogRow& row : dialogs) {
    Reply reply = SendAndCancel(q, row.msg, row.wp);
    EXPECT_EQ(reply.result, row.result) << row.name;
    EXPECT_FALSE(reply.dialog.empty()) << row.name << " opened no dialog";
    if (row.msg == WM_SYSCOMMAND) {
      EXPECT_EQ(reply.dialog, "О программе");
    }
  }

  // The find panel: "Найти/заменить…" twice over, then "Найти далее".
  HWND panel = Child(main, L"TQuilloFindPanel");
  const bool shown = IsWindowVisible(panel);
  EXPECT_EQ(SendAndCancel(q, QM(21)).result, 1);
  EXPECT_NE(IsWindowVisible(panel) != 0, shown);
  EXPECT_EQ(SendAndCancel(q, QM(23)).result, 1);
  EXPECT_EQ(IsWindowVisible(panel) != 0, shown) << "QM_FIND2 is QM_FIND";
  EXPECT_EQ(SendAndCancel(q, QM(22)).result, 1);

  // Options set directly: result 0; the low byte decides.
  HWND toolBar = Child(main, L"ToolbarWindow32");
  EXPECT_EQ(SendAndCancel(q, QM(31), 256).result, 0);  // QM_TOOLBAR
  EXPECT_FALSE(IsWindowVisible(toolBar));
  SendAndCancel(q, QM(31), 1);
  EXPECT_TRUE(IsWindowVisible(toolBar));
  SendAndCancel(q, QM(32), 0);  // QM_STATUSBAR
  EXPECT_FALSE(IsWindowVisible(q.StatusBar()));
  SendAndCancel(q, QM(32), 0x101);
  EXPECT_TRUE(IsWindowVisible(q.StatusBar()));

  SetEditorText(editor, std::wstring(400, L'w'));
  EXPECT_EQ(SendAndCancel(q, QM(30), 256).result, 0);  // QM_WORDWRAP off
  EXPECT_EQ(SendMessageW(editor, EM_GETLINECOUNT, 0, 0), 1);
  SendAndCancel(q, QM(30), 1);
  EXPECT_GT(SendMessageW(editor, EM_GETLINECOUNT, 0, 0), 1);

  EXPECT_EQ(SendAndCancel(q, QM(35), 1, RGB(255, 0, 0)).result, 0);  // QM_BACKGROUND, no dialog
  EXPECT_EQ(Background(editor), RGB(255, 0, 0));
  EXPECT_EQ(SendAndCancel(q, QM(25), 256).result, 0);  // QM_AUTOCODEPAGE off

  // Bookmarks: adding asks for a name; deleting is off while there are none.
  Reply added = SendAndCancel(q, QM(28));
  EXPECT_EQ(added.result, 1);
  EXPECT_FALSE(added.dialog.empty());
  EXPECT_EQ(SendAndCancel(q, QM(29)).result, 0);

  // Printing with no printer (this run sees none): page setup and both
  // kinds of printing end in the error box, and the result is 0.
  q.Select(0, 3);
  for (auto [msg, wp] : {std::pair{QM(9), WPARAM{0}}, {QM(10), WPARAM{0}}, {QM(10), WPARAM{1}}}) {
    Reply reply = SendAndCancel(q, msg, wp);
    EXPECT_EQ(reply.result, 0) << msg << " " << wp;
    EXPECT_EQ(reply.dialog, "Ошибка") << msg << " " << wp;
  }

  // A new window is a new process; opening into one asks for the file.
  EXPECT_EQ(SendAndCancel(q, QM(2)).result, 1);  // QM_FILENEWWINDOW
  std::vector<HWND> others;
  EXPECT_TRUE(WaitUntil([&] { return !(others = OtherMainWindows(q)).empty(); }));
  CloseWindowsOf(others);
  Reply openNew = SendAndCancel(q, QM(4));  // QM_FILEOPENNEWWINDOW
  EXPECT_EQ(openNew.dialog, "Открыть");
  EXPECT_EQ(SendAndCancel(q, QM(34), 1).result, 1) << "the first font preset";
  EXPECT_EQ(SendAndCancel(q, QM(34), 9).result, 0) << "no fifth font preset";
  EXPECT_EQ(SendAndCancel(q, QM(36)).dialog, "Настройки");  // QM_OPTIONS

  // The private messages.
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != 0; }, 5s));
  EXPECT_EQ(SendAndCancel(q, WM_USER + 200).result, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(main); }, 5s)) << "activation restores the window";
  for (UINT msg : {UINT{WM_USER + 100}, UINT{WM_USER + 300}, UINT{WM_USER + 400}, UINT{WM_EXITSIZEMOVE}})
    EXPECT_EQ(SendAndCancel(q, msg).result, 0) << msg;
  // "Сохранить все" of another window: an unchanged document is not
  // rewritten, a changed one is saved.
  const std::string saved = scratch.ReadFile(L"win.txt");
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  EXPECT_EQ(SendAndCancel(q, WM_USER + 101).result, 0);
  EXPECT_EQ(scratch.ReadFile(L"win.txt"), saved);
  SetEditorText(editor, L"saved by message");
  SendMessageW(editor, EM_SETMODIFY, TRUE, 0);
  q.Post(WM_USER + 101);
  EXPECT_TRUE(WaitUntil([&] { return scratch.ReadFile(L"win.txt") == "saved by message"; }, 5s));

  // A recent file by its index from the newest, 0 being the newest.
  EXPECT_EQ(SendAndCancel(q, QM(3), 1).result, 1);
  EXPECT_EQ(q.Text(), "second");
  EXPECT_EQ(SendAndCancel(q, QM(3), 7).result, 0) << "no recent file at index 7";

  EXPECT_EQ(SendAndCancel(q, QM(1)).result, 1);  // QM_FILENEW
  EXPECT_EQ(q.Text(), "");
  q.Post(WM_CLOSE);
  EXPECT_TRUE(q.WaitForExit());
  EXPECT_NE(scratch.ReadFile(L"quillo.ini").find("CodAutoOpt=0"), std::string::npos);
}

TEST(CommandMessages, PointerMessagesOfAnotherProcessAreIgnored) {
  Scratch scratch("pointer-messages");
  Quillo q(scratch);
  q.MainWindow();
  // Wine lets WM_NOTIFY be posted with a pointer of this process; the
  // others it refuses to post and copies when they are sent.
  for (UINT msg : {WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_COPYDATA}) {
    q.Post(msg, 0, 0x10);
    q.Post(msg, 0, static_cast<LPARAM>(0x7FFE0000));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(q.MainWindow(), msg, 0, 0x10, SMTO_NORMAL, 5000, &ignored);
  }
  q.Send(WM_NULL);
  EXPECT_TRUE(q.Running());
  q.Post(WM_CLOSE);
  EXPECT_TRUE(q.WaitForExit());
}

}  // namespace
}  // namespace quillo::e2e

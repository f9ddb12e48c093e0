// The editor wrapper against the real rich-edit control, in-process.
#include "app/editor/rich_edit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>

#include "app/platform/file_io.h"
#include "core/win1251.h"

namespace quillo {
namespace {

struct RecordingEvents : EditorEvents {
  int changes = 0;
  int layoutRestored = 0;
  bool pasteOnInsert = false;
  int pastes = 0;
  void OnEditorChange() override { ++changes; }
  void OnEditorPaste() override { ++pastes; }
  bool PasteOnInsert() const override { return pasteOnInsert; }
  void OnEditorLayoutRestored() override { ++layoutRestored; }
};

LRESULT CALLBACK ParentProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
    auto* editor = reinterpret_cast<MyRichEdit*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (editor) editor->HandleChangeNotification();
    return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

class RichEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuilloEditorTestParent";
    RegisterClassW(&wc);
    parent_ = CreateWindowW(L"QuilloEditorTestParent", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 600,
                            400, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(parent_);
    ASSERT_TRUE(editor_.Create(parent_, &events_));
    SetWindowLongPtrW(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&editor_));
    MoveWindow(editor_.Handle(), 0, 0, 600, 400, FALSE);
  }
  void TearDown() override {
    SetWindowLongPtrW(parent_, GWLP_USERDATA, 0);
  }
  std::wstring TempFile(const wchar_t* name, std::string_view bytes) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + name;
    DeleteFileW(path.c_str());
    WriteFileAtomically(path, bytes);
    return path;
  }

  HWND parent_ = nullptr;
  RecordingEvents events_;
  MyRichEdit editor_;
};

std::string AllPrintableWin1251() {
  std::string s;
  for (int b = 0x20; b < 0x100; ++b)
    if (b != 0x7F && b != 0x98) s.push_back(static_cast<char>(b));
  return s;
}

TEST_F(RichEditTest, TextRoundTripsByteForByteWithCrLfBreaks) {
  const std::string texts[] = {
      "", "abc", "line1\r\nline2\r\n", AllPrintableWin1251(),
      Utf8ToWin1251("Съешь же ещё этих мягких французских булок\r\nЁЖ №5"),
  };
  for (const auto& text : texts) {
    editor_.SetText(text);
    EXPECT_EQ(editor_.GetText(), text);
  }
  // Lines whose breaks fall on the stream's buffer boundaries.
  std::string lines;
  for (int i = 0; i < 3000; ++i) lines += std::string(49, static_cast<char>('a' + i % 26)) + "\r\n";
  editor_.SetText(lines);
  EXPECT_TRUE(editor_.GetText() == lines);
  editor_.SetText("a\r\nb");
  EXPECT_EQ(editor_.ControlText(), "a\rb");
}

TEST_F(RichEditTest, LineCountLineTextAndCaret) {
  struct Case { const char* text; int lines; };
  for (const Case& c : {Case{"", 0}, Case{"a", 1}, Case{"a\r\n", 1}, Case{"a\r\nb", 2},
                        Case{"a\r\n\r\n", 2}}) {
    editor_.SetText(c.text);
    EXPECT_EQ(editor_.LineCount(), c.lines) << c.text;
  }
  editor_.SetText("first\r\nsecond line\r\nthird");
  EXPECT_EQ(editor_.LineText(1), "second line");
  EXPECT_EQ(editor_.LineText(3), "");
  EXPECT_EQ(editor_.LineText(-1), "");
  editor_.SetCaretPos({3, 1});
  EXPECT_EQ(editor_.SelStart(), 9);  // "first" + one break + 3
  EXPECT_EQ(editor_.GetCaretPos(), (CaretPos{3, 1}));
  editor_.SetText("");
  EXPECT_EQ(editor_.GetCaretPos(), (CaretPos{0, 0}));
}

TEST_F(RichEditTest, WordAtCaretAndSelText) {
  editor_.SetText("alpha beta-gamma\r\ndelta");
  struct Case { int caret; const char* word; };
  for (const Case& c : {Case{0, ""}, Case{3, "alpha"}, Case{5, "alpha"}, Case{6, ""},
                        Case{8, "beta"}, Case{12, "gamma"}, Case{19, "delta"}}) {
    editor_.SetSelStart(c.caret);
    EXPECT_EQ(editor_.WordAtCaret(), c.word) << c.caret;
  }
  editor_.SetSelection(6, 10);
  EXPECT_EQ(editor_.SelText(), "beta");
  editor_.SetSelText(Utf8ToWin1251("бета"));
  EXPECT_EQ(editor_.SelText(), Utf8ToWin1251("бета"));
  EXPECT_EQ(editor_.GetText(), Utf8ToWin1251("alpha бета-gamma\r\ndelta"));
  editor_.Undo();
  EXPECT_EQ(editor_.GetText(), "alpha beta-gamma\r\ndelta");
}

// Scroll Lock's state cannot be typed into Wine from outside; the thread's
// key state is set here instead.
TEST_F(RichEditTest, ScrollLockTurnsArrowsAndPagesIntoScrolling) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
  editor_.SetText(text);
  editor_.SetSelStart(0);
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SCROLL] |= 1;
  SetKeyboardState(keys);
  for (int i = 0; i < 3; ++i) SendMessageW(editor_.Handle(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(editor_.FirstVisibleLine(), 3);
  SendMessageW(editor_.Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(editor_.FirstVisibleLine(), 2);
  SendMessageW(editor_.Handle(), WM_KEYDOWN, VK_NEXT, 1);
  EXPECT_GT(editor_.FirstVisibleLine(), 3);
  EXPECT_EQ(editor_.SelStart(), 0);
  keys[VK_SCROLL] &= ~1;
  SetKeyboardState(keys);
  SendMessageW(editor_.Handle(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_GT(editor_.SelStart(), 0);
}

TEST_F(RichEditTest, WordAtCursorUsesTheControlsWordBreaks) {
  editor_.SetText("hello world  foo");
  struct Case { int caret; const char* word; };
  for (const Case& c : {Case{0, "hello"}, Case{2, "hello"}, Case{7, "world"}, Case{13, "foo"}}) {
    editor_.SetSelStart(c.caret);
    EXPECT_EQ(editor_.WordAtCursor(), c.word) << c.caret;
  }
}

TEST_F(RichEditTest, ReplaceAllTextKeepsTheCaretAndIsOneUndoStep) {
  editor_.SetText("one\r\ntwo two\r\nthree");
  editor_.SetCaretPos({2, 1});
  editor_.ReplaceAllText("ONE\r\nTWO TWO\r\nTHREE");
  EXPECT_EQ(editor_.GetText(), "ONE\r\nTWO TWO\r\nTHREE");
  EXPECT_EQ(editor_.GetCaretPos(), (CaretPos{2, 1}));
  EXPECT_TRUE(editor_.Modified());
  ASSERT_TRUE(editor_.CanUndo());
  editor_.Undo();
  EXPECT_EQ(editor_.GetText(), "one\r\ntwo two\r\nthree");
}

TEST_F(RichEditTest, LargeSelectionReplacementIsUndoable) {
  editor_.SetText("head|tail");
  editor_.SetSelection(4, 5);
  std::string big(20000, 'x');
  editor_.SetSelText(big);
  EXPECT_TRUE(editor_.GetText() == "head" + big + "tail");
  EXPECT_EQ(editor_.SelLength(), 20000);
  editor_.Undo();
  EXPECT_EQ(editor_.GetText(), "head|tail");
}

// The control's own undoable whole-text replacement takes minutes for a
// megabyte under Wine; the wrapper must stay far below that.
TEST_F(RichEditTest, ReplacingAMegabyteStaysFastAndCanBeUndone) {
  std::string line = Utf8ToWin1251("Строка текста для проверки скорости замены всего текста.\r\n");
  std::string text;
  while (text.size() < 1024 * 1024) text += line;
  editor_.SetText(text);
  editor_.SetCaretPos({5, 100});
  std::string upper = text;
  for (auto& ch : upper)
    if (static_cast<unsigned char>(ch) >= 0xE0) ch = static_cast<char>(ch - 0x20);
  auto start = std::chrono::steady_clock::now();
  editor_.ReplaceAllText(upper);
  auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 30.0);
  RecordProperty("replace_seconds", std::to_string(seconds));
  EXPECT_TRUE(editor_.GetText() == upper);
  EXPECT_EQ(editor_.GetCaretPos(), (CaretPos{5, 100}));
  ASSERT_TRUE(editor_.CanUndo());
  editor_.Undo();
  EXPECT_TRUE(editor_.GetText() == text);
  EXPECT_EQ(editor_.GetCaretPos(), (CaretPos{5, 100}));
  // And the replacement can be redone.
  ASSERT_TRUE(editor_.CanRedo());
  editor_.Redo();
  EXPECT_TRUE(editor_.GetText() == upper);
}

// A paste costs what it puts in, not the whole document; it is one undo
// step and comes back with redo.
TEST_F(RichEditTest, PastingSixtyFourKilobytesIntoAMegabyteIsOneQuickStep) {
  const std::string line = Utf8ToWin1251("Строка текста для проверки скорости вставки в документ.\r\n");
  std::string text, paste;
  while (text.size() < 1024 * 1024) text += line;
  while (paste.size() < 64 * 1024) paste += Utf8ToWin1251("Вставка ") + line;
  editor_.SetText(text);
  // At the start of a line half way down (one control character per break).
  const size_t lines = text.size() / line.size() / 2;
  const int at = static_cast<int>(lines * (line.size() - 1));
  editor_.SetSelection(at, at);
  auto start = std::chrono::steady_clock::now();
  editor_.SetSelText(paste);
  auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  RecordProperty("paste_seconds", std::to_string(seconds));
  EXPECT_LT(seconds, 5.0);
  const std::string pasted = text.substr(0, lines * line.size()) + paste + text.substr(lines * line.size());
  EXPECT_TRUE(editor_.GetText() == pasted);
  editor_.Undo();
  EXPECT_TRUE(editor_.GetText() == text);
  EXPECT_EQ(editor_.SelStart(), at);
  ASSERT_TRUE(editor_.CanRedo());
  editor_.Redo();
  EXPECT_TRUE(editor_.GetText() == pasted);
}

// 4 000 lines of "a" replaced whole by as many of "b": a replacement the
// program undoes itself. Returns the two texts.
std::pair<std::string, std::string> ReplaceAWholeText(MyRichEdit& editor) {
  std::string text, other;
  for (int i = 0; i < 4000; ++i) {
    text += "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n";
    other += "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb\r\n";
  }
  editor.SetText(text);
  editor.ReplaceAllText(other);
  return {text, other};
}

TEST_F(RichEditTest, TypingAfterALargeReplacementIsUndoneFirst) {
  const auto [text, other] = ReplaceAWholeText(editor_);
  editor_.SetSelStart(0);
  SendMessageW(editor_.Handle(), WM_CHAR, 'z', 1);
  EXPECT_TRUE(editor_.GetText() == "z" + other)
      << editor_.GetText().substr(0, 20) << " size " << editor_.GetText().size();
  editor_.Undo();
  EXPECT_TRUE(editor_.GetText() == other);
  EXPECT_EQ(SendMessageW(editor_.Handle(), EM_CANUNDO, 0, 0), 0);
  editor_.Undo();
  {
    std::string got = editor_.GetText();
    size_t d = 0;
    while (d < got.size() && d < text.size() && got[d] == text[d]) ++d;
    EXPECT_TRUE(got == text) << got.size() << " vs " << text.size() << " first diff at " << d
                             << " [" << got.substr(d > 5 ? d - 5 : 0, 12) << "]";
  }
}

// The program's own step lies beneath the control's undo steps; once the
// control has forgotten some of those, the text is no longer the one the
// step left, and undoing it then would throw the remaining edits away.
TEST_F(RichEditTest, AnOwnStepOverEditsTheControlForgotIsDroppedNotApplied) {
  const auto [text, other] = ReplaceAWholeText(editor_);
  for (int line = 0; line < 60; ++line) {
    const int at = line * 50;
    editor_.SetSelection(at, at);
    editor_.SetSelText("z");
  }
  while (SendMessageW(editor_.Handle(), EM_CANUNDO, 0, 0)) editor_.Undo();
  const std::string left = editor_.GetText();
  ASSERT_NE(left, other) << "the control kept every edit: nothing to test";
  ASSERT_TRUE(editor_.CanUndo());
  editor_.Undo();
  EXPECT_TRUE(editor_.GetText() == left);
  EXPECT_FALSE(editor_.CanUndo());
}

TEST_F(RichEditTest, LoadFromFileByItsFirstBytesAndExtension) {
  std::string utf16 = "\xFF\xFE";
  for (char16_t ch : u"Привет, мир\r\n") {
    if (!ch) break;
    utf16.push_back(static_cast<char>(ch & 0xFF));
    utf16.push_back(static_cast<char>(ch >> 8));
  }
  struct Case { const wchar_t* name; std::string bytes; std::string shown; };
  const Case cases[] = {
      {L"q-utf16.txt", utf16, Utf8ToWin1251("Привет, мир\r\n")},
      {L"q-doc.RtF", "{\\rtf1 \xCF\xF0\xE8}", "{\\rtf1 \xCF\xF0\xE8}"},
      {L"q-raw.txt", "\xFE\xFF raw", "\xFE\xFF raw"},
  };
  for (const auto& c : cases) {
    std::wstring path = TempFile(c.name, c.bytes);
    editor_.LoadFromFile(path);
    EXPECT_EQ(editor_.GetText(), c.shown);
    EXPECT_EQ(editor_.SelStart(), 0);
  }
  // ReadTextFile keeps a byte-order mark other than FF FE, and the bytes.
  EXPECT_EQ(MyRichEdit::ReadTextFile(TempFile(L"q-bom.txt", "\xEF\xBB\xBFx")), "\xEF\xBB\xBFx");
  EXPECT_THROW(MyRichEdit::ReadTextFile(L"C:\\no\\such\\file.txt"), FileError);
}

TEST_F(RichEditTest, RussianLayoutBracketsNestAndRestoreTheFirstLayout) {
  HKL before = GetKeyboardLayout(0);
  editor_.BeginRussianLayout();
  editor_.BeginRussianLayout();
  editor_.EndRussianLayout();
  EXPECT_EQ(events_.layoutRestored, 0);
  editor_.EndRussianLayout();
  EXPECT_EQ(events_.layoutRestored, 1);
  EXPECT_EQ(GetKeyboardLayout(0), before);
  editor_.EndRussianLayout();  // an unmatched end changes nothing
  EXPECT_EQ(events_.layoutRestored, 1);
}

TEST_F(RichEditTest, OwnInsertKeyFlipsOverwriteModeWithoutPasting) {
  events_.pasteOnInsert = true;
  EXPECT_FALSE(editor_.OverwriteMode());
  editor_.SendOwnInsertKey();
  EXPECT_TRUE(editor_.OverwriteMode());
  EXPECT_EQ(events_.pastes, 0);
  editor_.SendOwnInsertKey();
  EXPECT_FALSE(editor_.OverwriteMode());
}

}  // namespace
}  // namespace quillo

namespace quillo {
namespace {

struct PastingEvents : RecordingEvents {
  MyRichEdit* editor = nullptr;
  void OnEditorPaste() override {
    ++pastes;
    editor->PasteFromClipboard();
  }
};

TEST(RichEditInsert, InsertKeyPastesAtTheCaretWhenAsked) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuilloInsertTestParent";
  RegisterClassW(&wc);
  HWND parent = CreateWindowW(wc.lpszClassName, L"t", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                              nullptr, nullptr, wc.hInstance, nullptr);
  PastingEvents events;
  events.pasteOnInsert = true;
  MyRichEdit editor;
  events.editor = &editor;
  ASSERT_TRUE(editor.Create(parent, &events));
  OpenClipboard(nullptr);
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 8);
  memcpy(GlobalLock(mem), L"XYZ", 8);
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
  editor.SetText("abc");
  editor.SetSelection(3, 3);
  SendMessageW(editor.Handle(), WM_KEYDOWN, VK_INSERT, 0x00520001);
  EXPECT_EQ(events.pastes, 1);
  EXPECT_EQ(editor.GetText(), "abcXYZ");
  EXPECT_FALSE(editor.OverwriteMode());
  DestroyWindow(parent);
}

}  // namespace
}  // namespace quillo

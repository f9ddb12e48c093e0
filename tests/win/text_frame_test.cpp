// The frame of the text commands against the real control, in-process:
// the keyboard layout of the thread can only be read from inside.
#include "app/editor/text_frame.h"

#include <gtest/gtest.h>

#include <string>

#include "core/keyboard_layout.h"
#include "core/line_ops.h"

namespace quillo {
namespace {

struct QuietEvents : EditorEvents {
  int layoutRestored = 0;
  void OnEditorChange() override {}
  void OnEditorKeyDown(WPARAM, unsigned) override {}
  void OnEditorKeyUp() override {}
  void OnEditorMouseDown() override {}
  void OnEditorWheel(bool, unsigned) override {}
  void OnEditorScroll() override {}
  void OnEditorLangChange(HKL) override {}
  void OnEditorUrlClick(const std::string&, bool) override {}
  void OnEditorPaste() override {}
  bool PasteOnInsert() const override { return false; }
  void OnEditorPositionMark(int, bool) override {}
  void OnEditorLayoutRestored() override { ++layoutRestored; }
};

class TextFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuilloTextFrameTestParent";
    RegisterClassW(&wc);
    parent_ = CreateWindowW(wc.lpszClassName, L"test", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400,
                            nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(parent_);
    ASSERT_TRUE(editor_.Create(parent_, &events_));
    MoveWindow(editor_.Handle(), 0, 0, 600, 400, FALSE);
  }
  void TearDown() override { DestroyWindow(parent_); }

  HWND parent_ = nullptr;
  QuietEvents events_;
  MyRichEdit editor_;
};

TEST_F(TextFrameTest, TheLayoutBeforeACommandIsActiveAfterIt) {
  editor_.SetText("ghbdtn\r\nmir");
  // Under Wine only the Russian layout may be installed; then the layout
  // cannot change and only the bracket's bookkeeping is seen.
  HKL layouts[8];
  for (int i = GetKeyboardLayoutList(8, layouts); i-- > 0;)
    if (LOWORD(reinterpret_cast<ULONG_PTR>(layouts[i])) != 0x0419) ActivateKeyboardLayout(layouts[i], 0);
  HKL before = GetKeyboardLayout(0);
  HKL during = nullptr;
  auto convert = [&](std::string_view text) {
    during = GetKeyboardLayout(0);
    return ConvertLatToRus(text);
  };
  struct Case { int start, end; };
  for (Case c : {Case{0, 0}, Case{0, 6}}) {
    editor_.SetSelection(c.start, c.end);
    TransformSelectionOrText(editor_, convert);
    EXPECT_EQ(GetKeyboardLayout(0), before) << "selection " << c.start << "-" << c.end;
    EXPECT_EQ(editor_.SavedLayout(), before);
  }
  // Inside a command's own bracket the inner one restores nothing.
  int restored = events_.layoutRestored;
  editor_.BeginRussianLayout();
  HKL russian = GetKeyboardLayout(0);
  TransformSelectionOrScroll(editor_, convert, SB_LINEUP);
  InsertAtCaret(editor_, "x");
  EXPECT_EQ(GetKeyboardLayout(0), russian);
  EXPECT_EQ(during, russian);
  EXPECT_EQ(LOWORD(reinterpret_cast<ULONG_PTR>(russian)), 0x0419);
  EXPECT_EQ(events_.layoutRestored, restored);
  editor_.EndRussianLayout();
  EXPECT_EQ(GetKeyboardLayout(0), before);
  EXPECT_EQ(events_.layoutRestored, restored + 1);
}

TEST_F(TextFrameTest, WhereTheCaretEndsUp) {
  editor_.SetText("hello world\r\nghbdtn\r\n");
  // Whole text: line and column kept; selection: after the new text.
  editor_.SetSelection(15, 15);
  TransformSelectionOrText(editor_, ConvertLatToRus);
  EXPECT_EQ(editor_.GetCaretPos(), (CaretPos{3, 1}));
  EXPECT_EQ(editor_.SelLength(), 0);
  editor_.Undo();
  EXPECT_EQ(editor_.GetText(), "hello world\r\nghbdtn\r\n");

  editor_.SetSelection(0, 5);
  TransformSelectionOrText(editor_, [](std::string_view) { return std::string("hi"); });
  EXPECT_EQ(editor_.GetText(), "hi world\r\nghbdtn\r\n");
  EXPECT_EQ(editor_.SelStart(), 2);
  EXPECT_EQ(editor_.SelLength(), 0);

  // Nothing selected: only the view moves.
  editor_.SetSelection(3, 3);
  TransformSelectionOrScroll(editor_, [](std::string_view) { return std::string("!"); }, SB_LINEDOWN);
  EXPECT_EQ(editor_.GetText(), "hi world\r\nghbdtn\r\n");
  EXPECT_EQ(editor_.SelStart(), 3);
}

// The line commands see the control's line breaks in either frame.
TEST_F(TextFrameTest, LineCommandsOnTheWholeTextAndOnASelection) {
  struct Case {
    const char* name;
    TextTransform transform;
    std::string text;
    int selStart, selEnd;  // equal: the whole text
    std::string result;
  };
  const Case cases[] = {
      {"join paragraph lines", RemoveLineBreaks, "one\r\ntwo\r\n\r\nthree", 0, 0, "one two\r\nthree"},
      {"join, indented line", RemoveLineBreaks, "a\r\n b", 0, 0, "a\r\nb"},
      {"join the selected lines", RemoveLineBreaks, "a\r\nb\r\nc", 2, 5, "a\r\nb c"},
      {"indent", AddLineIndent, "a\r\nb\r\nc", 0, 0, "a\r\n b\r\n c"},
      {"unindent", RemoveLineIndent, "a\r\n   b", 0, 0, "a\r\n  b"},
      {"tabs per line", [](std::string_view t) { return ExpandTabs(t, 8); }, "ab\tc\r\n\td", 0, 0,
       "ab      c\r\n        d"},
  };
  for (const auto& c : cases) {
    editor_.SetText(c.text);
    editor_.SetSelection(c.selStart, c.selEnd);
    TransformSelectionOrText(editor_, c.transform);
    EXPECT_EQ(editor_.GetText(), c.result) << c.name;
  }
}

TEST_F(TextFrameTest, DeletingTheCaretLine) {
  const std::string longLine(5000, 'x');
  struct Case { std::string text; int caret; std::string left; };
  const Case cases[] = {
      {"one\r\n" + longLine + "\r\nthree", 4 + 4097, "one\r\nthree"},
      {"one\r\ntwo\r\nthree", 5, "one\r\nthree"},
      {"one\r\ntwo\r\nthree", 10, "one\r\ntwo\r\n"},  // the last line has no break
      {"one\r\ntwo", 0, "two"},
  };
  for (const auto& c : cases) {
    editor_.SetText(c.text);
    editor_.SetSelection(c.caret, c.caret);
    DeleteCaretLine(editor_);
    EXPECT_TRUE(editor_.GetText() == c.left) << "caret " << c.caret << ": " << editor_.GetText().substr(0, 40);
  }
  DeleteAllText(editor_);
  EXPECT_EQ(editor_.GetText(), "");
  editor_.Undo();
  EXPECT_EQ(editor_.GetText(), "two");
}

}  // namespace
}  // namespace quillo

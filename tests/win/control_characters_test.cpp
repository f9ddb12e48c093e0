// Characters Windows-1251 cannot hold, and the DOS-866 view's own
// characters, through the real control and the editor's boundary, in-process.
#include <gtest/gtest.h>

#include <string>

#include "app/editor/text_frame.h"
#include "app/platform/clipboard.h"
#include "core/codepage.h"
#include "core/letter_case.h"
#include "core/line_ops.h"
#include "core/shown_text.h"

namespace quillo {
namespace {

struct NoEvents : EditorEvents {};

class ControlCharactersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuilloControlCharactersParent";
    RegisterClassW(&wc);
    parent_ = CreateWindowW(wc.lpszClassName, L"test", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                            wc.hInstance, nullptr);
    ASSERT_TRUE(parent_);
    ASSERT_TRUE(editor_.Create(parent_, &events_));
    MoveWindow(editor_.Handle(), 0, 0, 600, 400, FALSE);
  }
  void TearDown() override { DestroyWindow(parent_); }

  HWND parent_ = nullptr;
  NoEvents events_;
  MyRichEdit editor_;
};

// What the control keeps of a Unicode stream-in: lone surrogates as they
// are, and one CR for each line break whatever form it came in.
TEST_F(ControlCharactersTest, TheControlHoldsTheUnitsItIsGiven) {
  const std::u16string text = u"a\xD800" u"b\xDC00" u"c\r😀\rα";
  editor_.SetControlText(text);
  EXPECT_TRUE(editor_.ControlTextWide() == text);
  EXPECT_EQ(editor_.TextLength(), static_cast<int>(text.size()));
  EXPECT_EQ(editor_.ControlText(), "a?b?c\r??\r?");
  EXPECT_EQ(editor_.LineCount(), 3);
}

// A user's story: an emoji and Greek stay where they are through case
// commands and line deletion, on the whole text, on a selection, and
// through the program's own undo of a large change.
TEST_F(ControlCharactersTest, CommandsChangeOnlyTheCharactersTheyActOn) {
  editor_.SetControlText(u"😀 привет\rα и β\rконец");
  TransformSelectionOrText(editor_, ToUpperCase);
  EXPECT_TRUE(editor_.ControlTextWide() == u"😀 ПРИВЕТ\rα И β\rКОНЕЦ");

  editor_.SetSelection(3, 9);  // "ПРИВЕТ"
  TransformSelectionOrText(editor_, ToLowerCase);
  EXPECT_TRUE(editor_.ControlTextWide() == u"😀 привет\rα И β\rКОНЕЦ");

  editor_.SetSelection(11, 11);  // on the second line
  DeleteCaretLine(editor_);
  EXPECT_TRUE(editor_.ControlTextWide() == u"😀 привет\rКОНЕЦ");
  editor_.Undo();
  EXPECT_TRUE(editor_.ControlTextWide() == u"😀 привет\rα И β\rКОНЕЦ");

  // A whole-text change of 64 KB: undone and redone whichever way it was made.
  std::u16string big;
  while (big.size() < 64 * 1024) big += u"строка 😀 α\r";
  editor_.SetControlText(big);
  TransformSelectionOrText(editor_, ToUpperCase);
  std::u16string upper = editor_.ControlTextWide();
  EXPECT_TRUE(upper.substr(0, 12) == u"СТРОКА 😀 α\r");
  EXPECT_EQ(upper.size(), big.size());
  editor_.Undo();
  EXPECT_TRUE(editor_.ControlTextWide() == big);
  editor_.Redo();
  EXPECT_TRUE(editor_.ControlTextWide() == upper);
}

TEST_F(ControlCharactersTest, PastedCharactersAreKept) {
  editor_.SetControlText(u"[]");
  ASSERT_TRUE(WriteClipboardText(parent_, L"α😀\r\nё"));
  editor_.SetSelection(1, 1);
  editor_.PasteFromClipboard();
  EXPECT_TRUE(editor_.ControlTextWide() == u"[α😀\rё]");
  EXPECT_EQ(editor_.SelStart(), 6);
}

// A DOS-866 table: the frames show as themselves, read back as the bytes
// they stand for, and text commands leave them alone.
TEST_F(ControlCharactersTest, DosViewShowsFramesThatCommandsLeaveAlone) {
  // "╒═╕ ■ █ │ Код │" in DOS-866.
  const std::string dos = "\xD5\xCD\xB8 \xFE \xDB \xB3 \x8A\xAE\xA4 \xB3";
  const std::string held = ConvertText(dos, kDosToWin);
  editor_.SetCodePage(cpDOS);
  editor_.SetText(held);
  EXPECT_TRUE(editor_.ControlTextWide() == u"╒═╕ ■ █ │ Код │");
  EXPECT_EQ(editor_.GetText(), held);

  TransformSelectionOrText(editor_, ToUpperCase);
  EXPECT_TRUE(editor_.ControlTextWide() == u"╒═╕ ■ █ │ КОД │");
  TransformSelectionOrText(editor_, InvertCase);
  EXPECT_TRUE(editor_.ControlTextWide() == u"╒═╕ ■ █ │ код │");

  // A frame typed or pasted in the view takes its slot.
  editor_.SetSelection(0, 0);
  editor_.SetSelTextWide(u"┌─");
  EXPECT_EQ(ConvertText(editor_.SelText(), kWinToDos), "\xDA\xC4");
}

}  // namespace
}  // namespace quillo

// Word wrap switched on a loaded document, in-process against the real
// control: what the user had stays, and a large text costs no more than
// streaming it in afresh. Also the editor without scroll bars (full screen).
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/editor/rich_edit.h"
#include "core/win1251.h"

namespace quillo {
namespace {

class WordWrapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuilloWrapTestParent";
    RegisterClassW(&wc);
    parent_ = CreateWindowW(L"QuilloWrapTestParent", L"wrap", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                            0, 760, 540, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(parent_);
    ASSERT_TRUE(editor_.Create(parent_, &events_));
    MoveWindow(editor_.Handle(), 0, 0, 740, 480, TRUE);
  }
  void TearDown() override { DestroyWindow(parent_); }

  // Lines of 73 "ж" and spaces, as long as a screen row or a little more.
  static std::string Lines(size_t bytes) {
    std::string line;
    for (int i = 0; i < 9; ++i) line += Utf8ToWin1251("жжжжжжж ");
    line += Utf8ToWin1251("жжжжж\r\n");
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) text += line;
    return text;
  }

  static double Seconds(const std::function<void()>& f) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }

  HWND parent_ = nullptr;
  EditorEvents events_;
  MyRichEdit editor_;
};

// Below and above the size where the switch goes by stream-in.
TEST_F(WordWrapTest, TextSelectionViewAndModifiedFlagSurviveTheSwitch) {
  for (size_t size : {size_t{8 * 1024}, size_t{200 * 1024}}) {
    const std::string text = Lines(size);
    for (bool modified : {false, true}) {
      editor_.SetWordWrap(false);
      editor_.SetText(text);
      const int lines = editor_.LineCount();
      editor_.SetSelection(1000, 1010);
      editor_.ScrollLines(40 - editor_.FirstVisibleLine());
      const int topChar = editor_.RowStart(editor_.FirstVisibleLine());
      editor_.SetModified(modified);

      editor_.SetWordWrap(true);
      EXPECT_GT(editor_.RowCount(), lines) << size << ": long lines take two rows";
      editor_.SetWordWrap(false);
      EXPECT_EQ(editor_.RowCount(), lines + 1) << size;  // and the empty last one

      EXPECT_EQ(editor_.GetText(), text) << size;
      EXPECT_EQ(editor_.SelStart(), 1000) << size;
      EXPECT_EQ(editor_.SelLength(), 10) << size;
      EXPECT_EQ(editor_.Modified(), modified) << size;
      EXPECT_EQ(editor_.RowStart(editor_.FirstVisibleLine()), topChar) << size;
    }
  }
}

// A whole-text command's own undo step is the program's: it outlives the
// switch of a large document.
TEST_F(WordWrapTest, LargeWholeTextCommandCanStillBeUndoneAfterTheSwitch) {
  const std::string text = Lines(200 * 1024);
  std::string upper = text;
  for (char& ch : upper)
    if (static_cast<unsigned char>(ch) >= 0xE0) ch = static_cast<char>(ch - 0x20);
  editor_.SetText(text);
  editor_.ReplaceAllText(upper);
  editor_.SetWordWrap(!editor_.WordWrap());
  EXPECT_EQ(editor_.GetText(), upper);
  ASSERT_TRUE(editor_.CanUndo());
  editor_.Undo();
  EXPECT_EQ(editor_.GetText(), text);
}

TEST_F(WordWrapTest, SwitchingALargeDocumentCostsNoMoreThanStreamingItIn) {
  const std::string text = Lines(1024 * 1024);
  editor_.SetWordWrap(false);
  double streamOff = Seconds([&] { editor_.SetText(text); });
  double switchOn = Seconds([&] { editor_.SetWordWrap(true); });
  double streamOn = Seconds([&] { editor_.SetText(text); });
  double switchOff = Seconds([&] { editor_.SetWordWrap(false); });
  std::printf("1 MB: stream off %.2f s, on %.2f s; switch on %.2f s, off %.2f s\n", streamOff,
              streamOn, switchOn, switchOff);
  EXPECT_LT(switchOn, 1.5 * streamOn + 1.0);
  EXPECT_LT(switchOff, 1.5 * streamOff + 1.0);
}

TEST_F(WordWrapTest, WithoutScrollBarsAWheelStepScrollsThreeLines) {
  editor_.SetText(Lines(20 * 1024));
  editor_.SetScrollBars(false);
  EXPECT_EQ(GetWindowLongPtrW(editor_.Handle(), GWL_STYLE) & WS_VSCROLL, 0);
  SendMessageW(editor_.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(editor_.FirstVisibleLine(), 3);
  // A wrap switch keeps them hidden.
  editor_.SetWordWrap(!editor_.WordWrap());
  EXPECT_EQ(GetWindowLongPtrW(editor_.Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
  editor_.SetScrollBars(true);
  EXPECT_NE(GetWindowLongPtrW(editor_.Handle(), GWL_STYLE) & WS_VSCROLL, 0);
}

}  // namespace
}  // namespace quillo

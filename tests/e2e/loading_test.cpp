// A large file comes into the window piece by piece: the first screen at
// once, the progress in the status bar, the text unchangeable and the
// document unmodified until all of it is in; closing meanwhile works, and a
// command given meanwhile acts on the whole text.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/action_table.h"
#include "core/status_text.h"
#include "core/win1251.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

// 2 MB of numbered lines: each piece's place in the whole is checkable.
const std::string& BigText() {
  static const std::string text = [] {
    std::string t;
    for (int i = 0; t.size() < 2 * 1024 * 1024; ++i)
      t += Cp1251("Строка номер " + std::to_string(i) + ": загружается по частям, text in pieces.\r\n");
    return t;
  }();
  return text;
}

bool ShowsLoading(Quillo& q) { return q.StatusText(kPanelLineCount).starts_with(W("Загрузка… ")); }

// As WM_GETTEXTLENGTH counts: two per line break.
LRESULT EditorLength(Quillo& q) { return SendMessageW(q.Editor(), WM_GETTEXTLENGTH, 0, 0); }
LRESULT BigLength() { return static_cast<LRESULT>(BigText().size()); }

// The program started on the big file, caught while it is still loading.
class Loading : public testing::Test {
 protected:
  void SetUp() override {
    scratch_.WriteFile(L"big.txt", BigText());
    program_ = std::make_unique<Quillo>(scratch_, L"big.txt");
    ASSERT_TRUE(program_->MainWindow());
    ASSERT_TRUE(WaitUntil([&] { return ShowsLoading(*program_); }, 60s)) << "no progress shown";
  }

  Scratch scratch_{"loading"};
  std::unique_ptr<Quillo> program_;
};

TEST_F(Loading, ABigFileShowsItsStartAndProgressThenAllOfItUnmodified) {
  Quillo& q = *program_;
  const LRESULT partial = EditorLength(q);
  EXPECT_GT(partial, 0) << "the first screen is in";
  EXPECT_LT(partial, BigLength());
  // Typing meanwhile changes nothing.
  PostMessageW(q.Editor(), WM_CHAR, 'x', 1);
  PostMessageW(q.Editor(), WM_CHAR, 'y', 1);
  ASSERT_TRUE(WaitUntil([&] { return !ShowsLoading(q); }, 120s));
  EXPECT_EQ(EditorLength(q), BigLength());
  EXPECT_TRUE(q.Text() == BigText()) << "the text is the file's, whole and in order";
  EXPECT_TRUE(q.StatusText(kPanelLineCount).starts_with(W(LineCountPanelText(0)).substr(0, 6)))
      << "the line count is back: " << U8(q.StatusText(kPanelLineCount));
  EXPECT_EQ(q.StatusText(kPanelModified), L"");
  // Editable now.
  q.Select(0, 0);
  PostMessageW(q.Editor(), WM_CHAR, 'z', 1);
  EXPECT_TRUE(WaitUntil([&] { return EditorLength(q) == BigLength() + 1; }));
  q.Kill();
}

TEST_F(Loading, ClosingWhileLoadingEndsAtOnceAndLeavesTheFile) {
  Quillo& q = *program_;
  q.Post(WM_CLOSE);
  EXPECT_TRUE(q.WaitForExit(30s)) << "no question, no waiting for the rest";
  EXPECT_TRUE(scratch_.ReadFile(L"big.txt") == BigText());
}

TEST_F(Loading, CommandsGivenWhileLoadingActOnTheWholeText) {
  Quillo& q = *program_;
  q.Send(WM_COMMAND, static_cast<WPARAM>(ActionId::EditSelectAll));
  q.Send(WM_COMMAND, static_cast<WPARAM>(ActionId::EditCopy));
  EXPECT_FALSE(ShowsLoading(q));
  EXPECT_TRUE(ClipboardText() == Win1251ToUtf8(BigText())) << "what is copied is all of it";
  EXPECT_EQ(q.StatusText(kPanelModified), L"");
  q.Kill();
}

}  // namespace
}  // namespace quillo::e2e

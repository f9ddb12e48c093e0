// Select all, then a command that replaces everything: on texts of every
// size, around the size where a replacement stops going through the
// control's own undo, and far beyond it.
#include <gtest/gtest.h>

#include <string>

#include "core/action_table.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

// Lines of Russian and Latin words, `size` bytes of Windows-1251 in all.
std::string Document(size_t size) {
  const std::string line = Cp1251("съешь же ещё этих мягких булок, text 42\r\n");
  std::string text;
  while (text.size() + line.size() <= size) text += line;
  text.append(size - text.size(), 'x');
  return text;
}

std::string Upper(std::string text) {
  for (char& c : text) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') c = static_cast<char>(b - 32);
    else if (b >= 0xE0) c = static_cast<char>(b - 32);
    else if (b == 0xB8) c = static_cast<char>(0xA8);  // ё
  }
  return text;
}

TEST(SelectAll, ThenUpperCaseAndPasteReplaceTheWholeTextAsOneStep) {
  // The last two sit just under and just over the large-replacement size.
  for (size_t size : {size_t{2} << 20, size_t{4000}, size_t{4200}}) {
    SCOPED_TRACE(size);
    Scratch scratch("select-all-" + std::to_string(size));
    const std::string doc = Document(size);
    scratch.WriteFile(L"doc.txt", doc);
    Quillo q(scratch, L"\"" + scratch.Path(L"doc.txt") + L"\"");
    q.MainWindow();
    ASSERT_TRUE(WaitUntil([&] { return q.Text().size() == doc.size(); }, 60s));

    q.Keys("ctrl+a");
    q.Keys("ctrl+Up");
    ASSERT_TRUE(WaitUntil([&] { return q.Text() == Upper(doc); }, 120s)) << "upper case of everything";
    EXPECT_EQ(q.WaitForMessageBox("Ошибка", 1s), nullptr);
    q.Keys("ctrl+z");
    ASSERT_TRUE(WaitUntil([&] { return q.Text() == doc; }, 120s)) << "one undo restores it";

    SetClipboardText("вставлено поверх всего");
    q.Keys("ctrl+a");
    q.Keys("ctrl+v");
    ASSERT_TRUE(WaitUntil([&] { return q.Text() == Cp1251("вставлено поверх всего"); }, 120s));
    EXPECT_EQ(q.WaitForMessageBox("Ошибка", 1s), nullptr);
    q.Keys("ctrl+z");
    ASSERT_TRUE(WaitUntil([&] { return q.Text() == doc; }, 120s)) << "one undo brings the text back";

    q.Keys("Escape");
    if (HWND box = q.WaitForMessageBox("Внимание", 5s)) Quillo::Press(box, IDNO);
    EXPECT_TRUE(q.WaitForExit());
  }
}

}  // namespace
}  // namespace quillo::e2e

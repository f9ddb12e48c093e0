// The slow paths with big files stay bounded: for each 2 MB shape of text,
// with word wrap on, opening through "Открыть" in a running window, switching
// wrap off and on, a code-page view switch, a whole-text command, Ctrl+Z and
// the editor's height changed (find panel, tool bar, window) each finish
// within a generous bound (under Wine each takes a few seconds;
// the slow ways took from half a minute to many minutes, many times the bare
// control's own time for the text).
//
// Each shape is a test of its own, so the shards of the suite share them.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "core/action_table.h"
#include "core/codepage.h"
#include "core/win1251.h"
#include "tests/e2e/bare_control.h"
#include "tests/e2e/file_dialog_driver.h"
#include "tests/e2e/harness.h"

namespace quillo::e2e {
namespace {

// The bound: 15 s, or two and a half times what the bare control takes for
// the same text at this moment when the machine is slow or busy (the tests
// run in lanes side by side on few cores).
constexpr double kBoundSeconds = 15.0;
constexpr double kBoundFloors = 2.5;

struct Shape {
  const char* name;
  std::string text;  // Windows-1251, CR LF
};

std::string Repeat(const std::string& unit, size_t bytes) {
  std::string text;
  text.reserve(bytes + unit.size());
  while (text.size() < bytes) text += unit;
  return text;
}

// Built once for the binary.
const std::vector<Shape>& Shapes() {
  static const std::vector<Shape> shapes = [] {
    const size_t size = 2 * 1024 * 1024;
    std::string letters;
    for (int i = 0; i < 9; ++i) letters += "жжжжжжж ";
    letters += "жжжжжжжжжж\r\n";
    std::string prose;
    while (prose.size() < 1700)
      prose += "Длинный абзац обычного текста, в котором предложения идут одно за другим. ";
    return std::vector<Shape>{
        {"90-character lines",
         Repeat(Cp1251("Строка из девяноста знаков: text 0123456789 и ещё немного слов до конца.....\r\n"), size)},
        {"lines of 73 letters", Repeat(Cp1251(letters), size)},
        {"paragraphs of 1700 characters", Repeat(Cp1251(prose + "\r\n"), size)},
    };
  }();
  return shapes;
}

int ControlLength(const std::string& crlf) {
  return static_cast<int>(crlf.size()) - static_cast<int>(std::count(crlf.begin(), crlf.end(), '\n'));
}

double Seconds(const std::function<void()>& f) {
  auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The bare control's time, in this process: the text streamed into a fresh
// visible control of the editor's size, wrapped, with the editor's font.
double FloorSeconds(const std::string& cp1251, RECT editorClient) {
  const std::u16string wide = Win1251ToUtf16(cp1251);
  LoadLibraryW(L"riched20.dll");
  const int width = editorClient.right + 4, height = editorClient.bottom + 4;  // with the client edge
  HWND parent = CreateWindowExW(0, L"STATIC", L"floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                width + 40, height + 80, nullptr, nullptr, nullptr, nullptr);
  const double seconds = Seconds([&] {
    HWND edit = CreateBareControl(parent, WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                                  SIZE{width, height}, true);
    StreamIntoBareControl(edit, wide);
    UpdateWindow(edit);
  });
  DestroyWindow(parent);
  return seconds;
}

void Do(Quillo& q, ActionId id) { q.Send(WM_COMMAND, static_cast<WPARAM>(id)); }

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

class BigFiles : public testing::TestWithParam<int> {};

TEST_P(BigFiles, EveryPathOfATwoMegabyteDocumentStaysBounded) {
  const Shape& shape = Shapes()[static_cast<size_t>(GetParam())];
  Scratch scratch("big-files");
  scratch.WriteSettings("[Options]\r\ndlgPath=" + Narrow(scratch.Folder()) + "\r\n");
  scratch.WriteFile(L"big.txt", shape.text);
  Quillo q(scratch);
  HWND editor = nullptr;
  ASSERT_TRUE(q.MainWindow());
  RECT client{};
  GetClientRect(q.Editor(), &client);
  const double floor = FloorSeconds(shape.text, client);
  const double bound = std::max(kBoundSeconds, kBoundFloors * floor);
  const int length = ControlLength(shape.text);
  auto inControl = [&] {
    editor = q.Editor();
    return editor && SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0) >= length;
  };

  q.Command(static_cast<UINT>(ActionId::FileOpen));
  HWND dialog = WaitForFileDialog(q.Pid());
  ASSERT_NE(dialog, nullptr);
  const double open = Seconds([&] {
    ChooseFile(dialog, scratch.Path(L"big.txt"));
    WaitUntil(inControl, std::chrono::seconds(60));
  });
  ASSERT_TRUE(inControl());
  const double wrapOff = Seconds([&] { Do(q, ActionId::OptWordWrap); });
  const double wrapOn = Seconds([&] { Do(q, ActionId::OptWordWrap); });
  const double dosView = Seconds([&] { Do(q, ActionId::CodDOS); });
  const std::string viewed = q.Text();
  const double command = Seconds([&] { Do(q, ActionId::TextRegInvert); });
  const std::string inverted = q.Text();
  EXPECT_NE(inverted, viewed);
  const double undo = Seconds([&] {
    q.Keys("ctrl+z");
    // Text() gives nothing while the program is busy for more than a few seconds.
    WaitUntil([&] {
      const std::string now = q.Text();
      return !now.empty() && now != inverted;
    }, std::chrono::seconds(60));
  });
  EXPECT_TRUE(q.Text() == viewed) << "Ctrl+Z gives the view's text back";
  // A change of the editor's height re-wraps the whole text in the control.
  const double findPanel = Seconds([&] { Do(q, ActionId::FindFind); });
  const double toolBar = Seconds([&] { Do(q, ActionId::OptToolBar); });
  RECT frame;
  GetWindowRect(q.MainWindow(), &frame);
  const double lower = Seconds([&] {
    SetWindowPos(q.MainWindow(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - 40,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    q.Send(WM_NULL, 0);
  });
  std::printf("%-30s bare control %.2f (bound %.1f), open %.2f, wrap off %.2f, on %.2f, DOS view %.2f, "
              "command %.2f, Ctrl+Z %.2f, find panel %.2f, tool bar %.2f, window lower %.2f s\n",
              shape.name, floor, bound, open, wrapOff, wrapOn, dosView, command, undo, findPanel, toolBar, lower);
  for (double s : {open, wrapOff, wrapOn, dosView, command, undo, findPanel, toolBar, lower})
    EXPECT_LT(s, bound);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BigFiles, testing::Range(0, 3));

}  // namespace
}  // namespace quillo::e2e


// Times the editor's text operations on a large document, one line each.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>

#include "app/editor/rich_edit.h"
#include "core/win1251.h"

using namespace quillo;

namespace {

struct NoEvents : EditorEvents {};

double Time(const char* what, const std::function<void()>& f) {
  auto t0 = std::chrono::steady_clock::now();
  f();
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::printf("%-40s %8.3f s\n", what, s);
  std::fflush(stdout);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  size_t size = argc > 1 ? std::stoul(argv[1]) * 1024 : 1024 * 1024;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuilloTiming";
  RegisterClassW(&wc);
  HWND parent = CreateWindowW(L"QuilloTiming", L"timing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              800, 600, nullptr, nullptr, wc.hInstance, nullptr);
  NoEvents events;
  MyRichEdit editor;
  editor.Create(parent, &events);
  MoveWindow(editor.Handle(), 0, 0, 800, 600, TRUE);

  std::string line = Utf8ToWin1251("Строка текста для проверки скорости замены всего текста.\r\n");
  std::string text;
  while (text.size() < size) text += line;
  std::string upper = text;
  for (auto& ch : upper)
    if (static_cast<unsigned char>(ch) >= 0xE0) ch = static_cast<char>(ch - 0x20);
  std::printf("document: %zu bytes\n", text.size());

  Time("SetText (stream-in)", [&] { editor.SetText(text); });
  Time("GetText", [&] { (void)editor.GetText(); });
  Time("ControlText", [&] { (void)editor.ControlText(); });
  Time("GetCaretPos", [&] { (void)editor.GetCaretPos(); });
  Time("SetCaretPos line 100", [&] { editor.SetCaretPos({5, 100}); });
  Time("LineCount", [&] { (void)editor.LineCount(); });
  Time("ReplaceAllText (whole text changes)", [&] { editor.ReplaceAllText(upper); });
  Time("Undo", [&] { editor.Undo(); });
  Time("Redo", [&] { editor.Redo(); });
  Time("ReplaceAllText (one line changes)", [&] {
    std::string t = upper;
    t[t.size() / 2] = 'Z';
    editor.ReplaceAllText(t);
  });
  Time("Undo (control)", [&] { editor.Undo(); });
  int mid = static_cast<int>(text.size() / 2);
  Time("SetSelection middle", [&] { editor.SetSelection(mid, mid + 1); });
  Time("SetSelText one char (EM_REPLACESEL)", [&] { editor.SetSelText("Z"); });
  Time("SetSelection middle again", [&] { editor.SetSelection(mid + 10, mid + 11); });
  Time("SetSelText 5000 chars", [&] { editor.SetSelText(std::string(5000, 'q')); });
  Time("Undo", [&] { editor.Undo(); });
  // A paste's cost follows its size and place, not the document's size.
  std::string paste;
  while (paste.size() < 64 * 1024) paste += line;
  const int rows = editor.RowCount();
  for (const auto& [where, row] : {std::pair{"top", 0}, std::pair{"middle", rows / 2},
                                   std::pair{"end", rows - 1}}) {
    const int at = editor.RowStart(row);
    editor.SetSelection(at, at);
    Time((std::string("paste 64 KB at the ") + where).c_str(), [&] { editor.SetSelText(paste); });
    Time("  its undo", [&] { editor.Undo(); });
  }
  editor.SetSelection(mid, mid);
  Time("paste 4 KB at the middle", [&] { editor.SetSelText(paste.substr(0, 4096)); });
  Time("  its undo", [&] { editor.Undo(); });
  for (int n : {1000, 5000, 20000}) {
    std::wstring w(static_cast<size_t>(n), L'r');
    std::string label = "EM_REPLACESEL " + std::to_string(n) + " chars";
    editor.SetSelection(mid, mid);
    Time(label.c_str(), [&] { SendMessageW(editor.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(w.c_str())); });
  }
  Time("WM_SETREDRAW off/on + invalidate", [&] {
    SendMessageW(editor.Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(editor.Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(editor.Handle(), nullptr, TRUE);
    UpdateWindow(editor.Handle());
  });
  Time("SetModified", [&] { editor.SetModified(true); });
  return 0;
}

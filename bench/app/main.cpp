// `make bench`'s table: every way text enters or changes in the editor, for
// each shape of text, timed on the real program against the floor of Wine's
// rich-edit control measured in the same run. Each group of rows runs in a
// fresh quillo.exe so that rows do not disturb each other.
//   quillo_bench_table.exe <folder for texts and table.md>
// BENCH_BIG=1 adds opening 20 MB files; BENCH_ONLY=<shape key> measures one shape.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/app/bench_table.h"
#include "bench/app/bench_texts.h"
#include "bench/app/floor.h"
#include "bench/app/quillo_paths.h"
#include "core/win1251.h"
#include "tests/e2e/harness.h"

using namespace quillo;
using namespace quillo::bench;

namespace {

constexpr size_t kMB = 1024 * 1024;
constexpr size_t kPasteBytes = 64 * 1024;

struct Document {
  std::string text;  // Windows-1251, CR LF
  std::wstring file;
  std::string size;  // "2 MB"
  int length() const { return EditorLength(text); }
};

struct Floors {
  Measure on, after, off;
};

Document Write(const std::wstring& folder, const Shape& shape, size_t mb) {
  Document d;
  d.text = MakeText(shape, mb * kMB);
  d.file = folder + L"\\" + e2e::W(shape.key) + L"-" + std::to_wstring(mb) + L"mb.txt";
  d.size = std::to_string(mb) + " MB";
  std::ofstream(d.file.c_str(), std::ios::binary).write(d.text.data(),
                                                        static_cast<std::streamsize>(d.text.size()));
  return d;
}

std::wstring Wide(const std::string& win1251) {
  std::u16string w = Win1251ToUtf16(win1251);
  return std::wstring(w.begin(), w.end());
}

std::wstring Upper(std::wstring s) {
  CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

std::wstring Replaced(std::wstring s, const std::string& find, const std::string& replace) {
  const std::wstring f = e2e::W(find), r = e2e::W(replace);
  for (size_t at = s.find(f); at != std::wstring::npos; at = s.find(f, at + r.size()))
    s.replace(at, f.size(), r);
  return s;
}

class Table {
 public:
  explicit Table(SIZE editor) : editor_(editor) {}

  Floors& FloorsOf(const Document& d) {
    auto it = floors_.find(d.file);
    if (it != floors_.end()) return it->second;
    Floors f{MeasureFloor(d.file, FloorWrap::kInStream, editor_),
             MeasureFloor(d.file, FloorWrap::kAfter, editor_),
             MeasureFloor(d.file, FloorWrap::kOff, editor_)};
    std::printf("  floor, %s: wrap in stream %.2f s, wrap after %.2f s, no wrap %.2f s\n",
                e2e::U8(d.file.substr(d.file.find_last_of(L'\\') + 1)).c_str(), f.on.seconds,
                f.after.seconds, f.off.seconds);
    std::fflush(stdout);
    return floors_[d.file] = f;
  }

  // A row against the floors of the text it ends with; `check` false marks it.
  void Add(const std::string& path, const Shape& shape, const Document& d, bool wrap,
           const QuilloMeasure& m, bool check = true, double notepad = -1) {
    Row r;
    r.path = path;
    r.shape = shape.label;
    r.size = d.size;
    r.wrap = wrap;
    r.quillo = m;
    r.firstScreen = m.firstScreen;
    r.notepad = notepad;
    r.note = m.note;
    if (!check) r.note = "wrong text after it" + (r.note.empty() ? "" : "; " + r.note);
    if (!d.file.empty()) {
      const Floors& f = FloorsOf(d);
      r.floorA = wrap ? f.on : f.off;
      if (wrap) r.floorB = f.after;
    }
    rows_.push_back(r);
    std::printf("%s\n", Summary(r).c_str());
    std::fflush(stdout);
  }

  const std::vector<Row>& Rows() const { return rows_; }

 private:
  SIZE editor_;
  std::map<std::wstring, Floors> floors_;
  std::vector<Row> rows_;
};

SIZE ProbeEditorSize(const e2e::Scratch& scratch) {
  QuilloRun run(scratch, true);
  return run.EditorSize();
}

void MeasureShape(const e2e::Scratch& scratch, const std::wstring& folder, const Shape& shape,
                  Table& table) {
  const Document doc = Write(folder, shape, 2);
  const std::wstring head = Wide(doc.text.substr(0, 40));
  const int n = static_cast<int>(head.size());
  table.FloorsOf(doc);  // before any quillo.exe runs beside them

  const Measure notepad = MeasureNotepad(doc.file, doc.length());
  {
    QuilloRun run(scratch, true, doc.file, doc.length());
    table.Add("open, command line", shape, doc, true, run.Opening(), run.Head(n) == head,
              notepad.seconds);
  }
  {
    QuilloRun run(scratch, false, doc.file, doc.length());
    table.Add("open, command line", shape, doc, false, run.Opening(), run.Head(n) == head,
              notepad.seconds);
  }
  {
    QuilloRun run(scratch, true);
    QuilloMeasure m = run.OpenThroughDialog(doc.file, doc.length());
    table.Add("\"Открыть\" in a window", shape, doc, true, m, run.Head(n) == head);
  }
  // The rest start from the document opened on the command line (not timed again).
  auto opened = [&](bool wrap, const std::function<void(QuilloRun&)>& rows) {
    QuilloRun run(scratch, wrap, doc.file, doc.length());
    if (!run.Ready()) {
      QuilloMeasure failed = run.Opening();
      table.Add("(opening for the next rows)", shape, doc, wrap, failed, false);
      return;
    }
    rows(run);
  };
  opened(true, [&](QuilloRun& run) {
    QuilloMeasure m = run.Command(ActionId::FileUpdate);
    table.Add("reload (\"Обновить\")", shape, doc, true, m, run.Head(n) == head);
  });
  opened(true, [&](QuilloRun& run) {
    QuilloMeasure m = run.Command(ActionId::CodDOS);
    table.Add("view as DOS-866", shape, doc, true, m, run.Head(n) != head);
    m = run.Command(ActionId::CodWIN);
    table.Add("  and back to Windows-1251", shape, doc, true, m, run.Head(n) == head);
  });
  opened(true, [&](QuilloRun& run) {
    QuilloMeasure m = run.Command(ActionId::OptWordWrap);
    table.Add("word wrap off", shape, doc, false, m, run.Head(n) == head);
    m = run.Command(ActionId::OptWordWrap);
    table.Add("  and on again", shape, doc, true, m, run.Head(n) == head);
  });
  opened(true, [&](QuilloRun& run) {
    run.Command(ActionId::EditSelectAll);
    QuilloMeasure m = run.Command(ActionId::TextRegUpper);
    table.Add("upper case (Ctrl+A)", shape, doc, true, m, run.Head(n) == Upper(head));
    m = run.Command(ActionId::EditUndo);
    table.Add("  its undo (Ctrl+Z)", shape, doc, true, m, run.Head(n) == head);
    m = run.Command(ActionId::EditRedo);
    table.Add("  its redo", shape, doc, true, m, run.Head(n) == Upper(head));
  });
  opened(true, [&](QuilloRun& run) {
    QuilloMeasure m = run.ReplaceAll(shape.find, shape.replace);
    table.Add("\"Заменить все\" " + shape.find + " → " + shape.replace, shape, doc, true, m,
              run.Head(n) == Replaced(head, shape.find, shape.replace));
  });

  // Small edits: 64 KB into 1 MB; the goal is 0.2 s, whatever the document's size.
  const Document mega = Write(folder, shape, 1);
  std::string paste = MakeText(shape, kPasteBytes).substr(0, kPasteBytes);
  if (paste.back() == '\r') paste.pop_back();
  QuilloRun run(scratch, true, mega.file, mega.length());
  if (!run.Ready()) {
    table.Add("(opening 1 MB)", shape, mega, true, run.Opening(), false);
    return;
  }
  const Document noFloor{"", L"", mega.size};
  QuilloMeasure m = run.Paste(Win1251ToUtf8(paste), EditorLength(paste));
  if (m.note.empty()) m.note = "goal 0.2 s";
  table.Add("paste 64 KB", shape, noFloor, true, m);
  m = run.Command(ActionId::EditUndo);
  table.Add("  its undo", shape, noFloor, true, m, run.Length() == mega.length());
}

void MeasureBigOpening(const e2e::Scratch& scratch, const std::wstring& folder, const Shape& shape,
                       Table& table) {
  const Document doc = Write(folder, shape, 20);
  const Measure notepad = MeasureNotepad(doc.file, doc.length());
  for (bool wrap : {false, true}) {
    QuilloRun run(scratch, wrap, doc.file, doc.length());
    QuilloMeasure m = run.Opening();
    if (!wrap && notepad.ok())
      m.note += (m.note.empty() ? "" : "; ") + ("notepad " + std::to_string(static_cast<int>(notepad.peakMB)) + " MB");
    table.Add("open, command line", shape, doc, wrap, m, true, notepad.seconds);
  }
  DeleteFileW(doc.file.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wstring(argv[1]) == L"--floor") return RunFloorChild(argc - 2, argv + 2);
  if (argc < 2) {
    std::fprintf(stderr, "usage: quillo_bench_table <folder>\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  CreateDirectoryW(folder.c_str(), nullptr);
  const char* big = std::getenv("BENCH_BIG");
  const bool withBig = big && std::string(big) == "1";
  const char* only = std::getenv("BENCH_ONLY");
  auto wanted = [&](const Shape& s) { return !only || !*only || s.key == only; };

  e2e::Scratch scratch("bench");
  const SIZE editor = ProbeEditorSize(scratch);
  std::printf("editor window %ld x %ld; texts and table.md in %s\n", editor.cx, editor.cy,
              e2e::U8(folder).c_str());
  Table table(editor);
  for (const Shape& shape : Shapes())
    if (wanted(shape)) MeasureShape(scratch, folder, shape, table);
  if (withBig) {
    SetRowLimit(std::chrono::seconds(900));
    for (const Shape& shape : Shapes())
      if (wanted(shape)) MeasureBigOpening(scratch, folder, shape, table);
  }

  std::printf("\n%s", PlainTable(table.Rows()).c_str());
  std::ofstream((folder + L"\\table.md").c_str(), std::ios::binary) << MarkdownTable(table.Rows());
  return 0;
}

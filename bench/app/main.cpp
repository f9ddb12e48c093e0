// `make bench`'s table: every way text enters or changes in the editor, for
// each shape of text, timed on the real program against the floor of Wine's
// rich-edit control measured in the same run. Each group of rows runs in a
// fresh quillo.exe so that rows do not disturb each other.
//   quillo_bench_table.exe <folder for texts and table.md>
// BENCH_BIG=1 adds every path on 20 MB texts, BENCH_BIG=only measures only
// those; BENCH_ONLY=<shape key> measures one shape; BENCH_SMALL=only measures
// only the small edits.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
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
  unsigned codePage = 1251;  // 866: the file as the DOS-866 view shows it
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

// The document with its text changed as a row leaves it, written beside it:
// that row's floor streams the text the row ends with.
Document Changed(const Document& d, const std::string& key, const std::string& text) {
  Document c = d;
  c.text = text;
  c.file = d.file.substr(0, d.file.size() - 4) + L"-" + e2e::W(key) + L".txt";
  std::ofstream(c.file.c_str(), std::ios::binary).write(c.text.data(), static_cast<std::streamsize>(c.text.size()));
  return c;
}

Document AsDos(const Document& d) {
  Document c = d;
  c.codePage = 866;
  return c;
}

std::wstring Wide(const std::string& win1251) {
  std::u16string w = Win1251ToUtf16(win1251);
  return std::wstring(w.begin(), w.end());
}

std::wstring Upper(std::wstring s) {
  CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

std::string Upper1251(const std::string& text) {
  const std::wstring upper = Upper(Wide(text));
  return Utf16ToWin1251(std::u16string(upper.begin(), upper.end()));
}

std::string Replaced1251(const std::string& text, const std::string& findUtf8, const std::string& replaceUtf8) {
  const std::string find = Utf8ToWin1251(findUtf8), replace = Utf8ToWin1251(replaceUtf8);
  std::string s = text;
  for (size_t at = s.find(find); at != std::string::npos; at = s.find(find, at + replace.size()))
    s.replace(at, find.size(), replace);
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
    const std::wstring key = d.file + L"|" + std::to_wstring(d.codePage);
    auto it = floors_.find(key);
    if (it != floors_.end()) return it->second;
    const auto limitMs = static_cast<DWORD>(RowLimit().count() * 1000);
    Floors f{MeasureFloor(d.file, d.codePage, FloorWrap::kInStream, editor_, limitMs),
             MeasureFloor(d.file, d.codePage, FloorWrap::kAfter, editor_, limitMs),
             MeasureFloor(d.file, d.codePage, FloorWrap::kOff, editor_, limitMs)};
    std::printf("  floor, %s (%u): wrap in stream %.2f s, wrap after %.2f s, no wrap %.2f s\n",
                e2e::U8(d.file.substr(d.file.find_last_of(L'\\') + 1)).c_str(), d.codePage, f.on.seconds,
                f.after.seconds, f.off.seconds);
    std::fflush(stdout);
    return floors_[key] = f;
  }

  // A row against the floors of the text it ends with; `check` false marks
  // it. `heldFloorMB`: for a row run after others in the same process, the
  // largest floor peak among the texts it held before (its peak includes
  // them). `own`: the floor of a row that is not a whole text streamed in.
  void Add(const std::string& path, const Shape& shape, const Document& d, bool wrap,
           const QuilloMeasure& m, bool check = true, double notepad = -1, double heldFloorMB = -1,
           const Measure& own = {}) {
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
      r.openingFloorMB = heldFloorMB;
    }
    if (own.ok()) r.floorA = own;
    rows_.push_back(r);
    std::printf("%s\n", Summary(r).c_str());
    std::fflush(stdout);
  }

  const std::vector<Row>& Rows() const { return rows_; }

  // The peak of the faster floor for the text with this wrap setting.
  double FloorPeakMB(const Document& d, bool wrap) {
    if (d.file.empty()) return -1;
    const Floors& f = FloorsOf(d);
    const Measure* best = nullptr;
    for (const Measure* m : wrap ? std::vector{&f.on, &f.after} : std::vector{&f.off})
      if (m->ok() && (!best || m->seconds < best->seconds)) best = m;
    return best ? best->peakMB : -1;
  }

 private:
  SIZE editor_;
  std::map<std::wstring, Floors> floors_;
  std::vector<Row> rows_;
};

SIZE ProbeEditorSize(const e2e::Scratch& scratch) {
  QuilloRun run(scratch, true);
  return run.EditorSize();
}

// A row measured in a running program.
struct Step {
  std::string path;
  bool wrap;  // the row's wrap setting
  std::function<QuilloMeasure(QuilloRun&)> act;
  std::function<bool(QuilloRun&)> check;  // the text after it
  std::optional<Document> ends{};  // the text it ends with, when not the document's own
  Measure floor{};  // its own floor, for a group not measured against the document's
};

// Steps in one fresh quillo.exe that has opened the document from the
// command line first (not a row). A step that does not finish leaves the
// program busy: the steps after it are not measured.
void Group(const e2e::Scratch& scratch, Table& table, const Shape& shape, const Document& doc,
           bool wrap, const std::vector<Step>& steps, bool againstFloor = true) {
  QuilloRun run(scratch, wrap, doc.file, doc.length());
  const Document noFloor{"", L"", doc.size};
  const Document& floorDoc = againstFloor ? doc : noFloor;
  bool going = run.Ready();
  if (!going) table.Add("(opening for the rows below)", shape, doc, wrap, run.Opening(), true);
  double heldMB = table.FloorPeakMB(floorDoc, wrap);
  for (const Step& step : steps) {
    if (!going) {
      QuilloMeasure skipped;
      skipped.note = "not measured";
      table.Add(step.path, shape, floorDoc, step.wrap, skipped, true, -1, heldMB);
      continue;
    }
    const QuilloMeasure m = step.act(run);
    const Document& ends = step.ends && againstFloor ? *step.ends : floorDoc;
    table.Add(step.path, shape, ends, step.wrap, m, !m.ok() || step.check(run), -1, heldMB, step.floor);
    heldMB = std::max(heldMB, table.FloorPeakMB(ends, step.wrap));
    going = m.ok();
  }
}

void MeasureShape(const e2e::Scratch& scratch, const std::wstring& folder, const Shape& shape,
                  Table& table, size_t mb) {
  const Document doc = Write(folder, shape, mb);
  const std::wstring head = Wide(doc.text.substr(0, 40));
  const int n = static_cast<int>(head.size());
  // Every floor before any quillo.exe runs beside them: the document's own,
  // and those of the texts rows end with.
  const Document dos = AsDos(doc);
  const Document upper = Changed(doc, "upper", Upper1251(doc.text));
  const Document replaced = Changed(doc, "replaced", Replaced1251(doc.text, shape.find, shape.replace));
  for (const Document* d : {&doc, &dos, &upper, &replaced}) table.FloorsOf(*d);

  const Measure notepad = MeasureNotepad(doc.file, doc.length());
  for (bool wrap : {true, false}) {
    QuilloRun run(scratch, wrap, doc.file, doc.length());
    QuilloMeasure m = run.Opening();
    if (notepad.ok()) m.note += (m.note.empty() ? "" : "; ") + ("notepad " + std::to_string(static_cast<int>(notepad.peakMB)) + " MB");
    table.Add("open, command line", shape, doc, wrap, m, run.Head(n) == head, notepad.seconds);
  }
  {
    QuilloRun run(scratch, true);
    QuilloMeasure m = run.OpenThroughDialog(doc.file, doc.length());
    table.Add("\"Открыть\" in a window", shape, doc, true, m, run.Head(n) == head);
  }
  {
    // The same through the file dialog with a file of a few lines: the time
    // the dialog itself takes under Wine, within the row above.
    Document small = Changed(doc, "1kb", MakeText(shape, 1024));
    small.size = "1 KB";
    QuilloRun run(scratch, true);
    QuilloMeasure m = run.OpenThroughDialog(small.file, small.length());
    table.Add("\"Открыть\" in a window", shape, small, true, m, run.Length() == small.length());
  }
  {
    QuilloRun run(scratch, true);
    QuilloMeasure m = run.OpenDropped(doc.file, doc.length());
    table.Add("dropped on the window", shape, doc, true, m, run.Head(n) == head);
  }
  using Ids = std::initializer_list<ActionId>;
  auto command = [](Ids ids) {
    return [ids](QuilloRun& run) {
      QuilloMeasure m;
      for (ActionId id : ids) m = run.Command(id);  // the last one is the timed one
      return m;
    };
  };
  auto shows = [n](std::wstring expected) {
    return [n, expected](QuilloRun& run) { return run.Head(n) == expected; };
  };
  auto changed = [n, head](QuilloRun& run) { return run.Head(n) != head; };
  Group(scratch, table, shape, doc, true, {{"reload (\"Обновить\")", true, command({ActionId::FileUpdate}), shows(head)}});
  // The file is the first recent one once "Создать" has put it away.
  Group(scratch, table, shape, doc, true,
        {{"recent file, after \"Создать\"", true,
          [&](QuilloRun& run) {
            run.Command(ActionId::FileNew, 0);
            return run.OpenRecent(doc.length());
          },
          shows(head)}});
  Group(scratch, table, shape, doc, true,
        {{"view as DOS-866", true, command({ActionId::CodDOS}), changed, dos},
         {"  and back to Windows-1251", true, command({ActionId::CodWIN}), shows(head)}});
  Group(scratch, table, shape, doc, true,
        {{"word wrap off", false, command({ActionId::OptWordWrap}), shows(head)},
         {"  and on again", true, command({ActionId::OptWordWrap}), shows(head)}});
  Group(scratch, table, shape, doc, true,
        {{"upper case (Ctrl+A)", true, command({ActionId::EditSelectAll, ActionId::TextRegUpper}),
          shows(Upper(head)), upper},
         {"  its undo (Ctrl+Z)", true, command({ActionId::EditUndo}), shows(head)},
         {"  its redo", true, command({ActionId::EditRedo}), shows(Upper(head)), upper}});
  Group(scratch, table, shape, doc, true,
        {{"\"Заменить все\" " + shape.find + " → " + shape.replace, true,
          [&](QuilloRun& run) { return run.ReplaceAll(shape.find, shape.replace); },
          shows(Replaced(head, shape.find, shape.replace)), replaced}});

  if (mb != 2)
    for (const Document* d : {&doc, &upper, &replaced}) DeleteFileW(d->file.c_str());
}

// Small edits: 64 KB pasted into the middle of 1 MB, and its undo, against
// the bare control doing the same and the goal of 0.2 s.
void MeasureSmallEdits(const e2e::Scratch& scratch, const std::wstring& folder, const Shape& shape,
                       Table& table, SIZE editor) {
  const Document mega = Write(folder, shape, 1);
  std::string paste = MakeText(shape, kPasteBytes).substr(0, kPasteBytes);
  if (paste.back() == '\r') paste.pop_back();
  const Document pasted = Changed(mega, "paste", paste);
  const EditFloor floor =
      MeasureEditFloor(mega.file, pasted.file, editor, static_cast<DWORD>(RowLimit().count() * 1000));
  DeleteFileW(pasted.file.c_str());
  const int megaLength = mega.length();
  Group(scratch, table, shape, mega, true,
        {{"paste 64 KB", true,
          [&](QuilloRun& run) {
            QuilloMeasure m = run.Paste(Win1251ToUtf8(paste), EditorLength(paste));
            if (m.note.empty()) m.note = "goal 0.2 s; 1 MB in " + std::to_string(floor.rows) + " rows";
            return m;
          },
          [&](QuilloRun& run) { return run.Length() == megaLength + EditorLength(paste); }, std::nullopt,
          floor.insert},
         {"  its undo", true,
          [&](QuilloRun& run) { return run.Command(ActionId::EditUndo, megaLength); },
          [](QuilloRun&) { return true; },  // the length it waits for is the check
          std::nullopt, floor.undo}},
        false);
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
  const std::string bigMode = big ? big : "";
  const char* only = std::getenv("BENCH_ONLY");
  const char* small = std::getenv("BENCH_SMALL");
  const bool smallOnly = small && std::string(small) == "only";
  auto wanted = [&](const Shape& s) { return !only || !*only || s.key == only; };

  // A 2 MB row that takes longer is a fault to look into, not a figure.
  SetRowLimit(std::chrono::seconds(120));
  e2e::Scratch scratch("bench");
  const SIZE editor = ProbeEditorSize(scratch);
  std::printf("editor window %ld x %ld; texts and table.md in %s\n", editor.cx, editor.cy,
              e2e::U8(folder).c_str());
  Table table(editor);
  if (bigMode != "only")
    for (const Shape& shape : Shapes()) {
      if (!wanted(shape)) continue;
      if (!smallOnly) MeasureShape(scratch, folder, shape, table, 2);
      MeasureSmallEdits(scratch, folder, shape, table, editor);
    }
  if (!smallOnly && (bigMode == "1" || bigMode == "only")) {
    SetRowLimit(std::chrono::seconds(300));
    for (const Shape& shape : Shapes())
      if (wanted(shape)) MeasureShape(scratch, folder, shape, table, 20);
  }

  std::printf("\n%s", PlainTable(table.Rows()).c_str());
  std::ofstream((folder + L"\\table.md").c_str(), std::ios::binary) << MarkdownTable(table.Rows());
  return 0;
}

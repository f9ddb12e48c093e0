#include "bench/app/bench_table.h"

#include <algorithm>
#include <cstdio>

namespace quillo::bench {
namespace {

constexpr const char* kLegend =
    "Times in seconds from the message, click or start until the editor holds the whole text,\n"
    "is not read-only and the window answers again; first screen: until some text shows, from\n"
    "the same start or, from the command line, from the window's appearing. Floor A: the same text streamed into a\n"
    "fresh visible rich-edit control (Courier New 12, the editor's size) with the row's wrap\n"
    "setting; floor B: streamed without wrap, wrap switched on after. For the paste rows,\n"
    "floor A is that control holding the same 1 MB text, taking the same 64 KB in at the same\n"
    "place (EM_REPLACESEL) and out again (EM_UNDO), each until repainted. x floor: Quillo / the\n"
    "faster floor. A row without indent starts a fresh quillo.exe; an indented one (an arrow\n"
    "in Markdown) runs in the same process after the row above; rows other than the openings\n"
    "run after the file was opened from the command line (not timed). MB: peak working set\n"
    "of the process; Quillo's includes that opening and the rows before, and the floor's is\n"
    "then the largest of the floors of the texts the process has held (the faster floor's\n"
    "peak for each). x MB: Quillo / the floor's.\n";

std::string Fixed(double v, int decimals) {
  if (v < 0) return "-";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

const Measure* FasterFloor(const Row& r) {
  const Measure* best = nullptr;
  for (const Measure* m : {&r.floorA, &r.floorB})
    if (m->ok() && (!best || m->seconds < best->seconds)) best = m;
  return best;
}

std::vector<std::string> Cells(const Row& r) {
  const Measure* floor = FasterFloor(r);
  const bool timed = r.quillo.ok() && floor;
  const double floorMB = floor ? std::max(floor->peakMB, r.openingFloorMB) : -1;
  const bool weighed = r.quillo.peakMB > 0 && floorMB > 0;
  return {r.path,
          r.shape,
          r.size,
          r.wrap ? "on" : "off",
          Fixed(r.quillo.seconds, 2),
          Fixed(r.firstScreen, 2),
          Fixed(r.floorA.seconds, 2),
          Fixed(r.floorB.seconds, 2),
          Fixed(r.notepad, 2),
          timed ? Fixed(r.quillo.seconds / floor->seconds, 2) : "-",
          Fixed(r.quillo.peakMB, 0),
          Fixed(floorMB, 0),
          weighed ? Fixed(r.quillo.peakMB / floorMB, 2) : "-",
          r.note};
}

const std::vector<std::string>& Header() {
  static const std::vector<std::string> header = {
      "path",     "text",    "size",      "wrap", "Quillo s", "first screen s", "floor A s",
      "floor B s", "notepad s", "x floor", "Quillo MB", "floor MB", "x MB",     "note"};
  return header;
}

// Characters, not bytes: the cells hold Cyrillic UTF-8.
size_t Width(const std::string& s) {
  return static_cast<size_t>(std::count_if(s.begin(), s.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

bool RightAligned(size_t column) { return column >= 4 && column <= 12; }

}  // namespace

std::string Summary(const Row& r) {
  const auto cells = Cells(r);
  std::string line = r.path + ", " + r.shape + ", " + r.size + ", wrap " + cells[3] + ": Quillo " +
                     cells[4] + " s, floors " + cells[6] + " / " + cells[7] + " s, x " + cells[9] +
                     ", " + cells[10] + " MB";
  if (!r.note.empty()) line += " (" + r.note + ")";
  return line;
}

std::string PlainTable(const std::vector<Row>& rows) {
  std::vector<std::vector<std::string>> all{Header()};
  for (const Row& r : rows) all.push_back(Cells(r));
  std::vector<size_t> widths(Header().size(), 0);
  for (const auto& cells : all)
    for (size_t c = 0; c < cells.size(); ++c) widths[c] = std::max(widths[c], Width(cells[c]));
  std::string out;
  for (const auto& cells : all) {
    std::string line;
    for (size_t c = 0; c < cells.size(); ++c) {
      const std::string pad(widths[c] - Width(cells[c]), ' ');
      line += RightAligned(c) ? pad + cells[c] : cells[c] + pad;
      if (c + 1 < cells.size()) line += "  ";
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out + "\n" + kLegend;
}

std::string MarkdownTable(const std::vector<Row>& rows) {
  auto line = [](const std::vector<std::string>& cells) {
    std::string s = "|";
    for (const auto& c : cells) s += " " + c + " |";
    return s + "\n";
  };
  std::string out = line(Header());
  std::string rule = "|";
  for (size_t c = 0; c < Header().size(); ++c) rule += RightAligned(c) ? " ---: |" : " --- |";
  out += rule + "\n";
  for (const Row& r : rows) {
    auto cells = Cells(r);
    // Markdown drops a cell's leading spaces: the indent of a row that runs
    // in the process of the row above becomes an arrow.
    if (cells[0].starts_with("  ")) cells[0] = "↳ " + cells[0].substr(2);
    out += line(cells);
  }
  return out + "\n" + kLegend;
}

}  // namespace quillo::bench

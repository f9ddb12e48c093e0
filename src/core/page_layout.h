#pragma once
// Plain text laid out on printed pages: page margins turned into the device's
// text rectangle, lines broken to the rectangle's width, rows gathered into
// pages. Everything is in device units; the window layer measures text with
// the printer's font and draws the rows.
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillo {

// What the printer's device context reports (GetDeviceCaps).
struct PrinterMetrics {
  int dpiX = 0, dpiY = 0;                          // LOGPIXELSX, LOGPIXELSY
  int paperWidth = 0, paperHeight = 0;             // PHYSICALWIDTH, PHYSICALHEIGHT
  int offsetX = 0, offsetY = 0;                    // PHYSICALOFFSETX, PHYSICALOFFSETY
  int printableWidth = 0, printableHeight = 0;     // HORZRES, VERTRES
};

// Page margins in hundredths of a millimetre, measured from the paper's edges.
struct PageMargins {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct DeviceRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const DeviceRect&) const = default;
};

// A length in millimetres (as the settings hold margins) in whole hundredths,
// rounded to the nearest; negative or unreadable lengths count as 0 and very
// large ones stop at 10 m.
int MillimetresToHundredths(double millimetres);
// The same length rounded to whole millimetres first, as printing uses it
// (12.6 mm prints as 13 mm, 12.4 mm as 12 mm).
int WholeMillimetresInHundredths(double millimetres);

// Hundredths of a millimetre in device pixels at dpi, rounded to the nearest.
int HundredthsToDevice(int hundredths, int dpi);

// The rectangle the text goes into, in the coordinates the device context
// draws in (origin at the printable area's corner). Margins are measured
// from the paper's edges and never reach outside the printable area. Empty
// (zero or negative width or height) when the margins leave no room.
DeviceRect TextRectangle(const PrinterMetrics& metrics, const PageMargins& margins);

// Tabs as spaces up to the next multiple of tabSize columns of their line.
std::u16string ExpandTabs(std::u16string_view text, int tabSize = 8);

// One printed row: a piece of the text that is drawn on one line.
struct TextRow {
  size_t start = 0;
  size_t length = 0;
  bool operator==(const TextRow&) const = default;
};

// How many leading UTF-16 units of text fit into maxWidth device units with
// the printer's font (0 when not even the first one fits).
using FitFunction = std::function<size_t(std::u16string_view text, int maxWidth)>;

// Breaks the text's lines (CR LF, CR or LF) into rows that fit width: after
// the last space that fits, else inside the word; every row takes at least
// one character (a pair of surrogates stays together), so the breaking
// always ends. The spaces at a break are not printed; an empty line is one
// empty row. fit is asked about pieces of bounded size, so a long line
// costs in proportion to its length.
std::vector<TextRow> WrapLines(std::u16string_view text, int width, const FitFunction& fit);

struct PageSpan {
  size_t firstRow = 0;
  size_t rowCount = 0;
  bool operator==(const PageSpan&) const = default;
};

// Rows of these heights gathered into pages pageHeight high, in order. No
// rows make one empty page. Nothing when a row is higher than a page: no
// page could take it, and printing must stop rather than go on forever.
std::optional<std::vector<PageSpan>> Paginate(std::span<const int> rowHeights, int pageHeight);

// The whole layout of a text in one font: tabs expanded, rows, pages.
struct PrintLayout {
  std::u16string text;  // what the rows index
  std::vector<TextRow> rows;
  std::vector<PageSpan> pages;
};

// Nothing when the rectangle is too narrow or too low for one row.
std::optional<PrintLayout> LayOutText(std::u16string_view text, const DeviceRect& area,
                                      int rowHeight, const FitFunction& fit);

}  // namespace quillo

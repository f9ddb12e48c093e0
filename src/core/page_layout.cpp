#include "core/page_layout.h"

#include <algorithm>
#include <cmath>

#include "core/unicode_text.h"

namespace quillo {
namespace {

constexpr double kMostMillimetres = 10000.0;

// Leading units of text that fit, asking fit about pieces that grow from a
// small size, so a row never costs a measurement of the whole rest of a long
// line.
size_t FitPrefix(std::u16string_view text, int width, const FitFunction& fit) {
  size_t probe = 256;
  for (;;) {
    size_t size = std::min(probe, text.size());
    if (size < text.size() && IsHighSurrogate(text[size - 1])) ++size;
    size_t fits = std::min(fit(text.substr(0, size), width), size);
    if (fits < size || size == text.size()) return fits;
    probe *= 2;
  }
}

// Where the row that starts text ends when only `fits` units fit: the
// length of the row and where the next row starts.
struct Break {
  size_t rowLength;
  size_t next;
};

Break FindBreak(std::u16string_view text, size_t fits) {
  size_t firstInk = text.find_first_not_of(u' ');
  // A space that fits (or the one right after what fits), with something
  // to print before it.
  size_t space = std::u16string_view::npos;
  if (fits < text.size() && text[fits] == u' ') {
    space = fits;
  } else if (fits > 0) {
    size_t p = text.substr(0, fits).find_last_of(u' ');
    if (p != std::u16string_view::npos) space = p;
  }
  if (space != std::u16string_view::npos && firstInk != std::u16string_view::npos && space > firstInk) {
    size_t length = space;
    while (length > 0 && text[length - 1] == u' ') --length;
    size_t next = space;
    while (next < text.size() && text[next] == u' ') ++next;
    return {length, next};
  }
  size_t length = std::max<size_t>(fits, 1);
  if (length < text.size() && IsHighSurrogate(text[length - 1])) length = length > 1 ? length - 1 : length + 1;
  return {length, length};
}

}  // namespace

int MillimetresToHundredths(double millimetres) {
  if (!(millimetres > 0)) return 0;  // negative, zero or NaN
  return static_cast<int>(std::lround(std::min(millimetres, kMostMillimetres) * 100.0));
}

int WholeMillimetresInHundredths(double millimetres) {
  if (!(millimetres > 0)) return 0;
  return static_cast<int>(std::lround(std::min(millimetres, kMostMillimetres))) * 100;
}

int HundredthsToDevice(int hundredths, int dpi) {
  return static_cast<int>(std::llround(static_cast<double>(hundredths) * dpi / 2540.0));
}

DeviceRect TextRectangle(const PrinterMetrics& m, const PageMargins& margins) {
  // A driver that reports no paper size prints on what it can reach.
  int paperWidth = m.paperWidth > 0 ? m.paperWidth : m.printableWidth + 2 * m.offsetX;
  int paperHeight = m.paperHeight > 0 ? m.paperHeight : m.printableHeight + 2 * m.offsetY;
  DeviceRect r;
  r.left = std::max(0, HundredthsToDevice(margins.left, m.dpiX) - m.offsetX);
  r.top = std::max(0, HundredthsToDevice(margins.top, m.dpiY) - m.offsetY);
  r.right = std::min(m.printableWidth, paperWidth - HundredthsToDevice(margins.right, m.dpiX) - m.offsetX);
  r.bottom = std::min(m.printableHeight, paperHeight - HundredthsToDevice(margins.bottom, m.dpiY) - m.offsetY);
  return r;
}

std::u16string ExpandTabs(std::u16string_view text, int tabSize) {
  std::u16string out;
  out.reserve(text.size());
  size_t column = 0;
  for (char16_t c : text) {
    if (c == u'\t') {
      size_t spaces = tabSize - column % tabSize;
      out.append(spaces, u' ');
      column += spaces;
      continue;
    }
    out += c;
    column = (c == u'\r' || c == u'\n') ? 0 : column + 1;
  }
  return out;
}

std::vector<TextRow> WrapLines(std::u16string_view text, int width, const FitFunction& fit) {
  std::vector<TextRow> rows;
  size_t lineStart = 0;
  for (;;) {
    size_t lineEnd = std::min(text.find_first_of(u"\r\n", lineStart), text.size());
    size_t pos = lineStart;
    if (pos == lineEnd) rows.push_back({pos, 0});
    while (pos < lineEnd) {
      std::u16string_view rest = text.substr(pos, lineEnd - pos);
      size_t fits = FitPrefix(rest, width, fit);
      if (fits >= rest.size()) {
        rows.push_back({pos, rest.size()});
        break;
      }
      Break b = FindBreak(rest, fits);
      rows.push_back({pos, b.rowLength});
      pos += b.next;
    }
    if (lineEnd == text.size()) break;
    lineStart = lineEnd + 1;
    if (text[lineEnd] == u'\r' && lineStart < text.size() && text[lineStart] == u'\n') ++lineStart;
  }
  return rows;
}

std::optional<std::vector<PageSpan>> Paginate(std::span<const int> rowHeights, int pageHeight) {
  std::vector<PageSpan> pages{PageSpan{}};
  int used = 0;
  for (size_t i = 0; i < rowHeights.size(); ++i) {
    int height = rowHeights[i];
    if (height > pageHeight) return std::nullopt;
    if (used + height > pageHeight) {
      pages.push_back({i, 0});
      used = 0;
    }
    ++pages.back().rowCount;
    used += height;
  }
  return pages;
}

std::optional<PrintLayout> LayOutText(std::u16string_view text, const DeviceRect& area,
                                      int rowHeight, const FitFunction& fit) {
  if (area.Width() <= 0 || rowHeight <= 0 || area.Height() < rowHeight) return std::nullopt;
  PrintLayout layout;
  layout.text = ExpandTabs(text);
  layout.rows = WrapLines(layout.text, area.Width(), fit);
  std::vector<int> heights(layout.rows.size(), rowHeight);
  auto pages = Paginate(heights, area.Height());
  if (!pages) return std::nullopt;
  layout.pages = std::move(*pages);
  return layout;
}

}  // namespace quillo

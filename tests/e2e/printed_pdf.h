#pragma once
// What the test printer printed. scripts/cups_session.sh runs a CUPS server
// with a PDF queue whose files land in QUILLO_PDF_OUT (a Unix path); poppler's
// pdfinfo and pdftotext, run from here as Unix programs, read them back.
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace quillo::e2e {

struct PdfWord {
  std::string text;  // UTF-8
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // points, from the shown page's top left
};

struct PdfPage {
  double width = 0, height = 0;  // points, as the paper lies before rotation
  int rotation = 0;
  std::vector<PdfWord> words;
  bool Landscape() const { return ShownWidth() > ShownHeight(); }
  double ShownWidth() const { return rotation % 180 ? height : width; }
  double ShownHeight() const { return rotation % 180 ? width : height; }
};

struct PrintedPdf {
  std::string titleBytes;  // the document title as stored (the job's name in the ANSI code page)
  std::vector<PdfPage> pages;
  std::vector<std::string> Words() const;
};

// The queue's output folder. Remembers the files already there, so that
// WaitForNext sees only what is printed from now on.
class PdfOutbox {
 public:
  PdfOutbox();
  // False (and a test failure) when the tests run without the CUPS session.
  bool Ready() const { return !unixDir_.empty(); }
  // The next PDF, once the printer has written all of it; nothing on time-out.
  std::optional<PrintedPdf> WaitForNext(Duration timeout = std::chrono::seconds(60));
  // True when no new PDF appears within the time.
  bool NothingWithin(Duration time);

 private:
  std::optional<std::wstring> NewFile();
  std::string unixDir_;
  std::wstring dir_;  // the same folder for Windows
  std::vector<std::wstring> seen_;
};

// Millimetres in PDF points.
inline double Points(double millimetres) { return millimetres * 72.0 / 25.4; }

}  // namespace quillo::e2e

#pragma once
// One quillo.exe started from outside with one document, and the ways text
// enters or changes in its editor, each timed from the message or the click
// until the program is done: the editor holds the expected number of
// characters, is not read-only (a loading document is), and the window
// answers a sent message again.
#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "bench/app/floor.h"
#include "core/action_table.h"
#include "tests/e2e/harness.h"

namespace quillo::bench {

struct QuilloMeasure : Measure {
  double firstScreen = -1;  // first moment the editor held any text (openings)
  std::string note;         // what went wrong, or what the program reported
};

// Characters the editor reports for a Windows-1251 text with CR LF breaks
// (WM_GETTEXTLENGTH counts a break as two).
int EditorLength(const std::string& text);

class QuilloRun {
 public:
  // Writes the settings file (word wrap on or off) and starts the program;
  // with a file, the start is timed until the file is in.
  QuilloRun(const e2e::Scratch& scratch, bool wordWrap, const std::wstring& file = L"",
            int expectedLength = 0);

  const QuilloMeasure& Opening() const { return opening_; }
  bool Ready() const { return ready_; }

  QuilloMeasure OpenThroughDialog(const std::wstring& file, int expectedLength);
  // The file dropped on the window, as from Explorer.
  QuilloMeasure OpenDropped(const std::wstring& file, int expectedLength);
  // The first item of the recent files' menu chosen.
  QuilloMeasure OpenRecent(int expectedLength);
  // WM_COMMAND with the action, sent; the text ends with that length (-1:
  // the length it has).
  QuilloMeasure Command(ActionId id, int expectedLength = -1);
  QuilloMeasure ReplaceAll(const std::string& findUtf8, const std::string& replaceUtf8);
  // The clipboard's text (UTF-8) pasted at the middle of the document.
  QuilloMeasure Paste(const std::string& utf8, int pastedLength);

  int Length();
  // The first characters of the text.
  std::wstring Head(int chars);
  double PeakMB();
  SIZE EditorSize();

 private:
  // `opening`: note the first moment any text shows, counted from
  // `screenFrom` (the start, or when the window appeared).
  QuilloMeasure Wait(std::chrono::steady_clock::time_point start, int expectedLength, bool opening,
                     std::optional<std::chrono::steady_clock::time_point> screenFrom = std::nullopt);

  std::unique_ptr<e2e::Quillo> q_;
  QuilloMeasure opening_;
  bool ready_ = false;
};

// Wine's notepad opening the file, until its edit control holds the text.
Measure MeasureNotepad(const std::wstring& file, int expectedLength);

// How long a row (or a floor) may take before it is given up.
void SetRowLimit(std::chrono::seconds limit);
std::chrono::seconds RowLimit();

}  // namespace quillo::bench

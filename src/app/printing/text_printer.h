#pragma once
// Prints plain text as one print job, page after page.
//
// The pages are laid out by the program itself (core/page_layout) and the
// rows drawn with ExtTextOutW: Wine's rich-edit control does not lay out
// pages (its EM_FORMATRANGE is a stub that returns 0 and draws nothing), so
// the control's page formatting would print one blank page and report
// success.
#include <windows.h>

#include <string>

#include "app/printing/printers.h"
#include "core/page_layout.h"

namespace quillo {

struct PrintFont {
  std::wstring face;
  int twips = 240;  // the character height, 1/1440 inch
  bool bold = false, italic = false, underline = false, strikeOut = false;
  BYTE charset = DEFAULT_CHARSET;
};

struct PrintRequest {
  PrinterDevice device;  // orientation already in its settings
  std::wstring title;    // the job's name in the printer's queue
  std::u16string text;   // line breaks CR, LF or CR LF
  PrintFont font;
  PageMargins margins;
};

// Returns the number of pages printed. Throws UserError, with nothing
// printed or the job cancelled, when the printer cannot be prepared, the
// margins leave no room for a row, or the printer refuses a page.
int PrintText(const PrintRequest& request);

}  // namespace quillo

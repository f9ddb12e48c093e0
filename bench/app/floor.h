#pragma once
// The floor under Wine: the same text streamed into a fresh, visible
// rich-edit control with the editor's font and size, in a process of its own
// (this program started again with --floor), so that its memory is its own.
#include <windows.h>

#include <string>

namespace quillo::bench {

enum class FloorWrap {
  kOff,        // no wrap
  kInStream,   // wrap to the window set before the stream
  kAfter,      // no wrap during the stream, switched on afterwards
};

struct Measure {
  double seconds = -1;  // -1: not measured or failed
  double peakMB = -1;   // the process's peak working set
  bool ok() const { return seconds >= 0; }
};

// Runs the floor in a new process: `file` is a text in `codePage` (1251 or
// 866: a view of the file in DOS-866), `size` the editor window's outer size
// (it carries the same client edge). A floor that takes longer than the
// limit is ended and not measured.
Measure MeasureFloor(const std::wstring& file, unsigned codePage, FloorWrap wrap, SIZE size, DWORD limitMs);

// The floor of a small edit, at the same place and with the same text as the
// editor's row: `file` streamed in with wrap (not timed), then the text of
// `insertFile` (Windows-1251) put in at the middle with EM_REPLACESEL, and
// taken out again with EM_UNDO.
struct EditFloor {
  Measure insert, undo;
  long rows = -1;  // the control's rows before the edit (the edit-cost model's measure)
};
EditFloor MeasureEditFloor(const std::wstring& file, const std::wstring& insertFile, SIZE size, DWORD limitMs);

// The child's side: `args` are the arguments after "--floor". Returns the
// process's exit code.
int RunFloorChild(int argc, wchar_t** args);

// The peak working set of another process, in megabytes (-1 when unknown).
double PeakMegabytes(HANDLE process);

}  // namespace quillo::bench

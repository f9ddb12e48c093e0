#pragma once
// A large text goes into the editor in pieces appended at its end, so the
// window shows the first screen at once and stays alive while the rest
// comes in. Appending at the end is the cheap place in Wine's rich-edit
// control: nothing follows to be moved. Here: where a piece may end, and
// how large the next one should be.
#include <cstddef>
#include <string_view>

namespace quillo {

// The end of the piece that starts at `from` and holds at most `want`
// units: just after the last line break within it when there is one; never
// between CR and LF nor between the halves of a surrogate pair; always past
// `from` while text remains (a pair or CR LF is taken whole even when `want`
// is smaller).
size_t NextPieceEnd(std::u16string_view text, size_t from, size_t want);

// The size of the next piece so that it takes about `targetSeconds`, from
// the last one's size and time; within [minimum, maximum].
size_t NextPieceSize(size_t lastSize, double lastSeconds, double targetSeconds, size_t minimum,
                     size_t maximum);

// Loaded / total in whole percent, rounded down, 100 only when all is in.
int LoadedPercent(size_t loaded, size_t total);

}  // namespace quillo

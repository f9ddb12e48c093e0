#pragma once
// The document is held as Windows-1251 bytes, one per character. The editor
// control shows them in the view of the document's code page: in the
// Windows-1251 view each byte as its Windows-1251 character; in the DOS-866
// and KOI8-R views each byte as the character of the file byte it stands for
// (kinds 4/17 and 12/19 are bijections), so pseudo-graphics show as what
// they are while the held bytes, and the file's bytes, stay exact.
#include <string>
#include <string_view>

#include "core/codepage.h"
#include "core/unicode_text.h"

namespace quillo {

// cpNone is the Windows-1251 view.
char16_t ShownChar(unsigned char held, TCodePage view);

// The held byte of a shown character; -1 when the view has none, that is,
// when the view's code page cannot hold the character (in the DOS-866 view
// '—' is such a character: its byte shows as '─').
int HeldByteOf(char16_t shown, TCodePage view);

// True when the byte shows in the view as a character that Windows-1251
// lacks (pseudo-graphics; in KOI8-R also ≤ ≥ ≈ ÷ ² ⌠ ⌡): its Windows-1251
// reading is only a stand-in, which text commands must not act on.
bool IsStandIn(unsigned char held, TCodePage view);

// In the Windows-1251 view this equals Win1251ToUtf16.
std::u16string ShownText(std::string_view held, TCodePage view);

// The way back, one byte per UTF-16 unit so that positions match the
// control's: a character without a held byte becomes '?', a surrogate pair
// "??". Each such character is reported once.
// For every byte b and view v, Win1251FromShown(ShownText(b, v), v) == b.
std::string Win1251FromShown(std::u16string_view shown, TCodePage view, EncodeReport* report = nullptr);

}  // namespace quillo

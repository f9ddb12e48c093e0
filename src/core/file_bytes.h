#pragma once
// What a file's bytes are (an 8-bit code page, UTF-8 or UTF-16), the text
// the editor control holds for them, and the bytes written back. An
// unmodified file that was taken as Unicode is written back byte for byte;
// so is an 8-bit file, but for NUL bytes (shown and written as spaces, with
// a warning) and line breaks of mixed forms.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/codepage.h"
#include "core/unicode_text.h"

namespace quillo {

enum class TextEncoding { Ansi, Utf8, Utf8Bom, Utf16LE, Utf16BE };

// The form of a line break in a file. The control holds one CR for each.
enum class LineBreak { CrLf, Lf, Cr };

struct DecodeOptions {
  bool detect_code_page = true;  // an 8-bit file's code page guessed, else `code_page`
  TCodePage code_page = cpWIN;   // the default, and the fallback of the guess
  // UTF-8 (valid, with a mark or with a multi-byte sequence) and UTF-16 with
  // a mark (LE or BE, an even count of bytes) are taken as Unicode. Off: as
  // before, only FF FE is read, as UTF-16LE text put into Windows-1251 and
  // then treated as an 8-bit file.
  bool unicode = true;
  // The DOS-866 and KOI8-R views show their own characters (shown_text.h);
  // off: every view shows the held bytes as Windows-1251.
  bool own_characters = true;
  // The bytes are text as they stand, no mark is looked for (".RTF" files
  // as the control's own loading shows them).
  bool raw_bytes = false;
};

struct DecodedFile {
  TextEncoding encoding = TextEncoding::Ansi;
  // The 8-bit file's code page; cpWIN for a Unicode file, whose text is
  // read into Windows-1251 (for commands, plug-ins) without stand-ins.
  TCodePage code_page = cpWIN;
  // As the control holds it: one CR per line break; a NUL shown as a space
  // (the control would end the text there).
  std::u16string text;
  std::size_t nul_count = 0;
  // The file's form of line break when all its breaks have one form; CR LF
  // when they are mixed or there are none.
  LineBreak breaks = LineBreak::CrLf;
  bool mixed_breaks = false;
};

DecodedFile DecodeFileBytes(std::string_view bytes, const DecodeOptions& options);

// The bytes to write for the control's text (one CR per line break; CR LF
// and LF are read as one break too): the byte-order mark of the encoding,
// every break in the given form. In an 8-bit code page each character is
// written as that code page's byte; characters it lacks become '?' (one per
// character). In UTF-8 a lone surrogate becomes U+FFFD; in UTF-16 it is
// written as it stands. Substitutes are reported.
std::string EncodeFileText(std::u16string_view control_text, TextEncoding encoding, TCodePage page,
                           LineBreak breaks = LineBreak::CrLf, EncodeReport* report = nullptr);

// The control's text with every line break as CR LF, the form in which the
// control reads a stream most reliably.
std::u16string WithCrLfBreaks(std::u16string_view control_text);
// The length the control gives the text: every break (CR, LF or CR LF) is
// one character there.
std::size_t ControlLength(std::u16string_view text);

// "Windows-1251", "DOS-866", "KOI8-R", "UTF-8", "UTF-8 с BOM", "UTF-16LE", "UTF-16BE".
std::string EncodingName(TextEncoding encoding, TCodePage page);

// The question before a save that writes substitutes (UTF-8, caption "Внимание"):
// in an 8-bit code page, whether to save in UTF-8 instead (Yes) or with "?" (No).
std::string SubstitutesWarning(const EncodeReport& report, TextEncoding encoding, TCodePage page);

}  // namespace quillo

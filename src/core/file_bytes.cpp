#include "core/file_bytes.h"

#include <cstdio>
#include <utility>

#include "core/shown_text.h"
#include "core/win1251.h"

namespace quillo {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

// The text in control form, with what the file's line breaks were.
void TakeText(std::u16string text, DecodedFile& file) {
  std::size_t crlf = 0, lf = 0, cr = 0;
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    if (unit == u'\r') {
      if (i + 1 < text.size() && text[i + 1] == u'\n') {
        ++crlf;
        ++i;
      } else {
        ++cr;
      }
    } else if (unit == u'\n') {
      ++lf;
      unit = u'\r';
    } else if (unit == u'\0') {
      ++file.nul_count;
      unit = u' ';
    }
    text[out++] = unit;
  }
  text.resize(out);
  file.text = std::move(text);
  const int forms = (crlf > 0) + (lf > 0) + (cr > 0);
  file.mixed_breaks = forms > 1;
  file.breaks = forms != 1 ? LineBreak::CrLf : lf ? LineBreak::Lf : cr ? LineBreak::Cr : LineBreak::CrLf;
}

struct Utf16Mark {
  std::string_view mark;
  ByteOrder order;
  TextEncoding encoding;
};

constexpr Utf16Mark kUtf16Marks[] = {{kUtf16LEMark, ByteOrder::Little, TextEncoding::Utf16LE},
                                     {kUtf16BEMark, ByteOrder::Big, TextEncoding::Utf16BE}};

bool TakeUnicode(std::string_view bytes, DecodedFile& file) {
  for (const Utf16Mark& m : kUtf16Marks) {
    // An odd count of bytes is not UTF-16; read as 8-bit text, every byte
    // stays.
    if (StartsWith(bytes, m.mark) && bytes.size() % 2 == 0) {
      file.encoding = m.encoding;
      TakeText(DecodeUtf16(bytes.substr(m.mark.size()), m.order), file);
      return true;
    }
  }
  const bool marked = StartsWith(bytes, kUtf8Mark);
  const std::string_view body = marked ? bytes.substr(kUtf8Mark.size()) : bytes;
  const Utf8Check check = CheckUtf8(body);
  if (check.error_offset != body.size() || (!marked && !check.multi_byte)) return false;
  file.encoding = marked ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
  TakeText(*DecodeUtf8(body), file);
  return true;
}

}  // namespace

DecodedFile DecodeFileBytes(std::string_view bytes, const DecodeOptions& options) {
  DecodedFile file;
  if (!options.raw_bytes && options.unicode && TakeUnicode(bytes, file)) return file;

  std::string held;
  if (!options.raw_bytes && !options.unicode && StartsWith(bytes, kUtf16LEMark))
    held = Utf16ToWin1251(DecodeUtf16(bytes.substr(2), ByteOrder::Little));
  else
    held = bytes;
  TCodePage page = options.detect_code_page ? DetectCodePage(held, kDetectLimit, options.code_page)
                                            : options.code_page;
  if (page == cpNone) page = cpWIN;
  ConvertToWinInPlace(held, page);
  file.code_page = page;
  TakeText(ShownText(held, options.own_characters ? page : cpWIN), file);
  return file;
}

std::string EncodeFileText(std::u16string_view text, TextEncoding encoding, TCodePage page,
                           LineBreak breaks, EncodeReport* report) {
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 4);
  const ByteOrder order = encoding == TextEncoding::Utf16BE ? ByteOrder::Big : ByteOrder::Little;
  const bool utf16 = encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE;
  const auto put_unit = [&out, order](char16_t unit) {
    const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
    out.push_back(order == ByteOrder::Big ? hi : lo);
    out.push_back(order == ByteOrder::Big ? lo : hi);
  };
  const auto put_ascii = [&](char ch) {
    if (utf16)
      put_unit(static_cast<char16_t>(ch));
    else
      out.push_back(ch);
  };
  switch (encoding) {
    case TextEncoding::Utf8Bom: out += kUtf8Mark; break;
    case TextEncoding::Utf16LE: out += kUtf16LEMark; break;
    case TextEncoding::Utf16BE: out += kUtf16BEMark; break;
    default: break;
  }

  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'\r' || unit == u'\n') {
      if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      if (breaks != LineBreak::Lf) put_ascii('\r');
      if (breaks != LineBreak::Cr) put_ascii('\n');
      continue;
    }
    const bool pair = IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
    const char32_t ch = pair ? 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00) : unit;
    switch (encoding) {
      case TextEncoding::Ansi: {
        const int held = pair || IsSurrogate(unit) ? -1 : HeldByteOf(unit, page);
        if (held < 0 && report) report->Add(ch, i);
        out.push_back(held < 0 ? '?' : static_cast<char>(held));
        break;
      }
      case TextEncoding::Utf8:
      case TextEncoding::Utf8Bom:
        if (IsSurrogate(unit) && !pair) {
          if (report) report->Add(ch, i);
          AppendUtf8(out, 0xFFFD);
        } else {
          AppendUtf8(out, ch);
        }
        break;
      case TextEncoding::Utf16LE:
      case TextEncoding::Utf16BE:
        put_unit(unit);
        if (pair) put_unit(text[i + 1]);
        break;
    }
    if (pair) ++i;
  }
  // Held bytes to the file's: ASCII, line breaks and '?' stay as they are.
  if (encoding == TextEncoding::Ansi) ConvertFromWinInPlace(out, page);
  return out;
}

std::u16string WithCrLfBreaks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'\r' || unit == u'\n') {
      if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out += u"\r\n";
    } else {
      out.push_back(unit);
    }
  }
  return out;
}

std::size_t ControlLength(std::u16string_view text) {
  std::size_t pairs = 0;
  for (std::size_t i = 1; i < text.size(); ++i)
    if (text[i] == u'\n' && text[i - 1] == u'\r') ++pairs;
  return text.size() - pairs;
}

std::string EncodingName(TextEncoding encoding, TCodePage page) {
  switch (encoding) {
    case TextEncoding::Utf8: return "UTF-8";
    case TextEncoding::Utf8Bom: return "UTF-8 с BOM";
    case TextEncoding::Utf16LE: return "UTF-16LE";
    case TextEncoding::Utf16BE: return "UTF-16BE";
    case TextEncoding::Ansi: break;
  }
  return page == cpDOS ? "DOS-866" : page == cpKOI ? "KOI8-R" : "Windows-1251";
}

std::string SubstitutesWarning(const EncodeReport& report, TextEncoding encoding, TCodePage page) {
  const bool ansi = encoding == TextEncoding::Ansi;
  std::string examples;
  for (char32_t ch : report.examples) {
    if (!examples.empty()) examples += ", ";
    if (ch >= 0xD800 && ch <= 0xDFFF) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(ch));
      examples += code;
    } else {
      examples += "«";
      AppendUtf8(examples, ch);
      examples += "»";
    }
  }
  std::string text = ansi ? "Символов, которых нет в кодировке " + EncodingName(encoding, page) + ": "
                          : "Непарных суррогатных кодов UTF-16: ";
  text += std::to_string(report.count) + " (например: " + examples + "). ";
  if (ansi)
    text += "Сохранить в кодировке UTF-8, где есть все символы? «Да» — в UTF-8, «Нет» — в " +
            EncodingName(encoding, page) + " со знаком «?» на их месте.";
  else
    text += "При сохранении на их месте будет записан знак «\xEF\xBF\xBD». Сохранить?";
  return text;
}

}  // namespace quillo

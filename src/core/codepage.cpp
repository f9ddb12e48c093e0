#include "core/codepage.h"

#include <algorithm>

#include "core/codepage_tables.h"

namespace quillo {

std::string CodePageName(TCodePage page) {
  switch (page) {
    case cpWIN: return "WIN";
    case cpDOS: return "DOS";
    case cpKOI: return "KOI";
    default: return {};
  }
}

TCodePage CodePageFromName(std::string_view name) {
  if (name.empty()) return cpWIN;
  if (name.front() == 'D') return cpDOS;
  if (name.front() == 'K') return cpKOI;
  return cpWIN;
}

void ConvertBytesInPlace(char* data, std::size_t size, int kind) {
  if (kind <= 0 || kind >= kConvertKindCount) return;
  const ByteMap& map = ConversionMap(kind);
  auto* bytes = reinterpret_cast<unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = map[bytes[i]];
}

void ConvertTextInPlace(std::string& text, int kind) {
  ConvertBytesInPlace(text.data(), text.size(), kind);
}

std::string ConvertText(std::string_view text, int kind) {
  std::string out(text);
  ConvertTextInPlace(out, kind);
  return out;
}

namespace {

int ToWinKind(TCodePage page) {
  return page == cpDOS ? kDosToWin : page == cpKOI ? kKoiToWin : 0;
}

int FromWinKind(TCodePage page) {
  return page == cpDOS ? kWinToDos : page == cpKOI ? kWinToKoi : 0;
}

}  // namespace

std::string ConvertToWin(std::string_view text, TCodePage page) {
  return ConvertText(text, ToWinKind(page));
}

std::string ConvertFromWin(std::string_view text, TCodePage page) {
  return ConvertText(text, FromWinKind(page));
}

void ConvertToWinInPlace(std::string& text, TCodePage page) {
  ConvertTextInPlace(text, ToWinKind(page));
}

void ConvertFromWinInPlace(std::string& text, TCodePage page) {
  ConvertTextInPlace(text, FromWinKind(page));
}

TCodePage DetectCodePage(std::string_view text, std::size_t limit, TCodePage fallback) {
  const std::size_t count = std::min(limit, text.size());
  // A: letters of Windows-1251 and KOI8-R; B: letters of CP866;
  // U: Windows-1251 capitals = KOI8-R small letters;
  // K: Windows-1251 small letters = KOI8-R capitals.
  std::size_t a = 0, b = 0, u = 0, k = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0xC0) ++a;
    if ((byte >= 0x80 && byte <= 0xAF) || (byte >= 0xE0 && byte <= 0xEF)) ++b;
    if (byte >= 0xC0 && byte <= 0xDF) ++u;
    if (byte >= 0xE0) ++k;
  }
  if (a == b) return fallback;
  if (b > a) return cpDOS;
  return u > k ? cpKOI : cpWIN;
}

}  // namespace quillo

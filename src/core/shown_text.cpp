#include "core/shown_text.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/codepage_tables.h"

namespace quillo {
namespace {

struct ViewTable {
  std::array<char16_t, 256> shown;
  std::array<bool, 256> stand_in;
  // The characters of the upper half in order, with their held bytes.
  std::array<std::pair<char16_t, unsigned char>, 128> back;
};

ViewTable BuildTable(TCodePage view) {
  const UpperHalf& win = UpperHalfOf(cpWIN);
  const UpperHalf& own = UpperHalfOf(view);
  const ByteMap& to_file = ConversionMap(view == cpDOS ? kWinToDos : view == cpKOI ? kWinToKoi : 0);
  ViewTable table{};
  for (int b = 0; b < 0x80; ++b) table.shown[b] = static_cast<char16_t>(b);
  for (int b = 0x80; b < 0x100; ++b) {
    const char16_t ch = own[to_file[b] - 0x80];
    table.shown[b] = ch;
    table.stand_in[b] = ch != win[b - 0x80];
    table.back[b - 0x80] = {ch, static_cast<unsigned char>(b)};
  }
  std::sort(table.back.begin(), table.back.end());
  return table;
}

const ViewTable& TableOf(TCodePage view) {
  static const std::array<ViewTable, 3> tables = {BuildTable(cpWIN), BuildTable(cpDOS),
                                                  BuildTable(cpKOI)};
  return tables[view == cpDOS ? 1 : view == cpKOI ? 2 : 0];
}

int HeldByteIn(const ViewTable& table, char16_t shown) {
  if (shown < 0x80) return shown;
  // The basic letters sit on the same places in every view.
  if (shown >= 0x0410 && shown <= 0x044F) return 0xC0 + (shown - 0x0410);
  const auto it = std::lower_bound(table.back.begin(), table.back.end(),
                                   std::pair<char16_t, unsigned char>(shown, 0));
  return it != table.back.end() && it->first == shown ? it->second : -1;
}

}  // namespace

char16_t ShownChar(unsigned char held, TCodePage view) { return TableOf(view).shown[held]; }

int HeldByteOf(char16_t shown, TCodePage view) { return HeldByteIn(TableOf(view), shown); }

bool IsStandIn(unsigned char held, TCodePage view) { return TableOf(view).stand_in[held]; }

std::u16string ShownText(std::string_view held, TCodePage view) {
  const ViewTable& table = TableOf(view);
  std::u16string out(held.size(), u'\0');
  for (std::size_t i = 0; i < held.size(); ++i) out[i] = table.shown[static_cast<unsigned char>(held[i])];
  return out;
}

std::string Win1251FromShown(std::u16string_view shown, TCodePage view, EncodeReport* report) {
  const ViewTable& table = TableOf(view);
  std::string out(shown.size(), '?');
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const char16_t unit = shown[i];
    if (IsHighSurrogate(unit) && i + 1 < shown.size() && IsLowSurrogate(shown[i + 1])) {
      if (report) report->Add(0x10000 + ((unit - 0xD800) << 10) + (shown[i + 1] - 0xDC00), i);
      ++i;  // both units stay '?'
      continue;
    }
    const int held = HeldByteIn(table, unit);
    if (held >= 0)
      out[i] = static_cast<char>(held);
    else if (report)
      report->Add(unit, i);
  }
  return out;
}

}  // namespace quillo

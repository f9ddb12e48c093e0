#include "core/shown_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/win1251.h"
#include "iconv_reference.h"

namespace quillo {
namespace {

std::string AllBytes() {
  std::string bytes(256, '\0');
  for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
  return bytes;
}

struct OwnView {
  TCodePage view;
  const char* charset;
};

const OwnView kOwnViews[] = {{cpDOS, "CP866"}, {cpKOI, "KOI8-R"}};

TEST(ShownText, EveryByteComesBackInEveryView) {
  const std::string all = AllBytes();
  for (TCodePage view : {cpNone, cpWIN, cpDOS, cpKOI}) {
    EXPECT_EQ(Win1251FromShown(ShownText(all, view), view), all) << view;
    for (int b = 0; b < 256; ++b) EXPECT_EQ(HeldByteOf(ShownChar(static_cast<unsigned char>(b), view), view), b);
  }
}

TEST(ShownText, WindowsViewShowsWindows1251) {
  const std::string all = AllBytes();
  EXPECT_EQ(ShownText(all, cpWIN), Win1251ToUtf16(all));
  for (int b = 0; b < 256; ++b) EXPECT_FALSE(IsStandIn(static_cast<unsigned char>(b), cpWIN)) << b;
}

// Opening a DOS-866 or KOI8-R file converts it to the held Windows-1251
// bytes; the view shows them exactly as the file's code page reads the file.
TEST(ShownText, OwnViewShowsTheFileAsItsCodePageReadsIt) {
  const std::string file = AllBytes();
  for (const auto& v : kOwnViews)
    EXPECT_EQ(ShownText(ConvertToWin(file, v.view), v.view), reference::ReadAs(v.charset, file)) << v.charset;
}

TEST(ShownText, StandInsAreTheCharactersWindows1251Lacks) {
  for (const auto& v : kOwnViews) {
    int stand_ins = 0;
    for (int b = 0; b < 256; ++b) {
      const auto held = static_cast<unsigned char>(b);
      const bool lacking = reference::ByteOf("CP1251", ShownChar(held, v.view)) < 0;
      EXPECT_EQ(IsStandIn(held, v.view), lacking) << v.charset << ' ' << b;
      stand_ins += lacking;
    }
    EXPECT_EQ(stand_ins, v.view == cpDOS ? 51 : 58) << v.charset;
  }
}

// What the user types or pastes in a view is held on the place that saving
// turns into the file's byte for it.
TEST(ShownText, TypedCharactersAreSavedAsTheirCodePageBytes) {
  const struct {
    TCodePage view;
    const char* charset;
    const char* typed;
  } cases[] = {
      {cpDOS, "CP866", "┌─┬─┐ │ ╔═╗ ░▒▓█ ■ ∙√ Ёё №"},
      {cpKOI, "KOI8-R", "┌─┬─┐ │ ╔═╗ ░▒▓█ ■ ∙√ Ёё © ≤≥÷²⌠⌡≈"},
      {cpWIN, "CP1251", "Ёё № «» — … ¦ ©"},
  };
  for (const auto& c : cases) {
    const std::u16string shown = reference::ReadAs(c.charset, reference::Encode(c.charset, c.typed));
    EncodeReport report;
    EXPECT_EQ(ConvertFromWin(Win1251FromShown(shown, c.view, &report), c.view),
              reference::Encode(c.charset, c.typed))
        << c.typed;
    EXPECT_EQ(report.count, 0u);
  }
}

TEST(ShownText, WhatTheViewCannotHoldIsAQuestionMarkInPlace) {
  const struct {
    TCodePage view;
    std::u16string shown;
    std::string held;
    std::size_t count;
  } cases[] = {
      {cpWIN, u"😀 привет", "?? \xEF\xF0\xE8\xE2\xE5\xF2", 1},
      {cpWIN, u"α—", "?\x97", 1},
      // The places of — and ¦ show ─ and │ in the DOS-866 view.
      {cpDOS, u"—¦α│", "???\xA6", 3},
      {cpKOI, u"№«»—…ё", "?????\xB8", 5},
      {cpKOI, std::u16string{0xDC00, u'a', 0xD800}, "?a?", 2},
  };
  for (const auto& c : cases) {
    EncodeReport report;
    EXPECT_EQ(Win1251FromShown(c.shown, c.view, &report), c.held);
    EXPECT_EQ(report.count, c.count);
  }
}

}  // namespace
}  // namespace quillo

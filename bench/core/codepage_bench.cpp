// Code-page conversion and detection over a 64 MB Russian text, side by side
// with glibc's iconv converting the same bytes in the same run.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <stdexcept>
#include <string>

#include "core/codepage.h"
#include "core/win1251.h"

namespace {

using namespace quillo;

constexpr std::size_t kBufferSize = 64u << 20;

const std::string& RussianText() {
  static const std::string text = [] {
    const std::string paragraph = Utf8ToWin1251(
        "Мороз и солнце; день чудесный! Еще ты дремлешь, друг прелестный - "
        "пора, красавица, проснись: открой сомкнуты негой взоры навстречу "
        "северной Авроры, звездою севера явись! Вечор, ты помнишь, вьюга "
        "злилась, на мутном небе мгла носилась; луна, как бледное пятно, "
        "сквозь тучи мрачные желтела, и ты печальная сидела.\r\n");
    std::string out;
    out.reserve(kBufferSize);
    while (out.size() + paragraph.size() <= kBufferSize) out += paragraph;
    out.append(paragraph, 0, kBufferSize - out.size());
    return out;
  }();
  return text;
}

// Letters and ASCII only, so that iconv converts every byte as well.
// The same text in each code page, as the conversion kind expects it.
const std::string& TextIn(TCodePage page) {
  static const std::string dos = ConvertFromWin(RussianText(), cpDOS);
  static const std::string koi = ConvertFromWin(RussianText(), cpKOI);
  return page == cpDOS ? dos : page == cpKOI ? koi : RussianText();
}

struct KindCase {
  int kind;
  TCodePage source;
  const char* from;
  const char* to;
};

const KindCase kCases[] = {
    {kDosToWin, cpDOS, "CP866", "CP1251"},
    {kKoiToWin, cpKOI, "KOI8-R", "CP1251"},
    {kWinToDos, cpWIN, "CP1251", "CP866"},
    {kWinToKoi, cpWIN, "CP1251", "KOI8-R"},
};

const KindCase& CaseFor(int kind) {
  for (const auto& c : kCases)
    if (c.kind == kind) return c;
  throw std::invalid_argument("kind");
}

void BM_ConvertText(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const std::string& in = TextIn(CaseFor(kind).source);
  for (auto _ : state) {
    std::string out = ConvertText(in, kind);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * in.size());
}

void BM_ConvertTextInPlace(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  // Converting back and forth keeps the buffer in the source code page.
  std::string text = TextIn(CaseFor(kind).source);
  const int back = kind == kDosToWin ? kWinToDos : kind == kWinToDos ? kDosToWin
                 : kind == kKoiToWin ? kWinToKoi : kKoiToWin;
  bool forth = true;
  for (auto _ : state) {
    ConvertTextInPlace(text, forth ? kind : back);
    forth = !forth;
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}

// iconv into a new buffer each time, as ConvertText returns one, or into one
// buffer taken before the timed loop (the fair match for the in-place
// conversion, which writes no new memory either).
void RunIconv(benchmark::State& state, bool fresh_output) {
  const KindCase& c = CaseFor(static_cast<int>(state.range(0)));
  std::string in = TextIn(c.source);
  std::string reused(in.size(), '\0');
  iconv_t cd = iconv_open(c.to, c.from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    state.SkipWithError("iconv_open failed");
    return;
  }
  for (auto _ : state) {
    std::string fresh;
    if (fresh_output) fresh.resize(in.size());
    std::string& out = fresh_output ? fresh : reused;
    char* src = in.data();
    size_t src_left = in.size();
    char* dst = out.data();
    size_t dst_left = out.size();
    if (iconv(cd, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) {
      state.SkipWithError("iconv failed");
      break;
    }
    benchmark::DoNotOptimize(out.data());
  }
  iconv_close(cd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * in.size());
}

void BM_IconvNewBuffer(benchmark::State& state) { RunIconv(state, true); }
void BM_IconvSameBuffer(benchmark::State& state) { RunIconv(state, false); }

// Detection over the whole buffer measures its throughput; the program
// itself only ever looks at the first 1024 bytes.
void BM_DetectCodePage(benchmark::State& state) {
  const std::string& text = TextIn(static_cast<TCodePage>(state.range(0)));
  const std::size_t limit = state.range(1) ? text.size() : kDetectLimit;
  for (auto _ : state) benchmark::DoNotOptimize(DetectCodePage(text, limit, cpWIN));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * limit);
}

#define QUILLO_KINDS Arg(kDosToWin)->Arg(kKoiToWin)->Arg(kWinToDos)->Arg(kWinToKoi)
BENCHMARK(BM_ConvertText)->QUILLO_KINDS->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertTextInPlace)->QUILLO_KINDS->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvNewBuffer)->QUILLO_KINDS->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvSameBuffer)->QUILLO_KINDS->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectCodePage)
    ->Args({cpWIN, 1})->Args({cpDOS, 1})->Args({cpKOI, 1})
    ->Args({cpDOS, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

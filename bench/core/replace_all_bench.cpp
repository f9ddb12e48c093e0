// Replace all in memory over a 1 MB Russian text holding 100 000 occurrences,
// case-blind and whole word: the work the editor does before the one
// stream-in of the new text into the control.
#include <benchmark/benchmark.h>

#include <string>

#include "core/replace_all.h"
#include "core/text_matcher.h"
#include "core/win1251.h"

namespace {

using namespace quillo;

constexpr std::size_t kOccurrences = 100000;

// Ten bytes per line with one occurrence of "кот" each: about 1 MB.
const std::string& TextWithOccurrences() {
  static const std::string text = [] {
    const std::string line = Utf8ToWin1251("Кот и пёс\r");
    std::string out;
    out.reserve(line.size() * kOccurrences);
    for (std::size_t i = 0; i < kOccurrences; ++i) out += line;
    return out;
  }();
  return text;
}

void BM_PlanReplaceAll(benchmark::State& state) {
  const std::string& text = TextWithOccurrences();
  const TextMatcher matcher(Utf8ToWin1251("кот"), SearchOptions{false, true});
  const std::string replacement = Utf8ToWin1251("кошка");
  std::int64_t count = 0;
  for (auto _ : state) {
    ReplaceAllResult result = PlanReplaceAll(text, replacement, matcher);
    count = result.count;
    benchmark::DoNotOptimize(result.text.data());
  }
  if (count != static_cast<std::int64_t>(kOccurrences)) state.SkipWithError("wrong count");
  state.counters["replacements"] = static_cast<double>(count);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_PlanReplaceAll)->Unit(benchmark::kMillisecond);

}  // namespace

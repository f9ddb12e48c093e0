// Writing a command's result back over a 2 MB text that holds characters
// Windows-1251 lacks (an emoji and a Greek letter every `every` lines), and
// reading and writing the same text as a UTF-8 file.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "core/file_bytes.h"
#include "core/letter_case.h"
#include "core/line_ops.h"
#include "core/shown_text.h"
#include "core/text_merge.h"

namespace {

using namespace quillo;

constexpr std::size_t kTextSize = 2u << 20;

std::u16string Document(int every) {
  const std::u16string line = u"Мороз и солнце; день чудесный!\tЕще ты  дремлешь, друг прелестный - пора";
  std::u16string text;
  for (int n = 1; text.size() < kTextSize; ++n) {
    text += line;
    if (n % every == 0) text += u" 😀 α";
    if (n % 7 == 0) text += u'\r';
    text += u'\r';
  }
  return text;
}

const std::function<std::string(std::string_view)> kCommands[] = {
    [](std::string_view t) { return ToUpperCase(t); },
    [](std::string_view t) { return ToTitleCase(t); },
    [](std::string_view t) { return ReplaceAll(t, "\xE0", "\xEE\xE9"); },  // а -> ой
    [](std::string_view t) { return ExpandTabs(t, 8); },
    [](std::string_view t) { return RemoveLineBreaks(t); },
};
const char* const kCommandNames[] = {"upper case", "title case", "replace all", "expand tabs", "join lines"};

// Args: command, lines per foreign character (a huge number: none).
void BM_MergeResult(benchmark::State& state) {
  const std::u16string text = Document(static_cast<int>(state.range(1)));
  const std::string held = Win1251FromShown(text, cpWIN);
  const std::string result = kCommands[state.range(0)](held);
  state.SetLabel(kCommandNames[state.range(0)]);
  for (auto _ : state) {
    TextChange change = MergeResult(text, held, result, cpWIN, StandIns::Keep);
    benchmark::DoNotOptimize(change.replacement.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(held.size()));
}

void BM_DecodeUtf8File(benchmark::State& state) {
  const std::string bytes = EncodeFileText(Document(20), TextEncoding::Utf8, cpWIN);
  for (auto _ : state) {
    DecodedFile file = DecodeFileBytes(bytes, DecodeOptions{});
    benchmark::DoNotOptimize(file.text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

void BM_EncodeFile(benchmark::State& state) {
  const std::u16string text = Document(20);
  const auto encoding = static_cast<TextEncoding>(state.range(0));
  for (auto _ : state) {
    std::string bytes = EncodeFileText(text, encoding, cpDOS);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

BENCHMARK(BM_MergeResult)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {1, 20, 1 << 30}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeUtf8File)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeFile)
    ->Arg(static_cast<int>(TextEncoding::Ansi))
    ->Arg(static_cast<int>(TextEncoding::Utf8))
    ->Arg(static_cast<int>(TextEncoding::Utf16LE))
    ->Unit(benchmark::kMillisecond);

}  // namespace

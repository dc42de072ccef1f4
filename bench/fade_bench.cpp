// The fade against memcpy of its own output: the output is some 21 times the input, so the
// fade can do little better than write it; the target is at most three times memcpy's time.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/sample_text.h"
#include "fade/fade.h"

namespace {

using vfx::bench::SampleText;

void SetOutputCounters(benchmark::State& state, std::size_t outputBytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * outputBytes));
  state.counters["output_MiB"] = static_cast<double>(outputBytes) / (1 << 20);
}

void BM_FadeTwoColors(benchmark::State& state, const char* stylez) {
  const std::string text = SampleText(static_cast<std::size_t>(state.range(0)));
  std::size_t outputBytes = 0;
  for (auto _ : state) {
    std::string markup = vfx::fade::FadeTwoColors(text, 255, 0, 0, 0, 0, 255, stylez);
    outputBytes = markup.size();
    benchmark::DoNotOptimize(markup.data());
  }
  SetOutputCounters(state, outputBytes);
}
BENCHMARK_CAPTURE(BM_FadeTwoColors, plain, "")->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK_CAPTURE(BM_FadeTwoColors, bold, "<B>")->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);

void BM_FadeWavy(benchmark::State& state) {
  const std::string text = SampleText(static_cast<std::size_t>(state.range(0)));
  std::size_t outputBytes = 0;
  for (auto _ : state) {
    std::string markup = vfx::fade::FadeWavy(text, 255, 0, 0, 0, 0, 255, "");
    outputBytes = markup.size();
    benchmark::DoNotOptimize(markup.data());
  }
  SetOutputCounters(state, outputBytes);
}
BENCHMARK(BM_FadeWavy)->Arg(1 << 20);

// memcpy of a buffer as large as the fade's output for the same input ("plain" and "bold").
void BM_MemcpyOfFadeOutput(benchmark::State& state, const char* stylez) {
  const std::string text = SampleText(static_cast<std::size_t>(state.range(0)));
  const std::size_t outputBytes =
      vfx::fade::FadeTwoColors(text, 255, 0, 0, 0, 0, 255, stylez).size();
  std::vector<char> source(outputBytes, 'x'), target(outputBytes);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), outputBytes);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  SetOutputCounters(state, outputBytes);
}
BENCHMARK_CAPTURE(BM_MemcpyOfFadeOutput, plain, "")->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK_CAPTURE(BM_MemcpyOfFadeOutput, bold, "<B>")->Arg(1 << 20);

}  // namespace

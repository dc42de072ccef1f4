// The colour body over ten colours: nine segments, so the time should grow linearly with the
// line, as the fade's own does, and stay close to one fade over the whole line. The bytes
// counter is the body's size.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "bench/sample_text.h"
#include "composer/compose.h"

namespace {

using vfx::bench::SampleText;

constexpr std::array<vfx::fade::Rgb, 10> kColours = {{{255, 0, 0},
                                                      {255, 128, 0},
                                                      {255, 255, 0},
                                                      {0, 255, 0},
                                                      {0, 255, 255},
                                                      {0, 0, 255},
                                                      {128, 0, 255},
                                                      {255, 0, 255},
                                                      {128, 128, 128},
                                                      {0, 0, 0}}};

void BM_ComposeBody(benchmark::State& state, bool wavy) {
  const std::string line = SampleText(static_cast<std::size_t>(state.range(0)));
  std::size_t bodyBytes = 0;
  for (auto _ : state) {
    std::string body = vfx::composer::ComposeBody(line, 10, kColours, wavy);
    bodyBytes = body.size();
    benchmark::DoNotOptimize(body.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bodyBytes));
  state.counters["time_per_char"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(line.size()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetComplexityN(state.range(0));
}
BENCHMARK_CAPTURE(BM_ComposeBody, ten_colours, false)
    ->Arg(1 << 10)
    ->Arg(64 << 10)
    ->Arg(1 << 20)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_ComposeBody, ten_colours_wavy, true)->Arg(1 << 20);

// The blends over the same ten colours: each character's colour computed in Oklab, beside the
// straight body (the overload with kStraight, which is the body above).
void BM_ComposeBodyBlend(benchmark::State& state, vfx::fade::Blend blend) {
  const std::string line = SampleText(static_cast<std::size_t>(state.range(0)));
  std::size_t bodyBytes = 0;
  for (auto _ : state) {
    std::string body = vfx::composer::ComposeBody(line, 10, kColours, false, blend);
    bodyBytes = body.size();
    benchmark::DoNotOptimize(body.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bodyBytes));
}
BENCHMARK_CAPTURE(BM_ComposeBodyBlend, straight, vfx::fade::Blend::kStraight)
    ->Arg(1 << 10)
    ->Arg(1 << 20);
BENCHMARK_CAPTURE(BM_ComposeBodyBlend, even, vfx::fade::Blend::kEven)->Arg(1 << 10)->Arg(1 << 20);
BENCHMARK_CAPTURE(BM_ComposeBodyBlend, vivid, vfx::fade::Blend::kVivid)->Arg(1 << 10)->Arg(1 << 20);

// One FadeTwoColors over the same line: what the body's nine segments cost on top of the fading.
void BM_FadeTwoColorsOverTheLine(benchmark::State& state) {
  const std::string line = SampleText(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::string markup = vfx::fade::FadeTwoColors(line, 255, 0, 0, 0, 0, 255, "");
    benchmark::DoNotOptimize(markup.data());
  }
}
BENCHMARK(BM_FadeTwoColorsOverTheLine)->Arg(1 << 20);

}  // namespace

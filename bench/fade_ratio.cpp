// The fade against memcpy of its own output, for builds without Google Benchmark (the 32-bit
// Windows build, run under Wine): 1 MiB of the sample text, style text empty and "<B>". Each
// round times one fade and one memcpy of as many bytes, alternately, so that both see the same
// machine; the figures are the medians. Prints key=value lines for bench/report.py.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/sample_text.h"
#include "fade/fade.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Measure(const char* name, const std::string& text, const char* stylez, int rounds) {
  std::size_t outputBytes = vfx::fade::FadeTwoColors(text, 255, 0, 0, 0, 0, 255, stylez).size();
  std::vector<char> source(outputBytes, 'x'), target(outputBytes);
  std::vector<double> fade, copy;
  volatile char sink = 0;
  for (int round = 0; round < rounds; ++round) {
    const Clock::time_point start = Clock::now();
    const std::string markup = vfx::fade::FadeTwoColors(text, 255, 0, 0, 0, 0, 255, stylez);
    const Clock::time_point faded = Clock::now();
    sink = markup[markup.size() / 2];
    const Clock::time_point copyStart = Clock::now();
    std::memcpy(target.data(), source.data(), outputBytes);
    const Clock::time_point copied = Clock::now();
    sink = target[outputBytes / 2];
    fade.push_back(Milliseconds(faded - start));
    copy.push_back(Milliseconds(copied - copyStart));
    outputBytes = markup.size();
  }
  (void)sink;
  std::printf("%s_fade_ms=%.3f\n%s_memcpy_ms=%.3f\n%s_output_bytes=%zu\n", name, Median(fade), name,
              Median(copy), name, outputBytes);
}

}  // namespace

int main() {
  const std::string text = vfx::bench::SampleText(1 << 20);
  Measure("plain", text, "", 101);
  Measure("bold", text, "<B>", 101);
  return 0;
}

// The fade against memcpy of its own output, for builds without Google Benchmark (the Windows
// builds, run under Wine): 1 MiB of the sample text, style text empty and "<B>". Each round times
// every case once, one after the other, so that all see the same machine; the figures are the
// medians. Prints key=value lines for bench/report.py.
//
// Where the time goes: FadeTwoColors returns a new 21 MiB string on every call. The Windows heap
// (Wine's too) gives a block that large back to the system when it is freed, so every call
// writes into pages the system must first map and zero; glibc keeps the block. The cases apart:
//   fade          FadeTwoColors as callers use it: a new string every call
//   memcpy        memcpy into one block allocated once (warm pages): the floor for writing
//   fresh_memcpy  memcpy into a block allocated for the round and freed after it: the same
//                 first-touch cost the fade's own string pays, the fair limit for the API
//   fresh_touch   one byte written per 4 KiB page of a fresh block: the first touch alone
//   reused_fade   the same markup written into one string kept across rounds: the fade's own
//                 work, against `memcpy`
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/sample_text.h"
#include "fade/fade.h"
#include "fade_writer.h"
#include "text/utf8.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

template <typename Work>
double Time(Work work) {
  const Clock::time_point start = Clock::now();
  work();
  return Milliseconds(Clock::now() - start);
}

void Measure(const char* name, const std::string& text, const char* stylez, int rounds) {
  const std::size_t outputBytes =
      vfx::fade::FadeTwoColors(text, 255, 0, 0, 0, 0, 255, stylez).size();
  std::vector<char> source(outputBytes, 'x'), target(outputBytes);
  const vfx::fade::detail::FadeWriter writer(vfx::fade::detail::Wave::kNone, stylez);
  const std::size_t characters = vfx::text::CharacterCount(text);
  std::string reused;
  reused.reserve(outputBytes + vfx::fade::detail::FadeWriter::kSlack);
  std::vector<double> fade, copy, freshCopy, freshTouch, reusedFade;
  volatile char sink = 0;
  for (int round = 0; round < rounds; ++round) {
    fade.push_back(Time([&] {
      const std::string markup = vfx::fade::FadeTwoColors(text, 255, 0, 0, 0, 0, 255, stylez);
      sink = markup[markup.size() / 2];
    }));
    copy.push_back(Time([&] { std::memcpy(target.data(), source.data(), outputBytes); }));
    sink = target[outputBytes / 2];
    freshCopy.push_back(Time([&] {
      const std::unique_ptr<char[]> fresh(new char[outputBytes]);
      std::memcpy(fresh.get(), source.data(), outputBytes);
      sink = fresh[outputBytes / 2];
    }));
    freshTouch.push_back(Time([&] {
      const std::unique_ptr<char[]> fresh(new char[outputBytes]);
      for (std::size_t at = 0; at < outputBytes; at += 4096) fresh[at] = 1;
      sink = fresh[outputBytes / 2];
    }));
    reusedFade.push_back(Time([&] {
      reused.clear();
      writer.Append(reused, text, characters, {255, 0, 0}, {0, 0, 255});
      sink = reused[reused.size() / 2];
    }));
  }
  (void)sink;
  std::printf(
      "%s_fade_ms=%.3f\n%s_memcpy_ms=%.3f\n%s_fresh_memcpy_ms=%.3f\n%s_fresh_touch_ms=%.3f\n"
      "%s_reused_fade_ms=%.3f\n%s_output_bytes=%zu\n",
      name, Median(fade), name, Median(copy), name, Median(freshCopy), name, Median(freshTouch),
      name, Median(reusedFade), name, outputBytes);
}

}  // namespace

int main() {
  const std::string text = vfx::bench::SampleText(1 << 20);
  Measure("plain", text, "", 101);
  Measure("bold", text, "<B>", 101);
  std::printf("pointer_bits=%zu\n", 8 * sizeof(void*));
  return 0;
}

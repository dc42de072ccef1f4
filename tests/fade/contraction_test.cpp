// The fade built a second time for a processor with fused multiply-add (-mfma -mavx2 at -O2), as
// a compiler may build it for a newer target, must write exactly the bytes of the plain build:
// the build forbids fusing the fade's multiply and add, which would round once instead of twice.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "fade/fade.h"

// The second build's fades, compiled from the same sources into their own namespace.
namespace vfx_fma::fade {
std::string FadeTwoColors(std::string_view text, double startRed, double startGreen,
                          double startBlue, double endRed, double endGreen, double endBlue,
                          std::string_view stylez);
std::string FadeWavy(std::string_view text, double startRed, double startGreen, double startBlue,
                     double endRed, double endGreen, double endBlue, std::string_view stylez);
}  // namespace vfx_fma::fade

namespace vfx::fade {
namespace {

TEST(Fade, WritesTheSameBytesWhenBuiltForFusedMultiplyAdd) {
  if (!__builtin_cpu_supports("fma")) {
    GTEST_SKIP() << "this processor has no fused multiply-add, so the second build cannot run";
  }
  // The tie that one rounding instead of two moves (2 + (-2 / 12) * 9 is 0.5 or a hair above).
  EXPECT_EQ(vfx_fma::fade::FadeTwoColors("abcdefghijkl", 2, 2, 2, 0, 0, 0, ""),
            FadeTwoColors("abcdefghijkl", 2, 2, 2, 0, 0, 0, ""));

  std::mt19937 random(7);
  for (int n = 0; n < 4000; ++n) {
    std::string text(1 + random() % (n % 100 == 0 ? 5000 : 60), 'x');
    double colour[6];
    for (double& component : colour) component = static_cast<double>(random() % 256);
    const bool wavy = n % 2 == 1;
    const auto fade = wavy ? &FadeWavy : &FadeTwoColors;
    const auto fused = wavy ? &vfx_fma::fade::FadeWavy : &vfx_fma::fade::FadeTwoColors;
    ASSERT_EQ(fused(text, colour[0], colour[1], colour[2], colour[3], colour[4], colour[5], ""),
              fade(text, colour[0], colour[1], colour[2], colour[3], colour[4], colour[5], ""))
        << "case " << n << ", " << text.size() << " characters";
  }
}

}  // namespace
}  // namespace vfx::fade

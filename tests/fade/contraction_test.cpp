// The fade built a second time for a processor with fused multiply-add (-mfma -mavx2 at -O2), as
// a compiler may build it for a newer target, must write exactly the bytes of the plain build:
// the build forbids fusing the fade's multiply and add, which would round once instead of twice.
// The blends' colour arithmetic likewise.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "colour_space.h"
#include "fade/fade.h"
#include "gamut.h"

// The second build's fades, compiled from the same sources into their own namespace.
namespace vfx_fma::fade {
std::string FadeTwoColors(std::string_view text, double startRed, double startGreen,
                          double startBlue, double endRed, double endGreen, double endBlue,
                          std::string_view stylez);
std::string FadeWavy(std::string_view text, double startRed, double startGreen, double startBlue,
                     double endRed, double endGreen, double endBlue, std::string_view stylez);
struct Rgb {
  int red = 0, green = 0, blue = 0;
};
enum class Blend { kStraight, kEven, kVivid };
Rgb BlendColour(Rgb start, Rgb end, Blend blend, std::size_t i, std::size_t length);
namespace detail {
struct SinCos {
  double sin, cos;
};
template <typename T>
struct Light {
  T red, green, blue;
};
using Linear = Light<double>;
double Atan2(double y, double x);
SinCos SinCosOf(double angle);
Linear MostLightInside(double lightness, double chroma, const double (&turned)[3], Linear light);
}  // namespace detail
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

// A fused multiply-add moves a result by an ulp or so, which an 8-bit colour almost never shows:
// the blends' own functions are compared to the bit.
TEST(Blends, ComputeTheSameDoublesWhenBuiltForFusedMultiplyAdd) {
  if (!__builtin_cpu_supports("fma")) {
    GTEST_SKIP() << "this processor has no fused multiply-add, so the second build cannot run";
  }
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> unit(-1, 1);
  const auto same = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  for (int n = 0; n < 20000; ++n) {
    const double y = unit(random), x = unit(random), angle = 3.14159 * unit(random);
    ASSERT_TRUE(same(vfx_fma::fade::detail::Atan2(y, x), detail::Atan2(y, x))) << y << ", " << x;
    const auto fusedTurn = vfx_fma::fade::detail::SinCosOf(angle);
    const auto turn = detail::SinCosOf(angle);
    ASSERT_TRUE(same(fusedTurn.sin, turn.sin) && same(fusedTurn.cos, turn.cos)) << angle;
    // A point of full chroma along a random hue, brought inside sRGB.
    const double lightness = 0.5 + 0.5 * unit(random), chroma = 0.4;
    const double turned[3] = {0.4 * unit(random), 0.2 * unit(random), 1.3 * unit(random)};
    const detail::Linear light = detail::LightAtChroma(lightness, chroma, turned);
    const auto fused = vfx_fma::fade::detail::MostLightInside(lightness, chroma, turned,
                                                              {light.red, light.green, light.blue});
    const auto plain = detail::MostLightInside(lightness, chroma, turned, light);
    ASSERT_TRUE(same(fused.red, plain.red) && same(fused.green, plain.green) &&
                same(fused.blue, plain.blue))
        << "case " << n;
    // And a fade's colour.
    const Rgb from{static_cast<int>(random() % 256), static_cast<int>(random() % 256), 0};
    const Rgb to{0, static_cast<int>(random() % 256), static_cast<int>(random() % 256)};
    const auto blend = static_cast<Blend>(1 + n % 2);
    const std::size_t length = 1 + random() % (n % 10 == 0 ? 400 : 50), i = 1 + random() % length;
    const Rgb colour = BlendColour(from, to, blend, i, length);
    const auto fusedColour =
        vfx_fma::fade::BlendColour({from.red, from.green, from.blue}, {to.red, to.green, to.blue},
                                   static_cast<vfx_fma::fade::Blend>(blend), i, length);
    ASSERT_TRUE(fusedColour.red == colour.red && fusedColour.green == colour.green &&
                fusedColour.blue == colour.blue)
        << "case " << n;
  }
}

}  // namespace
}  // namespace vfx::fade

#include "blend_ramp.h"

#include <algorithm>
#include <cmath>

#include "gamut.h"
#include "tag.h"

namespace vfx::fade::detail {
namespace {

// Below this chroma a colour has no hue of its own, a proven margin over every 8-bit colour. The
// 256 greys of 8-bit sRGB come out of Oklab's published matrices with a chroma of up to 3.7e-8
// (white's: the b row of the second matrix sums to 3.73e-8, not 0), and every other 8-bit colour
// has at least 1.06e-3 (254, 255, 255); 1e-5 stands some 270 times above the one and 100 times
// below the other, so exactly the greys count as achromatic, whatever the rounding, and it lies
// far below a visible tint.
constexpr double kAchromatic = 1e-5;

Rgb Held(const Rgb& colour) {
  return {std::clamp(colour.red, 0, 255), std::clamp(colour.green, 0, 255),
          std::clamp(colour.blue, 0, 255)};
}

}  // namespace

BlendRamp::BlendRamp(const Rgb& start, const Rgb& end, Blend blend, std::size_t length)
    : blend_(blend), length_(std::max<std::size_t>(length, 1)), end_(Held(end)) {
  endDigits_ = DigitsOf(static_cast<unsigned>(end_.red), static_cast<unsigned>(end_.green),
                        static_cast<unsigned>(end_.blue));
  const Oklab a = OklabOf(ConeRootsOf(start.red, start.green, start.blue));
  const Oklab b = OklabOf(ConeRootsOf(end.red, end.green, end.blue));
  const double count = static_cast<double>(length_);
  // The straight line in Oklab, taken to the cone roots at its ends: the map is linear, so the
  // line stays straight. (The published inverse of the second matrix is its inverse to some
  // eight digits only; going through L, a and b keeps to the definition.)
  const auto straight = [&] {
    blend_ = Blend::kEven;
    const ConeRoots from = ConeRootsOf(a), to = ConeRootsOf(b);
    const double starts[3] = {from.l, from.m, from.s}, ends[3] = {to.l, to.m, to.s};
    for (int j = 0; j < 3; ++j) {
      rootsStart_[j] = Both(starts[j]);
      rootsStep_[j] = Both((ends[j] - starts[j]) / count);
    }
  };
  if (blend != Blend::kVivid) {
    straight();
    return;
  }

  const double chromaA = std::sqrt(a.a * a.a + a.b * a.b);
  const double chromaB = std::sqrt(b.a * b.a + b.b * b.b);
  const bool greyA = chromaA < kAchromatic, greyB = chromaB < kAchromatic;
  // Between two greys no hue matters: the straight line between them.
  if (greyA && greyB) {
    straight();
    return;
  }
  lightnessStart_ = a.lightness;
  lightnessStep_ = (b.lightness - a.lightness) / count;
  chromaStart_ = chromaA;
  chromaStep_ = (chromaB - chromaA) / count;
  // A grey end takes the other end's hue, so the hue stays put; else it turns the shorter way.
  const Oklab& hued = greyA ? b : a;
  const double hueA = hued.a / (greyA ? chromaB : chromaA);
  const double hueB = hued.b / (greyA ? chromaB : chromaA);
  const double turn = greyA || greyB ? 0.0 : Atan2(a.a * b.b - a.b * b.a, a.a * b.a + a.b * b.b);
  turnStep_ = turn / count;
  for (int j = 0; j < 3; ++j) {
    // The a and b columns of M2's inverse.
    const double ofA = kRootsOfLab[j][1], ofB = kRootsOfLab[j][2];
    along_[j] = ofA * hueA + ofB * hueB;
    across_[j] = ofB * hueA - ofA * hueB;
  }
}

Rgb BlendRamp::At(std::size_t position) const {
  if (position >= length_) return end_;
  const LinearLanes light = LightsAt(position, position);
  return {static_cast<int>(EncodedBytes(light.red).first),
          static_cast<int>(EncodedBytes(light.green).first),
          static_cast<int>(EncodedBytes(light.blue).first)};
}

TwoDigits BlendRamp::DigitsAt(std::size_t position) const {
  // Past the end the ramp would run beyond its colours; only the end colour counts there.
  const LinearLanes light = LightsAt(position, std::min(position + 1, length_));
  const Bytes red = EncodedBytes(light.red), green = EncodedBytes(light.green),
              blue = EncodedBytes(light.blue);
  TwoDigits digits{DigitsOf(red.first, green.first, blue.first),
                   DigitsOf(red.second, green.second, blue.second)};
  if (position >= length_) digits.first = endDigits_;
  if (position + 1 >= length_) digits.second = endDigits_;
  return digits;
}

LinearLanes BlendRamp::LightsAt(std::size_t i, std::size_t j) const {
  const double first = static_cast<double>(i), second = static_cast<double>(j);
  if (blend_ == Blend::kEven) {
    const Lanes positions = LanesOf(first, second);
    return LinearOf(rootsStart_[0] + rootsStep_[0] * positions,
                    rootsStart_[1] + rootsStep_[1] * positions,
                    rootsStart_[2] + rootsStep_[2] * positions);
  }
  // At asks for one place in both lanes: its solve is made once.
  const Linear one = VividAt(first), two = j == i ? one : VividAt(second);
  return {LanesOf(one.red, two.red), LanesOf(one.green, two.green), LanesOf(one.blue, two.blue)};
}

Linear BlendRamp::VividAt(double position) const {
  const double lightness = lightnessStart_ + lightnessStep_ * position;
  const double chroma = chromaStart_ + chromaStep_ * position;
  const SinCos turn = SinCosOf(turnStep_ * position);
  double turned[3];
  for (int j = 0; j < 3; ++j) turned[j] = turn.cos * along_[j] + turn.sin * across_[j];
  const Linear light = LightAtChroma(lightness, chroma, turned);
  // Outside sRGB the point keeps its lightness and hue with as much chroma as fits.
  return InsideSrgb(light) ? light : MostLightInside(lightness, chroma, turned, light);
}

}  // namespace vfx::fade::detail

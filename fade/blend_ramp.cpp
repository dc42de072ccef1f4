#include "fade/blend_ramp.h"

#include <algorithm>
#include <cmath>

#include "fade/tag.h"

namespace vfx::fade::detail {
namespace {

// Below this chroma a colour has no hue of its own. The 256 greys of 8-bit sRGB come out of
// Oklab's published matrices with a chroma of up to 3.7e-8 (white's: the b row of the second
// matrix sums to 3.73e-8, not 0), and every other 8-bit colour has at least 1.06e-3 (254, 255,
// 255); 1e-5 stands some 270 times above the one and 100 times below the other, so exactly the
// greys count as achromatic, whatever the rounding, and it lies far below a visible tint.
constexpr double kAchromatic = 1e-5;

// Oklab's inverse second matrix: its a and b columns.
constexpr double kRootsOfA[3] = {0.3963377774, -0.1055613458, -0.0894841775};
constexpr double kRootsOfB[3] = {0.2158037573, -0.0638541728, -1.2914855480};

// The turn by `b` after `a`.
SinCos Turned(const SinCos& a, const SinCos& b) {
  return {a.sin * b.cos + a.cos * b.sin, a.cos * b.cos - a.sin * b.sin};
}

std::uint64_t DigitsOfColour(const Rgb& colour) {
  return DigitsOf(static_cast<unsigned>(std::clamp(colour.red, 0, 255)),
                  static_cast<unsigned>(std::clamp(colour.green, 0, 255)),
                  static_cast<unsigned>(std::clamp(colour.blue, 0, 255)));
}

// Light's channels for two characters.
LinearLanes LinearOf(Lanes l, Lanes m, Lanes s) {
  return LinearOfResponses(l * l * l, m * m * m, s * s * s);
}

// Two characters' tag digits.
TwoDigits DigitsOfLights(const LinearLanes& light) {
  const Bytes red = EncodedBytes(light.red), green = EncodedBytes(light.green),
              blue = EncodedBytes(light.blue);
  // Every encoding is below 256 already.
  const auto digits = [](unsigned r, unsigned g, unsigned b) {
    return kHexPairs[r] | (std::uint64_t{kHexPairs[g]} << 16) | (std::uint64_t{kHexPairs[b]} << 32);
  };
  return {digits(red.first, green.first, blue.first),
          digits(red.second, green.second, blue.second)};
}

Linear FirstOf(const LinearLanes& light) {
  return {First(light.red), First(light.green), First(light.blue)};
}
Linear SecondOf(const LinearLanes& light) {
  return {Second(light.red), Second(light.green), Second(light.blue)};
}

}  // namespace

BlendRamp::BlendRamp(const Rgb& start, const Rgb& end, Blend blend, std::size_t length)
    : blend_(blend), length_(std::max<std::size_t>(length, 1)), end_(DigitsOfColour(end)) {
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
  lightnessStart_ = Both(a.lightness);
  lightnessStep_ = Both((b.lightness - a.lightness) / count);
  chromaStart_ = Both(chromaA);
  chromaStep_ = Both((chromaB - chromaA) / count);
  // A grey end takes the other end's hue, so the hue stays put; else it turns the shorter way.
  const Oklab& hued = greyA ? b : a;
  const double hueA = hued.a / (greyA ? chromaB : chromaA);
  const double hueB = hued.b / (greyA ? chromaB : chromaA);
  const double turn = greyA || greyB ? 0.0 : Atan2(a.a * b.b - a.b * b.a, a.a * b.a + a.b * b.b);
  turnStep_ = turn / count;
  for (int j = 0; j < 3; ++j) {
    along_[j] = Both(kRootsOfA[j] * hueA + kRootsOfB[j] * hueB);
    across_[j] = Both(kRootsOfB[j] * hueA - kRootsOfA[j] * hueB);
  }
  // Within a block, and from block to block within a span, each turn is the last one turned
  // once more: an ulp or so at each, some tens at most, far below what a colour could show.
  const SinCos one = TurnOf(1);
  SinCos next = one;
  for (std::size_t pair = 0; pair < kBlock / 2; ++pair) {
    const SinCos first = next, second = Turned(first, one);
    next = Turned(second, one);
    fineCos_[pair] = LanesOf(first.cos, second.cos);
    fineSin_[pair] = LanesOf(first.sin, second.sin);
  }
  blockStep_ = TurnOf(kBlock);
}

SinCos BlendRamp::TurnOf(std::size_t characters) const {
  return SinCosOf(static_cast<double>(characters) * turnStep_);
}

Rgb BlendRamp::At(std::size_t position) const {
  std::uint64_t digits = end_;
  if (position < length_) {
    if (blend_ == Blend::kEven) {
      digits = EvenAt(Both(static_cast<double>(position))).first;
    } else if (position == 0) {
      CrossingTrail none;
      digits = DigitsOfLights(VividAt(Both(0), Both(1), Both(0), none)).first;
    } else {
      const std::size_t first = position - (position - 1) % kSpan;
      std::uint64_t span[kSpan];
      Digits(first, position - first + 1, span);
      digits = span[position - first];
    }
  }
  return {ComponentOf(digits, 0), ComponentOf(digits, 1), ComponentOf(digits, 2)};
}

void BlendRamp::Digits(std::size_t first, std::size_t count, std::uint64_t* out) const {
  // The characters before the end in pairs from `first`, which is odd, so that a pair never
  // straddles two blocks; from the end on, the end colour.
  const std::size_t before = first >= length_ ? 0 : std::min(count, length_ - first);
  std::fill(out + before, out + count, end_);
  const auto put = [&](std::size_t k, const TwoDigits& two) {
    out[k] = two.first;
    if (k + 1 < before) out[k + 1] = two.second;
  };
  Lanes positions = LanesOf(static_cast<double>(first), static_cast<double>(first + 1));
  if (blend_ == Blend::kEven) {
    for (std::size_t k = 0; k < before; k += 2, positions = positions + Both(2)) {
      put(k, EvenAt(positions));
    }
    return;
  }
  // `first` - 1 is a whole number of blocks.
  SinCos blockTurn = TurnOf(first - 1);
  CrossingTrail trail;
  // The lights first, then their digits: each pair's light waits on its neighbours' through the
  // trail, its digits on nothing, and apart they keep out of each other's way.
  LinearLanes lights[kSpan / 2];
  for (std::size_t k = 0; k < before; k += 2, positions = positions + Both(2)) {
    const std::size_t fine = k % kBlock / 2;
    if (fine == 0 && k > 0) blockTurn = Turned(blockTurn, blockStep_);
    const Lanes blockCos = Both(blockTurn.cos), blockSin = Both(blockTurn.sin);
    const Lanes fineCos = fineCos_[fine], fineSin = fineSin_[fine];
    lights[k / 2] = VividAt(positions, blockCos * fineCos - blockSin * fineSin,
                            blockSin * fineCos + blockCos * fineSin, trail);
  }
  for (std::size_t k = 0; k < before; k += 2) put(k, DigitsOfLights(lights[k / 2]));
}

TwoDigits BlendRamp::EvenAt(Lanes i) const {
  const LinearLanes light =
      LinearOf(rootsStart_[0] + rootsStep_[0] * i, rootsStart_[1] + rootsStep_[1] * i,
               rootsStart_[2] + rootsStep_[2] * i);
  return DigitsOfLights(light);
}

LinearLanes BlendRamp::VividAt(Lanes i, Lanes cosine, Lanes sine, CrossingTrail& trail) const {
  PointLanes point{lightnessStart_ + lightnessStep_ * i, chromaStart_ + chromaStep_ * i, {}};
  for (int j = 0; j < 3; ++j) point.turned[j] = cosine * along_[j] + sine * across_[j];
  // Next to a character outside sRGB, the crossing that held it holds the next ones too, mostly:
  // found there and proven, it needs not the light at the full chroma.
  if (!trail.empty()) {
    const NearCrossings near =
        CrossingsNear(point, trail.channel(), trail.bound(), trail.Guesses());
    if (near.found == 3) {
      trail.AddBoth(near.chroma);
      return near.light;
    }
    return PartlyNear(point, near, trail);
  }
  const LinearLanes light = LinearOf(point.lightness + point.chroma * point.turned[0],
                                     point.lightness + point.chroma * point.turned[1],
                                     point.lightness + point.chroma * point.turned[2]);
  const Lanes least = Both(-kRoundingSlack), most = Both(1.0 + kRoundingSlack);
  if ((Within(light.red, least, most) & Within(light.green, least, most) &
       Within(light.blue, least, most)) == 3) {
    return light;
  }
  return PartlyNear(point, {light, point.chroma, 0}, trail);
}

// A lane outside sRGB keeps its lightness and hue with as much chroma as fits: from scratch
// where no crossing nearby was proven.
LinearLanes BlendRamp::PartlyNear(const PointLanes& point, const NearCrossings& near,
                                  CrossingTrail& trail) {
  const LinearLanes light = LinearOf(point.lightness + point.chroma * point.turned[0],
                                     point.lightness + point.chroma * point.turned[1],
                                     point.lightness + point.chroma * point.turned[2]);
  const Lanes least = Both(-kRoundingSlack), most = Both(1.0 + kRoundingSlack);
  const int inside = Within(light.red, least, most) & Within(light.green, least, most) &
                     Within(light.blue, least, most);
  const int channel = trail.channel();
  const double bound = trail.bound();
  Linear lights[2] = {FirstOf(light), SecondOf(light)};
  const Linear nearLights[2] = {FirstOf(near.light), SecondOf(near.light)};
  const double lightness[2] = {First(point.lightness), Second(point.lightness)};
  const double chroma[2] = {First(point.chroma), Second(point.chroma)};
  const double nearChroma[2] = {First(near.chroma), Second(near.chroma)};
  for (int lane = 0; lane < 2; ++lane) {
    const int bit = 1 << lane;
    if (inside & bit) {
      trail.Clear();
    } else if (near.found & bit) {
      lights[lane] = nearLights[lane];
      trail.Add({channel, bound, nearChroma[lane]});
    } else {
      const auto of = [lane](Lanes x) { return lane == 0 ? First(x) : Second(x); };
      const double turned[3] = {of(point.turned[0]), of(point.turned[1]), of(point.turned[2])};
      Crossing crossing;
      lights[lane] = MostLightInside(lightness[lane], chroma[lane], turned, lights[lane], crossing);
      trail.Add(crossing);
    }
  }
  return {LanesOf(lights[0].red, lights[1].red), LanesOf(lights[0].green, lights[1].green),
          LanesOf(lights[0].blue, lights[1].blue)};
}

}  // namespace vfx::fade::detail

// Where a ray of constant lightness and hue leaves sRGB, in Oklab, for the Vivid blend: solved
// from scratch, or for two characters at once from a guess near their neighbours' crossings and
// proven. Shared by the blends' files alone.
#pragma once

#include "fade/colour_space.h"

namespace vfx::fade::detail {

// How far rounding may carry a light past 0 or 1 before it counts as outside sRGB: the matrix
// rows (entries up to 4) leave errors near 1e-15, and 1e-14 of light is below 1e-10 of an 8-bit
// step.
inline constexpr double kRoundingSlack = 1e-14;

inline bool InsideSrgb(const Linear& light) {
  constexpr double kLeast = -kRoundingSlack, kMost = 1.0 + kRoundingSlack;
  return light.red >= kLeast && light.red <= kMost && light.green >= kLeast &&
         light.green <= kMost && light.blue >= kLeast && light.blue <= kMost;
}

// The light of the point of lightness L and chroma C whose hue has taken the cone roots'
// directions to `turned`: cone root j is L + C * turned[j].
inline Linear LightAtChroma(double lightness, double chroma, const double (&turned)[3]) {
  return LinearOf(lightness + chroma * turned[0], lightness + chroma * turned[1],
                  lightness + chroma * turned[2]);
}

// Where a channel meets one of its bounds: `channel` (0 red, 1 green, 2 blue, -1 none) reaches
// `bound` (0 or 1) at `chroma`.
struct Crossing {
  int channel = -1;
  double bound = 0;
  double chroma = 0;
};

// The light of the point with the largest chroma up to `chroma` that is inside sRGB, given
// `light`, the light at `chroma`. Grey, at chroma 0, is inside for any lightness of 0..1.
// `crossing` learns the crossing that bounds it (channel -1 when the answer is grey).
Linear MostLightInside(double lightness, double chroma, const double (&turned)[3], Linear light,
                       Crossing& crossing);
Linear MostLightInside(double lightness, double chroma, const double (&turned)[3], Linear light);

// Two characters' points: lightness, chroma, and the hue's directions of the cone roots.
struct PointLanes {
  Lanes lightness, chroma, turned[3];
};

// The crossings of the last few characters, the latest first, where one channel and bound held
// them all: the next ones lie close by.
class CrossingTrail {
 public:
  bool empty() const { return count_ == 0; }
  int channel() const { return channel_; }
  double bound() const { return bound_; }
  void Clear() { count_ = 0; }
  void Add(const Crossing& crossing);
  // Two characters' crossings, found with the trail's own channel and bound.
  void AddBoth(Lanes chroma) {
    chroma_[2] = chroma_[0];
    chroma_[1] = First(chroma);
    chroma_[0] = Second(chroma);
    count_ = count_ >= 1 ? 3 : 2;
  }
  // The next two characters' crossings: on the parabola through the last three (or the line
  // through two), one and two characters on.
  Lanes Guesses() const {
    const double x1 = chroma_[0], x2 = chroma_[1], x3 = chroma_[2];
    if (count_ >= 3) return LanesOf(3.0 * (x1 - x2) + x3, 6.0 * x1 - 8.0 * x2 + 3.0 * x3);
    if (count_ == 2) return LanesOf(2.0 * x1 - x2, 3.0 * x1 - 2.0 * x2);
    return Both(x1);
  }

 private:
  int channel_ = -1, count_ = 0;
  double bound_ = 0;
  double chroma_[3]{};
};

// MostLightInside for two characters whose crossing by `channel` at `bound` is near `guess`:
// `found` says, per lane (bit 0 the first, bit 1 the second), where that crossing was found and
// proven to be the largest chroma inside; `light` and `chroma` hold it there.
struct NearCrossings {
  LinearLanes light;
  Lanes chroma;
  int found;
};
NearCrossings CrossingsNear(const PointLanes& point, int channel, double bound, Lanes guess);

}  // namespace vfx::fade::detail

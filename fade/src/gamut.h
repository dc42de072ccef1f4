// Where a ray of constant lightness and hue leaves sRGB, in Oklab, for the Vivid blend. Shared by
// the blends' files alone.
#pragma once

#include "colour_space.h"

namespace vfx::fade::detail {

// How far rounding may carry a light past 0 or 1 before it counts as outside sRGB. A bound with
// room on both sides: the matrix rows (entries up to 4) leave errors near 1e-15, so a point on
// the edge is not taken for one outside, and 1e-14 of light is below 1e-10 of an 8-bit step, so
// no point let in shows.
inline constexpr double kRoundingSlack = 1e-14;

// The first channel of a light (0 red, 1 green, 2 blue) past 0 or past 1 beyond the slack, and
// the bound it is past; channel -1 when every one is inside.
struct Outside {
  int channel = -1;
  double bound = 0;
};
inline Outside FirstOutside(const Linear& light) {
  const double values[3] = {light.red, light.green, light.blue};
  for (int c = 0; c < 3; ++c) {
    if (values[c] < -kRoundingSlack) return {c, 0};
    if (values[c] > 1.0 + kRoundingSlack) return {c, 1};
  }
  return {};
}

inline bool InsideSrgb(const Linear& light) { return FirstOutside(light).channel < 0; }

// The light of the point of lightness L and chroma C whose hue has taken the cone roots'
// directions to `turned`: cone root j is L + C * turned[j].
inline Linear LightAtChroma(double lightness, double chroma, const double (&turned)[3]) {
  return LinearOf(lightness + chroma * turned[0], lightness + chroma * turned[1],
                  lightness + chroma * turned[2]);
}

// The light of the point with the largest chroma up to `chroma` that is inside sRGB, given
// `light`, the light at `chroma`. Grey, at chroma 0, is inside for any lightness of 0..1.
Linear MostLightInside(double lightness, double chroma, const double (&turned)[3], Linear light);

}  // namespace vfx::fade::detail

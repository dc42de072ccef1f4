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

// The light of the point with the largest chroma up to `chroma` that is inside sRGB, given
// `light`, the light at `chroma`. Grey, at chroma 0, is inside for any lightness of 0..1.
Linear MostLightInside(double lightness, double chroma, const double (&turned)[3], Linear light);

}  // namespace vfx::fade::detail

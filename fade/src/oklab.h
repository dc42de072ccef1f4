// Oklab's four matrices, each written once, as Björn Ottosson published them with the space in
// "A perceptual color space for image processing" (2020): M1 takes linear sRGB to the cone
// responses l, m, s; M2 takes their cube roots l', m', s' to L, a, b; and the inverses that he
// published beside them, which are the definition's own and not the exact inverses (M1's agrees
// with its exact inverse to some 2e-10, M2's to some 6e-8). docs/blends.md says how the blends
// use them. Shared by the blends' files alone.
#pragma once

#include "lanes.h"

namespace vfx::fade::detail {

// M1: linear sRGB (red, green, blue) to the cone responses (l, m, s).
inline constexpr double kLmsOfLinear[3][3] = {{0.4122214708, 0.5363325363, 0.0514459929},
                                              {0.2119034982, 0.6806995451, 0.1073969566},
                                              {0.0883024619, 0.2817188376, 0.6299787005}};
// M2: the responses' cube roots (l', m', s') to Oklab's (L, a, b).
inline constexpr double kLabOfRoots[3][3] = {{0.2104542553, 0.7936177850, -0.0040720468},
                                             {1.9779984951, -2.4285922050, 0.4505937099},
                                             {0.0259040371, 0.7827717662, -0.8086757660}};
// M2's published inverse: (L, a, b) to (l', m', s').
inline constexpr double kRootsOfLab[3][3] = {{1.0, 0.3963377774, 0.2158037573},
                                             {1.0, -0.1055613458, -0.0638541728},
                                             {1.0, -0.0894841775, -1.2914855480}};
// M1's published inverse: (l, m, s) to linear sRGB.
inline constexpr double kLinearOfLms[3][3] = {{4.0767416621, -3.3077115913, 0.2309699292},
                                              {-1.2684380046, 2.6097574011, -0.3413193965},
                                              {-0.0041960863, -0.7034186147, 1.7076147010}};

// One row of a matrix times (x, y, z), summed from the left, in the same order on every build and
// in both lanes. (A row's negative entry times y, added, is bit for bit the entry's magnitude
// times y taken away; a row's 1.0 times x is x.)
inline double Row(const double (&row)[3], double x, double y, double z) {
  return row[0] * x + row[1] * y + row[2] * z;
}
inline Lanes Row(const double (&row)[3], Lanes x, Lanes y, Lanes z) {
  return Both(row[0]) * x + Both(row[1]) * y + Both(row[2]) * z;
}

}  // namespace vfx::fade::detail

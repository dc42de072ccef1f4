// The colour arithmetic of the blends: sRGB to Oklab and back, and the few functions it needs,
// written from + - * / and sqrt alone. The C runtimes' cbrt, pow, atan2, sin and cos differ in
// their last bits from one runtime to the next, and a last bit can move a rounding tie, so none of
// them runs here: every build computes the same doubles. Shared by the blends' files alone.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "blend_tables.h"
#include "lanes.h"
#include "oklab.h"

namespace vfx::fade::detail {

// The real cube root, within an ulp or two.
double CubeRoot(double x);

// The angle of (x, y) in -pi..pi, as atan2 defines it, within a few ulps.
double Atan2(double y, double x);

// The sine and cosine of an angle within -pi..pi, each within a few ulps of 1.
struct SinCos {
  double sin, cos;
};
SinCos SinCosOf(double angle);

// Oklab's L, a and b.
struct Oklab {
  double lightness, a, b;
};

// The cube roots of the cone responses (l', m', s') of an 8-bit colour, and the colour they make.
struct ConeRoots {
  double l, m, s;
};
ConeRoots ConeRootsOf(int red, int green, int blue);  // components held to 0..255 first
Oklab OklabOf(const ConeRoots& roots);

// Linear light, of one character (double) or two (Lanes).
template <typename T>
struct Light {
  T red, green, blue;
};
using Linear = Light<double>;
using LinearLanes = Light<Lanes>;

// From the cone roots back to linear light: Oklab's l'm's' -> lms (cubes) -> linear sRGB.
template <typename T>
Light<T> LinearOf(T l, T m, T s) {
  l = l * l * l;
  m = m * m * m;
  s = s * s * s;
  return {Row(kLinearOfLms[0], l, m, s), Row(kLinearOfLms[1], l, m, s),
          Row(kLinearOfLms[2], l, m, s)};
}

// Oklab's cone roots of a point given as L, a, b.
inline ConeRoots ConeRootsOf(const Oklab& lab) {
  return {Row(kRootsOfLab[0], lab.lightness, lab.a, lab.b),
          Row(kRootsOfLab[1], lab.lightness, lab.a, lab.b),
          Row(kRootsOfLab[2], lab.lightness, lab.a, lab.b)};
}

// The 8-bit encoding of linear light, rounded to nearest and held to 0..255: the number of half
// steps that the light reaches. Cell c of the index covers light c / kCells to (c + 1) / kCells,
// narrower than the closest two half steps (1 / (255 * 12.92) apart), so it holds at most one
// half step and the index names the first half step at or above the cell's start. A proven
// bound: 4096 is the least power of two (an exact product) whose cells are that narrow.
inline constexpr int kCells = 4096;
constexpr std::array<std::uint8_t, kCells + 1> MakeCells() {
  std::array<std::uint8_t, kCells + 1> cells{};
  int step = 0;
  for (int cell = 0; cell <= kCells; ++cell) {
    const double start = static_cast<double>(cell) / kCells;  // exact
    while (step < 255 && kHalfStep[step] <= start) ++step;
    cells[cell] = static_cast<std::uint8_t>(step);
  }
  return cells;
}
inline constexpr std::array<std::uint8_t, kCells + 1> kCellSteps = MakeCells();

// The encodings of two lights at once. Light below 0 or above 1 lies outside sRGB: it takes the
// nearest edge (and what is not a number, 0).
struct Bytes {
  unsigned first, second;
};
inline Bytes EncodedBytes(Lanes light) {
  const Lanes held = Smaller(Larger(light, Both(0.0)), Both(1.0));
  const Ints cells = Truncated(held * Both(kCells));  // exact: a power of two
  const unsigned first = kCellSteps[static_cast<unsigned>(cells.first)];
  const unsigned second = kCellSteps[static_cast<unsigned>(cells.second)];
  return {first + (First(held) >= kHalfStep[first] ? 1u : 0u),
          second + (Second(held) >= kHalfStep[second] ? 1u : 0u)};
}

}  // namespace vfx::fade::detail

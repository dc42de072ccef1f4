#include "colour_space.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vfx::fade::detail {
namespace {

constexpr double kPi = 3.141592653589793;       // the double nearest to pi
constexpr double kHalfPi = 1.5707963267948966;  // and to pi / 2

// (-1)^k / (first + 2k)!, k = 0, 1, ...: the coefficients of the sine's (first 1) and the
// cosine's (first 0) series. The factorials are integers below 2^53, so each is one rounding.
template <std::size_t kTerms>
constexpr std::array<double, kTerms> SeriesOf(int first) {
  std::array<double, kTerms> terms{};
  double factorial = 1;
  for (int n = 2; n <= first; ++n) factorial *= n;
  for (std::size_t k = 0; k < kTerms; ++k) {
    terms[k] = (k % 2 == 0 ? 1.0 : -1.0) / factorial;
    const int n = first + 2 * static_cast<int>(k);
    factorial *= (n + 1) * (n + 2);
  }
  return terms;
}
// Through x^15 and x^16, a proven bound: within pi / 4 the first term left out, (pi / 4)^17 / 17!,
// is below 5e-17.
constexpr auto kSine = SeriesOf<8>(1);
constexpr auto kCosine = SeriesOf<9>(0);

// (-1)^k / (2k + 1): the arctangent's series through z^15.
constexpr std::array<double, 8> kArctangent = {1.0,     -1.0 / 3,  1.0 / 5,  -1.0 / 7,
                                               1.0 / 9, -1.0 / 11, 1.0 / 13, -1.0 / 15};

// The series in x^2 with `terms`, highest first, by Horner's rule.
template <std::size_t kTerms>
double Series(const std::array<double, kTerms>& terms, double x2) {
  double sum = terms[kTerms - 1];
  for (std::size_t k = kTerms - 1; k > 0; --k) sum = sum * x2 + terms[k - 1];
  return sum;
}

// atan(z) for 0 <= z <= 1. Three halvings of the angle, atan(z) = 2 atan(z / (1 + sqrt(1 + z^2))),
// bring z within tan(pi / 32) < 0.0985, where the series through z^15 is off by less than 1e-18
// (a proven bound: the first term left out, z^17 / 17, is below 5e-19).
double AtanOfUnit(double z) {
  for (int halving = 0; halving < 3; ++halving) z = z / (1.0 + std::sqrt(1.0 + z * z));
  return 8.0 * (z * Series(kArctangent, z * z));
}

}  // namespace

double CubeRoot(double x) {
  if (x == 0 || !std::isfinite(x)) return x;
  double magnitude = std::fabs(x), scale = 1.0;
  // Below the normal doubles the exponent trick fails; 2^300 brings x up exactly, and as a cube
  // its root comes back down by exactly 2^-100.
  if (magnitude < 0x1p-900) {
    magnitude *= 0x1p+300;
    scale = 0x1p-100;
  }
  // A third of the exponent (and of the mantissa's bits, roughly), by integer division of the
  // bits: within 3.2 % of the root for every double (the constant's known worst case). Halley's
  // step for the cube root, y (y^3 + 2m) / (2y^3 + m), cubes the relative error: 3.2e-2, then
  // 2.1e-5, 6e-15, and the last bit. Three steps are the proven need.
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  bits = bits / 3 + 0x2A9F7893782DA1CEull;
  double y = 0;
  std::memcpy(&y, &bits, sizeof y);
  for (int step = 0; step < 3; ++step) {
    const double cube = y * y * y;
    y = y * ((cube + 2.0 * magnitude) / (2.0 * cube + magnitude));
  }
  y *= scale;
  return x < 0 ? -y : y;
}

double Atan2(double y, double x) {
  const double ay = std::fabs(y), ax = std::fabs(x);
  if (ay == 0 && ax == 0) return std::signbit(x) ? std::copysign(kPi, y) : y;
  double angle = ay <= ax ? AtanOfUnit(ay / ax) : kHalfPi - AtanOfUnit(ax / ay);
  if (std::signbit(x)) angle = kPi - angle;
  return std::signbit(y) ? -angle : angle;
}

SinCos SinCosOf(double angle) {
  // The series at a quarter of the angle, within pi / 4, where both are off by less than 1e-16
  // (kSine's bound); then the double angle twice.
  const double x = angle * 0.25, x2 = x * x;
  double sine = x * Series(kSine, x2), cosine = Series(kCosine, x2);
  for (int doubling = 0; doubling < 2; ++doubling) {
    const double doubled = 2.0 * sine * cosine;
    cosine = (cosine - sine) * (cosine + sine);
    sine = doubled;
  }
  return {sine, cosine};
}

ConeRoots ConeRootsOf(int red, int green, int blue) {
  const double r = kLinearOf[std::clamp(red, 0, 255)], g = kLinearOf[std::clamp(green, 0, 255)],
               b = kLinearOf[std::clamp(blue, 0, 255)];
  return {CubeRoot(Row(kLmsOfLinear[0], r, g, b)), CubeRoot(Row(kLmsOfLinear[1], r, g, b)),
          CubeRoot(Row(kLmsOfLinear[2], r, g, b))};
}

Oklab OklabOf(const ConeRoots& c) {
  return {Row(kLabOfRoots[0], c.l, c.m, c.s), Row(kLabOfRoots[1], c.l, c.m, c.s),
          Row(kLabOfRoots[2], c.l, c.m, c.s)};
}

}  // namespace vfx::fade::detail

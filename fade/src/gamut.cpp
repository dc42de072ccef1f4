#include "gamut.h"

#include <cmath>
#include <utility>

namespace vfx::fade::detail {
namespace {

// One channel's light less a bound, along the ray: sum of w_j (L + x k_j)^3 - bound, as the
// cubic c0 + c1 x + c2 x^2 + c3 x^3.
struct Cubic {
  double c0, c1, c2, c3;
  double At(double x) const { return ((c3 * x + c2) * x + c1) * x + c0; }
  double SlopeAt(double x) const { return (3.0 * c3 * x + 2.0 * c2) * x + c1; }
  double BendAt(double x) const { return 6.0 * c3 * x + 2.0 * c2; }
};

Cubic CubicOf(const double (&row)[3], double bound, double lightness, const double (&turned)[3]) {
  double sum0 = 0, sum1 = 0, sum2 = 0, sum3 = 0;
  for (int j = 0; j < 3; ++j) {
    const double k = turned[j];
    sum0 += row[j];
    sum1 += row[j] * k;
    sum2 += row[j] * (k * k);
    sum3 += row[j] * (k * k * k);
  }
  const double squared = lightness * lightness;
  return {sum0 * (squared * lightness) - bound, 3.0 * squared * sum1, 3.0 * lightness * sum2, sum3};
}

// Halley's steps converge cubically: a step below a millionth of the bracket (under 1) leaves an
// error near its cube, below a double's precision, so the solve ends there (a bound, with room).
constexpr double kSettled = 1e-6;
// A cap on the work, not a bound of the method: the tests' hardest roots take 40 steps (some of
// them halvings), and one that reached it would end a little inside, at the bracket's low end.
constexpr int kMostSteps = 80;

// The root in [low, high], where the cubic is monotonic, is inside at `low` and outside at
// `high`: Halley's steps from Newton's guess at `high` (or the chord's, should that fall
// outside), inside a bracket that every step narrows.
double RootBetween(const Cubic& cubic, bool outsideAbove, double low, double high) {
  const double atLow = cubic.At(low), atHigh = cubic.At(high);
  double x = high - atHigh / cubic.SlopeAt(high);
  if (!(x > low && x < high)) {
    x = atLow == atHigh ? high : low + (high - low) * (atLow / (atLow - atHigh));
  }
  const double settled = kSettled * (high - low);
  for (int iteration = 0; iteration < kMostSteps && low < high; ++iteration) {
    const double g = cubic.At(x);
    if (g == 0) return x;
    if ((g > 0) == outsideAbove) {
      high = x;
    } else {
      low = x;
    }
    const double slope = cubic.SlopeAt(x);
    const double step = 2.0 * g * slope / (2.0 * slope * slope - g * cubic.BendAt(x));
    const double next = x - step;
    // A flat point gives no step to trust (nor a bracket to leave): halve the bracket instead.
    if (slope != 0 && next > low && next < high) {
      if (std::fabs(step) <= settled) return next;
      x = next;
    } else {
      x = low + 0.5 * (high - low);
      // Two neighbouring doubles: `low`, inside, is the root to the last bit.
      if (x <= low || x >= high) return low;
    }
  }
  return low;
}

// The largest chroma below `high` at which the channel crosses its bound, the channel being
// past it at `high` and inside at 0. Between the cubic's turning points it is monotonic; from
// the top down, the first such piece whose lower end is inside holds the crossing, alone.
double LastCrossing(const Cubic& cubic, bool outsideAbove, double high) {
  const double a = 3.0 * cubic.c3, b = 2.0 * cubic.c2, c = cubic.c1;
  // The turning points: the roots of the slope, written so that neither cancels.
  double turns[2];
  int turnCount = 0;
  const double discriminant = b * b - 4.0 * a * c;
  if (a == 0) {
    if (b != 0) turns[turnCount++] = -c / b;
  } else if (discriminant > 0) {
    const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
    turns[turnCount++] = q / a;
    if (q != 0) turns[turnCount++] = c / q;
    if (turnCount == 2 && turns[0] > turns[1]) std::swap(turns[0], turns[1]);
  }
  // The pieces' ends: 0, the turning points strictly between, `high`.
  double ends[4] = {0};
  int endCount = 1;
  for (int k = 0; k < turnCount; ++k) {
    if (turns[k] > 0 && turns[k] < high) ends[endCount++] = turns[k];
  }
  ends[endCount++] = high;
  for (int k = endCount - 2; k >= 0; --k) {
    const double atLower = cubic.At(ends[k]);
    if ((atLower > 0) != outsideAbove || atLower == 0) {
      return RootBetween(cubic, outsideAbove, ends[k], ends[k + 1]);
    }
  }
  return 0;
}

// Every round of MostLightInside comes down to a lower chroma where a channel meets 0 or 1, and
// three cubics meet two bounds at most 18 times: a proven bound on its rounds.
constexpr int kMostCrossings = 18;

}  // namespace

// Coming down from `chroma`: a channel past its bound there stays past it down to its last
// crossing, so no chroma in between is inside; if another channel is past its own bound at that
// crossing, the same holds below it, and so on until every channel is inside.
Linear MostLightInside(double lightness, double chroma, const double (&turned)[3], Linear light) {
  for (int round = 0; round <= kMostCrossings; ++round) {
    const Outside outside = FirstOutside(light);
    // At chroma 0 the point is grey: no lower chroma is left to come down to.
    if (outside.channel < 0 || chroma == 0) break;
    const Cubic cubic = CubicOf(kLinearOfLms[outside.channel], outside.bound, lightness, turned);
    chroma = LastCrossing(cubic, outside.bound > 0, chroma);
    light = LightAtChroma(lightness, chroma, turned);
  }
  return light;
}

}  // namespace vfx::fade::detail

#include "fade/gamut.h"

#include <cmath>
#include <utility>

namespace vfx::fade::detail {
namespace {

// Linear sRGB's rows over the cone responses (the cubes of the cone roots).
constexpr double kLightRows[3][3] = {{4.0767416621, -3.3077115913, 0.2309699292},
                                     {-1.2684380046, 2.6097574011, -0.3413193965},
                                     {-0.0041960863, -0.7034186147, 1.7076147010}};

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

// The root in [low, high], where the cubic is monotonic, is inside at `low` and outside at
// `high`: Halley's steps from Newton's guess at `high` (or the chord's, should that fall
// outside), inside a bracket that every step narrows. A step below a millionth of the bracket
// leaves an error near its cube, below a double's precision, so the solve ends there.
double RootBetween(const Cubic& cubic, bool outsideAbove, double low, double high) {
  const double atLow = cubic.At(low), atHigh = cubic.At(high);
  double x = high - atHigh / cubic.SlopeAt(high);
  if (!(x > low && x < high)) {
    x = atLow == atHigh ? high : low + (high - low) * (atLow / (atLow - atHigh));
  }
  const double settled = 1e-6 * (high - low);
  for (int iteration = 0; iteration < 80 && low < high; ++iteration) {
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
    }
  }
  return low;
}

// The largest chroma below `high` at which the channel crosses its bound, the channel being
// past it at `high` and inside at 0. Between the cubic's turning points it is monotonic; from
// the top down, the first such piece whose lower end is inside holds the crossing, alone.
double LastCrossing(const Cubic& cubic, bool outsideAbove, double high) {
  const double a = 3.0 * cubic.c3, b = 2.0 * cubic.c2, c = cubic.c1;
  // Mostly the slope a x^2 + b x + c keeps its sign over [0, high]: the same at both ends, and
  // its vertex -b / 2a outside, or on the same side. Then there is one crossing.
  const double slopeAtHigh = (a * high + b) * high + c;
  if ((c > 0 && slopeAtHigh > 0) || (c < 0 && slopeAtHigh < 0)) {
    const bool vertexWithin =
        a != 0 && a * b < 0 && (a > 0 ? -b < 2.0 * a * high : -b > 2.0 * a * high);
    const bool vertexAcross = vertexWithin && (a > 0 ? 4.0 * a * c < b * b : 4.0 * a * c > b * b);
    if (!vertexAcross) return RootBetween(cubic, outsideAbove, 0, high);
  }
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

// How close a crossing must be, as its channel's value over its slope there: some tens of ulps
// of the chroma, below any colour a rounding tie could tell apart.
constexpr double kSettled = 1e-15;

double Component(const Linear& light, int channel) {
  return channel == 0 ? light.red : channel == 1 ? light.green : light.blue;
}

}  // namespace

// Coming down from `chroma`: a channel past its bound there stays past it down to its last
// crossing, so no chroma in between is inside; if another channel is past its own bound at that
// crossing, the same holds below it, and so on until every channel is inside.
Linear MostLightInside(double lightness, double chroma, const double (&turned)[3], Linear light,
                       Crossing& crossing) {
  crossing = {};
  for (int round = 0; round < 8; ++round) {
    int channel = -1;
    double bound = 0;
    for (int c = 0; c < 3 && channel < 0; ++c) {
      const double value = Component(light, c);
      if (value < -kRoundingSlack) {
        channel = c;
      } else if (value > 1.0 + kRoundingSlack) {
        channel = c;
        bound = 1;
      }
    }
    if (channel < 0) break;
    const Cubic cubic = CubicOf(kLightRows[channel], bound, lightness, turned);
    chroma = LastCrossing(cubic, bound > 0, chroma);
    light = LightAtChroma(lightness, chroma, turned);
    crossing = {chroma > 0 ? channel : -1, bound, chroma};
  }
  return light;
}

Linear MostLightInside(double lightness, double chroma, const double (&turned)[3], Linear light) {
  Crossing crossing;
  return MostLightInside(lightness, chroma, turned, light, crossing);
}

void CrossingTrail::Add(const Crossing& crossing) {
  if (crossing.channel < 0) {
    count_ = 0;
    return;
  }
  if (count_ == 0 || crossing.channel != channel_ || crossing.bound != bound_) {
    channel_ = crossing.channel;
    bound_ = crossing.bound;
    count_ = 0;
  }
  chroma_[2] = chroma_[1];
  chroma_[1] = chroma_[0];
  chroma_[0] = crossing.chroma;
  if (count_ < 3) ++count_;
}

NearCrossings CrossingsNear(const PointLanes& point, int channel, double bound, Lanes guess) {
  // The channel's light less its bound at chroma L + x k_j is g(x) = sum w_j (L + x k_j)^3 - bound;
  // its slope g' = 3 sum w_j k_j (L + x k_j)^2, half its bend 3 sum w_j k_j^2 (L + x k_j), and a
  // sixth of its third derivative sum w_j k_j^3.
  const double(&row)[3] = kLightRows[channel];
  Lanes weighted[3], twice[3];
  for (int j = 0; j < 3; ++j) {
    weighted[j] = Both(row[j]) * point.turned[j];
    twice[j] = weighted[j] * point.turned[j];
  }
  const Lanes third =
      twice[0] * point.turned[0] + twice[1] * point.turned[1] + twice[2] * point.turned[2];
  Lanes root[3], square[3], response[3];
  const auto at = [&](Lanes x) {
    for (int j = 0; j < 3; ++j) {
      root[j] = point.lightness + x * point.turned[j];
      square[j] = root[j] * root[j];
      response[j] = square[j] * root[j];
    }
  };
  const auto slope = [&] {
    return Both(3.0) *
           (weighted[0] * square[0] + weighted[1] * square[1] + weighted[2] * square[2]);
  };
  // Halley's step from the guess.
  const Lanes start = Smaller(guess, point.chroma);
  at(start);
  const Lanes g0 = Both(row[0]) * response[0] + Both(row[1]) * response[1] +
                   Both(row[2]) * response[2] - Both(bound);
  const Lanes slope0 = slope();
  const Lanes halfBend0 =
      Both(3.0) * (twice[0] * root[0] + twice[1] * root[1] + twice[2] * root[2]);
  Lanes x = start - g0 * slope0 / (slope0 * slope0 - g0 * halfBend0);
  // There, the light itself; Newton's steps while a lane is off by more than kSettled.
  NearCrossings near{};
  Lanes g, slopeAt;
  int settled = 0;
  for (int step = 0;; ++step) {
    at(x);
    near.light = LinearOfResponses(response[0], response[1], response[2]);
    g = (channel == 0   ? near.light.red
         : channel == 1 ? near.light.green
                        : near.light.blue) -
        Both(bound);
    slopeAt = slope();
    settled = ~Less(Both(kSettled) * Abs(slopeAt), Abs(g)) & 3;
    if (settled == 3 || step == 2) break;
    const Lanes newton = g / slopeAt;
    x = x - LanesOf(settled & 1 ? 0.0 : First(newton), settled & 2 ? 0.0 : Second(newton));
  }
  near.chroma = x;
  const Lanes least = Both(-kRoundingSlack), most = Both(1.0 + kRoundingSlack);
  const int inside = Within(near.light.red, least, most) & Within(near.light.green, least, most) &
                     Within(near.light.blue, least, most) & settled & Less(Both(0.0), x);
  if (inside == 0) return near;
  // Past the crossing, at x + h up to the chroma, the channel is g(x) + h q(h) with
  // q(h) = g' + (g''/2) h + (g'''/6) h^2, the derivatives at x (Taylor's, exact for a cubic).
  // It stays outside, by more than the slack at the chroma, when g' outweighs the terms in h all
  // the way there. Where it does not, the channel may come back inside below the chroma, and
  // the full solve decides. (A finer test of q, its ends and vertex, proved not one lane more
  // over thousands of random fades.)
  const Lanes span = point.chroma - x;
  const Lanes outwardSlope = Both(bound > 0 ? 1.0 : -1.0) * slopeAt;
  const Lanes halfBend = halfBend0 + Both(3.0) * third * (x - start);
  const Lanes rest = outwardSlope - (Abs(halfBend) + Abs(third) * span) * span;
  near.found = inside & Less(Both(0.0), span) & Less(Both(3 * kRoundingSlack), rest * span);
  return near;
}

}  // namespace vfx::fade::detail

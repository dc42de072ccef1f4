// The blends as Oklab's published definition reads (Björn Ottosson, "A perceptual color space for
// image processing", 2020, its matrices written out here again), in long double with the C
// library's own functions: the oracle that the blends' colours are compared with. Each component
// comes back unrounded (255 times the encoded light), so that a test can tell a rounding tie.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "fade/fade.h"

namespace vfx::reference {

using Real = long double;

struct Lab {
  Real lightness, a, b;
};
struct Light {
  Real red, green, blue;
};
struct Unrounded {
  Real red, green, blue;
};

inline Real Decoded(int component) {
  const Real c = component / 255.0L;
  return c <= 0.04045L ? c / 12.92L : std::pow((c + 0.055L) / 1.055L, 2.4L);
}

// 255 times the encoding of the light, held to 0..1 first. x^(1/2.4) as exp(log(x) / 2.4):
// the same to long double's precision, and several times quicker than the C library's powl.
inline Real Encoded(Real light) {
  const Real x = light < 0 ? 0 : light > 1 ? 1 : light;
  return 255 * (x <= 0.0031308L ? 12.92L * x : 1.055L * std::exp(std::log(x) / 2.4L) - 0.055L);
}

inline Lab OklabOf(const fade::Rgb& colour) {
  const Real r = Decoded(colour.red), g = Decoded(colour.green), b = Decoded(colour.blue);
  const Real l = std::cbrt(0.4122214708L * r + 0.5363325363L * g + 0.0514459929L * b);
  const Real m = std::cbrt(0.2119034982L * r + 0.6806995451L * g + 0.1073969566L * b);
  const Real s = std::cbrt(0.0883024619L * r + 0.2817188376L * g + 0.6299787005L * b);
  return {0.2104542553L * l + 0.7936177850L * m - 0.0040720468L * s,
          1.9779984951L * l - 2.4285922050L * m + 0.4505937099L * s,
          0.0259040371L * l + 0.7827717662L * m - 0.8086757660L * s};
}

inline Real Cube(Real x) { return x * x * x; }

inline Light LightOf(const Lab& lab) {
  const Real l = Cube(lab.lightness + 0.3963377774L * lab.a + 0.2158037573L * lab.b);
  const Real m = Cube(lab.lightness - 0.1055613458L * lab.a - 0.0638541728L * lab.b);
  const Real s = Cube(lab.lightness - 0.0894841775L * lab.a - 1.2914855480L * lab.b);
  return {4.0767416621L * l - 3.3077115913L * m + 0.2309699292L * s,
          -1.2684380046L * l + 2.6097574011L * m - 0.3413193965L * s,
          -0.0041960863L * l - 0.7034186147L * m + 1.7076147010L * s};
}

inline Unrounded EncodedOf(const Light& light) {
  return {Encoded(light.red), Encoded(light.green), Encoded(light.blue)};
}

// Linear sRGB's rows over the cone responses, and the cone roots of Oklab's a and b.
constexpr Real kLightRows[3][3] = {{4.0767416621L, -3.3077115913L, 0.2309699292L},
                                   {-1.2684380046L, 2.6097574011L, -0.3413193965L},
                                   {-0.0041960863L, -0.7034186147L, 1.7076147010L}};
constexpr Real kRootsOfA[3] = {0.3963377774L, -0.1055613458L, -0.0894841775L};
constexpr Real kRootsOfB[3] = {0.2158037573L, -0.0638541728L, -1.2914855480L};

// The points of one lightness and hue, by chroma x: cone root j is L + x k_j, and each channel's
// light sum w_j (L + x k_j)^3 is a cubic in x.
struct Ray {
  Real lightness, k[3];
  Ray(Real l, Real hue) : lightness(l) {
    const Real cosine = std::cos(hue), sine = std::sin(hue);
    for (int j = 0; j < 3; ++j) k[j] = kRootsOfA[j] * cosine + kRootsOfB[j] * sine;
  }
  Real Channel(int c, Real x) const {
    Real sum = 0;
    for (int j = 0; j < 3; ++j) sum += kLightRows[c][j] * Cube(lightness + x * k[j]);
    return sum;
  }
  bool Inside(Real x, Real slack) const {
    for (int c = 0; c < 3; ++c) {
      const Real value = Channel(c, x);
      if (value < -slack || value > 1 + slack) return false;
    }
    return true;
  }
  // Where the channel's light turns: the roots in (0, most) of its derivative,
  // 3 sum w_j k_j (L + x k_j)^2 = a x^2 + b x + c, ascending.
  int TurningPoints(int channel, Real most, Real* out) const {
    Real a = 0, b = 0, c = 0;
    for (int j = 0; j < 3; ++j) {
      const Real w = kLightRows[channel][j] * k[j];
      a += w * k[j] * k[j];
      b += 2 * w * k[j] * lightness;
      c += w * lightness * lightness;
    }
    Real roots[2];
    int count = 0;
    if (a == 0) {
      if (b != 0) roots[count++] = -c / b;
    } else if (b * b - 4 * a * c > 0) {
      const Real d = std::sqrt(b * b - 4 * a * c);
      roots[count++] = (-b - d) / (2 * a);
      roots[count++] = (-b + d) / (2 * a);
      if (roots[0] > roots[1]) std::swap(roots[0], roots[1]);
    }
    int kept = 0;
    for (int r = 0; r < count; ++r) {
      if (roots[r] > 0 && roots[r] < most) out[kept++] = roots[r];
    }
    return kept;
  }
};

// The largest chroma up to `chroma` whose point is inside sRGB. Every place in [0, chroma] where
// a channel meets 0 or 1 lies in a piece where that channel is monotonic and passes the bound;
// halving finds it there. Above the largest such place that is inside, the point stays outside
// up to `chroma`, so that place is the answer (or 0, grey). The pieces are taken from the
// highest down, and the search ends once no piece left can hold a larger place.
inline Real LargestChromaInside(const Ray& ray, Real chroma) {
  struct Piece {
    int channel;
    Real bound, low, high;
  };
  Piece pieces[18];
  int count = 0;
  for (int c = 0; c < 3; ++c) {
    Real ends[4] = {0};
    const int turns = ray.TurningPoints(c, chroma, ends + 1);
    ends[turns + 1] = chroma;
    for (int piece = 0; piece <= turns; ++piece) {
      for (const Real bound : {0.0L, 1.0L}) {
        const Real low = ends[piece], high = ends[piece + 1];
        if ((ray.Channel(c, low) - bound) * (ray.Channel(c, high) - bound) <= 0) {
          pieces[count++] = {c, bound, low, high};
        }
      }
    }
  }
  std::sort(pieces, pieces + count, [](const Piece& a, const Piece& b) { return a.high > b.high; });
  Real best = 0;
  for (int p = 0; p < count && pieces[p].high > best; ++p) {
    const Piece& piece = pieces[p];
    Real low = piece.low, high = piece.high;
    const bool rising = ray.Channel(piece.channel, high) > ray.Channel(piece.channel, low);
    for (int halving = 0; halving < 48; ++halving) {
      const Real middle = (low + high) / 2;
      ((ray.Channel(piece.channel, middle) < piece.bound) == rising ? low : high) = middle;
    }
    if (low > best && ray.Inside(low, 1e-15L)) best = low;
  }
  return best;
}

// One fade's two ends, in Oklab and OKLCH.
class Fade {
 public:
  Fade(const fade::Rgb& start, const fade::Rgb& end)
      : from_(OklabOf(start)), to_(OklabOf(end)), greys_(IsGrey(start) && IsGrey(end)) {
    chromaFrom_ = std::hypot(from_.a, from_.b);
    chromaTo_ = std::hypot(to_.a, to_.b);
    hueFrom_ = std::atan2(from_.b, from_.a);
    Real hueTo = std::atan2(to_.b, to_.a);
    if (IsGrey(start)) hueFrom_ = hueTo;
    if (IsGrey(end)) hueTo = hueFrom_;
    const Real pi = std::acos(-1.0L);
    turn_ = hueTo - hueFrom_;
    if (turn_ > pi) turn_ -= 2 * pi;
    if (turn_ < -pi) turn_ += 2 * pi;
  }

  // Character i of `length` on the straight line in Oklab, t = i / length.
  Unrounded Even(std::size_t i, std::size_t length) const {
    const Real t = static_cast<Real>(i) / static_cast<Real>(length);
    return EncodedOf(LightOf({from_.lightness + t * (to_.lightness - from_.lightness),
                              from_.a + t * (to_.a - from_.a), from_.b + t * (to_.b - from_.b)}));
  }

  // The same in OKLCH: lightness and chroma straight, the hue the shorter way round; a grey end
  // takes the other's hue, and between two greys no hue matters (the straight line). Outside
  // sRGB the chroma comes down to the largest inside.
  Unrounded Vivid(std::size_t i, std::size_t length) const {
    if (greys_) return Even(i, length);
    const Real t = static_cast<Real>(i) / static_cast<Real>(length);
    const Ray ray(from_.lightness + t * (to_.lightness - from_.lightness), hueFrom_ + t * turn_);
    Real chroma = chromaFrom_ + t * (chromaTo_ - chromaFrom_);
    if (!ray.Inside(chroma, 0)) chroma = LargestChromaInside(ray, chroma);
    return {Encoded(ray.Channel(0, chroma)), Encoded(ray.Channel(1, chroma)),
            Encoded(ray.Channel(2, chroma))};
  }

 private:
  static bool IsGrey(const fade::Rgb& c) { return c.red == c.green && c.green == c.blue; }

  Lab from_, to_;
  bool greys_;
  Real chromaFrom_, chromaTo_, hueFrom_, turn_;
};

}  // namespace vfx::reference

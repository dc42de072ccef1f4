// The crossing that the Vivid blend finds near its neighbours' against the reference's largest
// chroma inside sRGB, in long double: whatever the guess, a lane it claims is the reference's
// answer, and from a close guess it claims nearly all of them.
#include "fade/gamut.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/fade/reference_blend.h"

namespace vfx::fade::detail {
namespace {

struct Case {
  reference::Real lightness, hue, chroma, want;  // want: the largest chroma inside
  double turned[3];
};

// Character i of n from `start` to `end` as the blend defines it, in long double.
Case CaseOf(const Rgb& start, const Rgb& end, int i, int n) {
  const reference::Lab from = reference::OklabOf(start), to = reference::OklabOf(end);
  const reference::Real t = static_cast<reference::Real>(i) / n, pi = std::acos(-1.0L);
  const reference::Real hueFrom = std::atan2(from.b, from.a);
  reference::Real turn = std::atan2(to.b, to.a) - hueFrom;
  if (turn > pi) turn -= 2 * pi;
  if (turn < -pi) turn += 2 * pi;
  const reference::Real chromaFrom = std::hypot(from.a, from.b), chromaTo = std::hypot(to.a, to.b);
  Case c{from.lightness + t * (to.lightness - from.lightness),
         hueFrom + t * turn,
         chromaFrom + t * (chromaTo - chromaFrom),
         0,
         {}};
  const reference::Ray ray(c.lightness, c.hue);
  c.want = ray.Inside(c.chroma, 0) ? c.chroma : reference::LargestChromaInside(ray, c.chroma);
  for (int j = 0; j < 3; ++j) c.turned[j] = static_cast<double>(ray.k[j]);
  return c;
}

// A character of a random fade whose point lies outside sRGB.
Case RandomOutside(std::mt19937_64& random) {
  for (;;) {
    const auto component = [&] { return static_cast<int>(random() % 256); };
    const int length = 1 + static_cast<int>(random() % 300);
    const Case c =
        CaseOf({component(), component(), component()}, {component(), component(), component()},
               1 + static_cast<int>(random() % static_cast<unsigned>(length)), length);
    if (c.want < c.chroma) return c;
  }
}

TEST(CrossingsNear, ClaimsOnlyTheLargestChromaInsideSrgb) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> unit(0, 1);
  long close = 0, claimedClose = 0;
  for (int n = 0; n < 100000; ++n) {
    const Case a = RandomOutside(random), b = RandomOutside(random);
    // Mostly a guess near the answer, as a neighbour's gives; else anywhere up to the chroma,
    // where a channel that dips past its bound and comes back offers a crossing below the
    // largest inside.
    const bool near = n % 4 != 0;
    const auto guess = [&](const Case& c) {
      return static_cast<double>(near ? c.want * (1 + 2e-4L * (unit(random) - 0.5))
                                      : c.chroma * unit(random));
    };
    PointLanes point{LanesOf(static_cast<double>(a.lightness), static_cast<double>(b.lightness)),
                     LanesOf(static_cast<double>(a.chroma), static_cast<double>(b.chroma)),
                     {}};
    for (int j = 0; j < 3; ++j) point.turned[j] = LanesOf(a.turned[j], b.turned[j]);
    const Lanes guesses = LanesOf(guess(a), guess(b));
    int claimed = 0;
    for (int channel = 0; channel < 3; ++channel) {
      for (const double bound : {0.0, 1.0}) {
        const NearCrossings found = CrossingsNear(point, channel, bound, guesses);
        claimed |= found.found;
        if (found.found & 1) {
          ASSERT_NEAR(First(found.chroma), static_cast<double>(a.want), 1e-12) << n;
        }
        if (found.found & 2) {
          ASSERT_NEAR(Second(found.chroma), static_cast<double>(b.want), 1e-12) << n;
        }
      }
    }
    if (near) {
      close += 2;
      claimedClose += (claimed & 1) + (claimed >> 1);
    }
  }
  EXPECT_GT(claimedClose, close * 99 / 100) << claimedClose << " of " << close;
}

// Where a channel passes its bound, comes back and passes it again below the chroma, a guess
// near the first crossing finds a crossing that is not the largest inside: it must not claim it.
TEST(CrossingsNear, ClaimsNoCrossingBelowAChannelThatComesBack) {
  const Case cases[] = {CaseOf({0, 0, 255}, {11, 4, 66}, 1, 223),
                        CaseOf({92, 122, 252}, {0, 0, 255}, 190, 195)};
  for (const Case& c : cases) {
    PointLanes point{
        Both(static_cast<double>(c.lightness)), Both(static_cast<double>(c.chroma)), {}};
    for (int j = 0; j < 3; ++j) point.turned[j] = Both(c.turned[j]);
    for (int k = 0; k < 256; k += 2) {
      const double chroma = static_cast<double>(c.chroma);
      const Lanes guesses = LanesOf(chroma * k / 256, chroma * (k + 1) / 256);
      for (int channel = 0; channel < 3; ++channel) {
        for (const double bound : {0.0, 1.0}) {
          const NearCrossings found = CrossingsNear(point, channel, bound, guesses);
          if (found.found & 1) {
            EXPECT_NEAR(First(found.chroma), static_cast<double>(c.want), 1e-12);
          }
          if (found.found & 2) {
            EXPECT_NEAR(Second(found.chroma), static_cast<double>(c.want), 1e-12);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace vfx::fade::detail

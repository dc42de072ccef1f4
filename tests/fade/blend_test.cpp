// Even and Vivid against the reference written from Oklab's published definition in long double,
// over random fades; a few colours worked out by hand; and one hash of many colours, the same
// literal on every build (the Windows builds run this suite under Wine).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "fade/fade.h"
#include "fade_writer.h"
#include "tests/fade/reference_blend.h"

namespace vfx::fade {
namespace {

struct SplitMix64 {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
};

// Mostly any colour; greys, and colours of full components only, often enough to meet the rules
// for hueless ends and the edges of sRGB.
Rgb RandomColour(SplitMix64& random) {
  switch (random.Below(8)) {
    case 0: {
      const int grey = random.Below(256);
      return {grey, grey, grey};
    }
    case 1:
      return {255 * random.Below(2), 255 * random.Below(2), 255 * random.Below(2)};
    default:
      return {random.Below(256), random.Below(256), random.Below(256)};
  }
}

// A component agrees when it is the reference's rounded to nearest; where the reference lies
// within kTie of a half step, either neighbour is right, and the case counts as a tie.
constexpr reference::Real kTie = 1e-8L;

struct Tally {
  long components = 0, ties = 0;
};

bool Agrees(int got, reference::Real want, Tally& tally) {
  ++tally.components;
  const reference::Real below = std::floor(want);
  if (std::fabs(want - below - 0.5L) < kTie) {
    ++tally.ties;
    return got == below || got == below + 1;
  }
  return got == std::lround(want);
}

int HexValue(char digit) { return digit <= '9' ? digit - '0' : digit - 'A' + 10; }

// Every character's colour of a fade of `length` characters, as the fade writer puts it in its
// tags, each checked against BlendColour at one place.
std::vector<Rgb> WrittenColours(const Rgb& start, const Rgb& end, Blend blend, std::size_t length,
                                std::size_t probe, bool askRun) {
  std::string markup;
  detail::FadeWriter(detail::Wave::kNone, "")
      .AppendBlend(markup, std::string(length, 'x'), length, start, end, blend);
  std::vector<Rgb> colours(length);
  for (std::size_t i = 0; i < length; ++i) {
    const char* digits = markup.data() + 21 * i + 13;
    int c[3];
    for (int k = 0; k < 3; ++k) c[k] = 16 * HexValue(digits[2 * k]) + HexValue(digits[2 * k + 1]);
    colours[i] = {c[0], c[1], c[2]};
  }
  const Rgb alone = BlendColour(start, end, blend, probe, length);
  const Rgb written = colours[probe - 1];
  EXPECT_TRUE(alone.red == written.red && alone.green == written.green &&
              alone.blue == written.blue)
      << "character " << probe << " of " << length;
  // And the colours from the probe to the end, asked for all at once.
  if (!askRun) return colours;
  std::vector<Rgb> run(length - probe + 1);
  BlendColours(start, end, blend, probe, length, run);
  for (std::size_t i = probe; i <= length; ++i) {
    const Rgb& got = run[i - probe];
    const Rgb& want = colours[i - 1];
    EXPECT_TRUE(got.red == want.red && got.green == want.green && got.blue == want.blue)
        << "character " << i << " of " << length << ", asked from " << probe;
  }
  return colours;
}

void ExpectAgreementOverRandomFades(Blend blend, std::uint64_t seed) {
  SplitMix64 random{seed};
  Tally tally;
  for (int n = 0; n < 100000; ++n) {
    const Rgb start = RandomColour(random), end = RandomColour(random);
    const auto length = static_cast<std::size_t>(1 + random.Below(300));
    const auto probe = static_cast<std::size_t>(1 + random.Below(static_cast<int>(length)));
    const std::vector<Rgb> colours = WrittenColours(start, end, blend, length, probe, n % 16 == 0);
    const reference::Fade fade(start, end);
    for (std::size_t i = 1; i <= length; ++i) {
      const Rgb& got = colours[i - 1];
      const reference::Unrounded want =
          blend == Blend::kEven ? fade.Even(i, length) : fade.Vivid(i, length);
      if (!Agrees(got.red, want.red, tally) || !Agrees(got.green, want.green, tally) ||
          !Agrees(got.blue, want.blue, tally)) {
        FAIL() << "case " << n << ": (" << start.red << ", " << start.green << ", " << start.blue
               << ") to (" << end.red << ", " << end.green << ", " << end.blue << "), character "
               << i << " of " << length << ": got (" << got.red << ", " << got.green << ", "
               << got.blue << "), the reference (" << static_cast<double>(want.red) << ", "
               << static_cast<double>(want.green) << ", " << static_cast<double>(want.blue) << ")";
      }
    }
  }
  EXPECT_GT(tally.components, 40'000'000);
  // Some 45 million components: a handful of ties, as the width of kTie lets one expect.
  EXPECT_LT(tally.ties, 100) << "of " << tally.components;
  ::testing::Test::RecordProperty("ties", std::to_string(tally.ties));
}

TEST(BlendColour, EvenAgreesWithTheReferenceOverRandomFades) {
  ExpectAgreementOverRandomFades(Blend::kEven, 0x0E7E11);
}

TEST(BlendColour, VividAgreesWithTheReferenceOverRandomFades) {
  ExpectAgreementOverRandomFades(Blend::kVivid, 0x7171D);
}

bool Same(const Rgb& a, const Rgb& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// The colours below were worked out at 50 digits from the published definition, apart from
// this code.
constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kGrey{128, 128, 128};

TEST(BlendColour, EvenKeepsTheLightBetweenRedAndGreen) {
  // Straight passes through olive, (128, 128, 0); the middle of Oklab's line is a light yellow.
  EXPECT_TRUE(Same(BlendColour(kRed, kGreen, Blend::kStraight, 1, 2), {128, 128, 0}));
  EXPECT_TRUE(Same(BlendColour(kRed, kGreen, Blend::kEven, 1, 2), {208, 168, 0}));
  EXPECT_TRUE(Same(BlendColour(kRed, kGreen, Blend::kEven, 1, 3), {229, 135, 0}));
  EXPECT_TRUE(Same(BlendColour(kRed, kGreen, Blend::kEven, 2, 3), {179, 199, 0}));
}

TEST(BlendColour, VividFromOrToGreyTakesTheOtherEndsHue) {
  // A grey's own hue is rounding noise; the fade stays on blue's, the straight line to grey.
  const Rgb toBlue[] = {{94, 117, 164}, {59, 100, 196}, {20, 74, 226}, {0, 0, 255}};
  for (std::size_t i = 1; i <= 4; ++i) {
    EXPECT_TRUE(Same(BlendColour(kGrey, kBlue, Blend::kVivid, i, 4), toBlue[i - 1])) << i;
  }
  const Rgb fromBlue[] = {{34, 84, 216}, {82, 112, 175}, {128, 128, 128}};
  for (std::size_t i = 1; i <= 3; ++i) {
    EXPECT_TRUE(Same(BlendColour(kBlue, kGrey, Blend::kVivid, i, 3), fromBlue[i - 1])) << i;
  }
}

TEST(BlendColour, VividTurnsTheShorterWayAndKeepsTheMostChromaInsideSrgb) {
  EXPECT_TRUE(Same(BlendColour(kRed, kBlue, Blend::kVivid, 1, 2), {178, 0, 184}));
  EXPECT_TRUE(Same(BlendColour(kRed, kGreen, Blend::kVivid, 1, 3), {224, 138, 0}));
  EXPECT_TRUE(Same(BlendColour(kRed, kGreen, Blend::kVivid, 2, 3), {203, 190, 0}));
  // Where a smaller chroma is inside too (a channel dips below 0 and comes back), the largest.
  EXPECT_TRUE(Same(BlendColour(kBlue, {11, 4, 66}, Blend::kVivid, 1, 223), {1, 0, 254}));
  EXPECT_TRUE(Same(BlendColour({92, 122, 252}, kBlue, Blend::kVivid, 190, 195), {1, 13, 255}));
}

TEST(BlendColour, EndsOnTheEndColourAndStartsFromTheStart) {
  SplitMix64 random{5};
  for (int n = 0; n < 2000; ++n) {
    const Rgb start = RandomColour(random), end = RandomColour(random);
    const auto length = static_cast<std::size_t>(1 + random.Below(n % 10 == 0 ? 100000 : 300));
    for (const Blend blend : {Blend::kEven, Blend::kVivid}) {
      EXPECT_TRUE(Same(BlendColour(start, end, blend, length, length), end)) << n;
      EXPECT_TRUE(Same(BlendColour(start, end, blend, 0, length), start)) << n;
      EXPECT_TRUE(Same(BlendColour(start, end, blend, length + 7, length), end)) << n;
    }
  }
  EXPECT_TRUE(Same(BlendColour(kRed, kBlue, Blend::kVivid, 1, 1), kBlue));
  EXPECT_TRUE(Same(BlendColour(kRed, kBlue, Blend::kEven, 1, 0), kBlue));  // 0 counts as 1
}

TEST(BlendColour, StraightIsTheFadesOwnColour) {
  // The fade's worked examples: red to blue over abc, and a half that rounds to even.
  EXPECT_TRUE(Same(BlendColour(kRed, kBlue, Blend::kStraight, 1, 3), {170, 0, 85}));
  EXPECT_TRUE(Same(BlendColour(kRed, kBlue, Blend::kStraight, 2, 3), {85, 0, 170}));
  EXPECT_TRUE(Same(BlendColour(kRed, kBlue, Blend::kStraight, 3, 3), kBlue));
  EXPECT_TRUE(Same(BlendColour({0, 0, 0}, {5, 5, 5}, Blend::kStraight, 1, 2), {2, 2, 2}));
  // Taken modulo 256 as the hex notation does.
  EXPECT_TRUE(
      Same(BlendColour({300, -1, 0}, {300, -1, 256}, Blend::kStraight, 1, 1), {44, 255, 0}));
  EXPECT_TRUE(
      Same(BlendColour({0, 0, 0}, {255, 255, 255}, Blend::kStraight, 2, 4), {128, 128, 128}));
}

// FNV-1a over every component of a fixed set of fades. The literals are this suite's own
// result on the native build; the Windows builds, run under Wine, must reach the same.
std::uint32_t HashOfColours(Blend blend) {
  SplitMix64 random{0xB1E2D};
  std::uint32_t hash = 2166136261u;
  for (int n = 0; n < 1500; ++n) {
    const Rgb start = RandomColour(random), end = RandomColour(random);
    const auto length = static_cast<std::size_t>(1 + random.Below(300));
    for (std::size_t i = 1; i <= length; ++i) {
      const Rgb c = BlendColour(start, end, blend, i, length);
      for (const int component : {c.red, c.green, c.blue}) {
        hash = (hash ^ static_cast<std::uint32_t>(component)) * 16777619u;
      }
    }
  }
  return hash;
}

TEST(BlendColour, GivesTheSameColoursOnEveryBuild) {
  EXPECT_EQ(HashOfColours(Blend::kEven), 3599504751u);
  EXPECT_EQ(HashOfColours(Blend::kVivid), 1000742630u);
}

}  // namespace
}  // namespace vfx::fade

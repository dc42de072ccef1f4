#include <gtest/gtest.h>

#include <cmath>

#include "fade/fade.h"

namespace vfx::fade {
namespace {

TEST(RgbToHex, WritesRedGreenBlueAsTwoUppercaseDigitsEach) {
  EXPECT_EQ(RgbToHex(0, 0, 0), "000000");
  EXPECT_EQ(RgbToHex(255, 255, 255), "FFFFFF");
  EXPECT_EQ(RgbToHex(10, 11, 15), "0A0B0F");
  EXPECT_EQ(RgbToHex(170, 0, 85), "AA0055");
  EXPECT_EQ(RgbToHex(128, 0, 255), "8000FF");
}

TEST(RgbToHex, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(RgbToHex(127.5, 42.5, 0.5), "802A00");
  EXPECT_EQ(RgbToHex(63.75, 191.25, 2.5), "40BF02");
  EXPECT_EQ(RgbToHex(1.5, 254.5, 3.4999999), "02FE03");
  EXPECT_EQ(RgbToHex(-0.5, -1.5, 0.5000001), "00FE01");
}

TEST(RgbToHex, WrapsComponentsModulo256) {
  EXPECT_EQ(RgbToHex(-1, 256, 300), "FF002C");
  EXPECT_EQ(RgbToHex(-256, 511, 32767), "00FFFF");
  EXPECT_EQ(RgbToHex(-32768, 65536.0 * 65536.0 + 1, 1e300), "000100");
}

TEST(RgbToHex, TreatsValuesThatAreNotNumbersAsZero) {
  EXPECT_EQ(RgbToHex(std::nan(""), HUGE_VAL, -HUGE_VAL), "000000");
}

TEST(StripSpaces, RemovesEverySpaceAndNothingElse) {
  EXPECT_EQ(StripSpaces("a b  c "), "abc");
  EXPECT_EQ(StripSpaces(""), "");
  EXPECT_EQ(StripSpaces("abc"), "abc");
  EXPECT_EQ(StripSpaces("   "), "");
  EXPECT_EQ(StripSpaces("a\tb\nc\xC2\xA0"), "a\tb\nc\xC2\xA0");
}

}  // namespace
}  // namespace vfx::fade

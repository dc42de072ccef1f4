#include "fade/utf8.h"

#include <gtest/gtest.h>

namespace vfx::fade {
namespace {

TEST(Utf8, CountsCodePointsOfWellFormedText) {
  EXPECT_EQ(CharacterCount(""), 0u);
  EXPECT_EQ(CharacterCount("abc"), 3u);
  EXPECT_EQ(CharacterCount("\xC2\xAB(v^v\xE2\x80\xA2"), 6u);
  EXPECT_EQ(CharacterCount("\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"), 2u);  // U+1F600, U+10FFFF
}

TEST(Utf8, TakesEachMalformedByteAsOneCharacter) {
  EXPECT_EQ(CharacterLength("\x80", 0), 1u);
  EXPECT_EQ(CharacterLength("\xC1\xBF", 0), 1u);          // overlong
  EXPECT_EQ(CharacterLength("\xE0\x80\x80", 0), 1u);      // overlong
  EXPECT_EQ(CharacterLength("\xF4\x90\x80\x80", 0), 1u);  // past U+10FFFF
  EXPECT_EQ(CharacterLength("\xF5\x80\x80\x80", 0), 1u);
  EXPECT_EQ(CharacterLength("\xE2\x80", 0), 1u);  // truncated: never reads past the end
  EXPECT_EQ(CharacterLength("\xE2\x80"
                            "a",
                            0),
            1u);
  EXPECT_EQ(CharacterLength("x", 1), 0u);
}

}  // namespace
}  // namespace vfx::fade

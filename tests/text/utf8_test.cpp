// UTF-8 as RFC 3629 defines it: its own examples decode to the code points it names, and every
// ill-formed sequence it lists is one character per byte, U+FFFD each.
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/ascii.h"

namespace vfx::text {
namespace {

std::vector<char32_t> Decoded(std::string_view text) {
  std::vector<char32_t> points;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CharacterLength(text, at);
    points.push_back(CodePointAt(text, at, length));
    at += length;
  }
  return points;
}

TEST(Utf8, DecodesAndEncodesTheExamplesOfItsDefinition) {
  // RFC 3629, section 7: "A<NOT IDENTICAL TO><ALPHA>.", Korean, Japanese, and U+233B4 after a BOM.
  const std::vector<std::pair<std::string, std::vector<char32_t>>> examples = {
      {"\x41\xE2\x89\xA2\xCE\x91\x2E", {0x41, 0x2262, 0x391, 0x2E}},
      {"\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4", {0xD55C, 0xAD6D, 0xC5B4}},
      {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", {0x65E5, 0x672C, 0x8A9E}},
      {"\xEF\xBB\xBF\xF0\xA3\x8E\xB4", {0xFEFF, 0x233B4}},
  };
  for (const auto& [bytes, points] : examples) {
    EXPECT_EQ(Decoded(bytes), points);
    EXPECT_EQ(CharacterCount(bytes), points.size());
    EXPECT_TRUE(IsUtf8Text(bytes));
    std::string encoded;
    for (char32_t point : points) AppendUtf8(encoded, point);
    EXPECT_EQ(encoded, bytes);
  }
  EXPECT_EQ(Decoded("\xF4\x8F\xBF\xBF"), std::vector<char32_t>{0x10FFFF});
  EXPECT_EQ(CharacterCount(""), 0u);
}

TEST(Utf8, TakesEachIllFormedByteAsOneReplacementCharacter) {
  constexpr char32_t kBad = kReplacementCharacter;
  const std::vector<std::pair<std::string, std::vector<char32_t>>> cases = {
      {"\x80", {kBad}},                                // a lone continuation byte
      {"\xC1\xBF", {kBad, kBad}},                      // overlong
      {"\xE0\x80\xAF", {kBad, kBad, kBad}},            // overlong
      {"\xED\xA0\x80", {kBad, kBad, kBad}},            // a surrogate
      {"\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},  // past U+10FFFF
      {"\xF5\x80\x80\x80", {kBad, kBad, kBad, kBad}},  // no lead byte at all
      {"\xE2\x80", {kBad, kBad}},                      // truncated at the end
      {"\xE2\x80"
       "a",
       {kBad, kBad, 'a'}},                                    // truncated before a letter
      {std::string("\xFF\xFE[\0", 4), {kBad, kBad, '[', 0}},  // UTF-16 read as bytes
  };
  for (const auto& [bytes, points] : cases) {
    EXPECT_EQ(Decoded(bytes), points) << testing::PrintToString(bytes);
    EXPECT_FALSE(IsUtf8Text(bytes)) << testing::PrintToString(bytes);
  }
  EXPECT_EQ(CharacterLength("x", 1), 0u);
  EXPECT_FALSE(IsUtf8Text(std::string_view("a\0b", 3)));  // NUL: not text a person wrote
  EXPECT_TRUE(IsWellFormed(std::string_view("a\0b", 3)));
  EXPECT_FALSE(IsWellFormed("ok\xE2\x80"));
  EXPECT_EQ(WellFormed("a\x80"
                       "b\xE2\x80"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(WellFormed("\xCE\x91\xF0\xA3\x8E\xB4"), "\xCE\x91\xF0\xA3\x8E\xB4");

  std::string encoded;
  for (char32_t bad : {char32_t{0xD800}, char32_t{0x110000}}) AppendUtf8(encoded, bad);
  EXPECT_EQ(encoded, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Ascii, FoldsOnlyTheAsciiLettersAndTrimsBlanks) {
  EXPECT_TRUE(SameIgnoringCase("Chat Room", "cHAT rOOM"));
  EXPECT_FALSE(SameIgnoringCase("\xC3\x9C", "\xC3\xBC"));  // Ü and ü: not ASCII
  EXPECT_TRUE(StartsWithIgnoringCase("<Font Color=#", "<font color"));
  EXPECT_FALSE(StartsWithIgnoringCase("<f", "<font"));
  EXPECT_EQ(TrimBlanks(" \tname \t"), "name");
  EXPECT_EQ(TrimBlanks(" \t "), "");
}

}  // namespace
}  // namespace vfx::text

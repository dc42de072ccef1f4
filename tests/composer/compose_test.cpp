#include "composer/compose.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/composer/panel_colours.h"
#include "text/utf8.h"

namespace vfx::composer {
namespace {

constexpr const auto& kColours = testing::kPanelColours;

// One segment faded from colour `from` to colour `to` (numbered from 1), as the body must hold it.
std::string Plain(std::string_view segment, int from, int to) {
  const fade::Rgb a = kColours[from - 1], b = kColours[to - 1];
  return fade::FadeTwoColors(segment, a.red, a.green, a.blue, b.red, b.green, b.blue, "");
}
std::string Wavy(std::string_view segment, int from, int to) {
  const fade::Rgb a = kColours[from - 1], b = kColours[to - 1];
  return fade::FadeWavy(segment, a.red, a.green, a.blue, b.red, b.green, b.blue, "");
}

std::string Body(std::string_view line, int colourCount, bool wavy = false) {
  return ComposeBody(line, colourCount, kColours, wavy);
}

std::size_t Count(const std::string& haystack, std::string_view needle) {
  std::size_t count = 0;
  for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1))
    ++count;
  return count;
}

TEST(ComposeBody, OneAndTwoColoursFadeTheWholeLineWithoutPadding) {
  EXPECT_EQ(Body("abc", 1), Plain("abc", 1, 1));
  EXPECT_EQ(Body("abc", 2), Plain("abc", 1, 2));
  EXPECT_EQ(Body("abcdefghijk", 2), Plain("abcdefghijk", 1, 2));
  EXPECT_EQ(Count(Body("abcdefghijk", 2), "<FONT COLOR=#"), 11u);
}

TEST(ComposeBody, ThreeColoursCutTheLineInTwoAndSendNoPad) {
  EXPECT_EQ(Body("abcde", 3), Plain("abc", 1, 2) + Plain("de", 2, 3));
  EXPECT_EQ(Body("abcdef", 3), Plain("abc", 1, 2) + Plain("def", 2, 3));
  EXPECT_EQ(Body("a", 3), Plain("a", 1, 2) + Plain("", 2, 3));
}

TEST(ComposeBody, FourColoursTakeEqualPartsAndTheShortfallFallsOnTheLast) {
  EXPECT_EQ(Body("abcdefghij", 4), Plain("abcd", 1, 2) + Plain("efgh", 2, 3) + Plain("ij", 3, 4));
  // Padded to 6: ab, cd and an empty third segment, so colour 4 is never reached.
  EXPECT_EQ(Body("abcd", 4), Plain("ab", 1, 2) + Plain("cd", 2, 3));
  EXPECT_EQ(Count(Body("abcd", 4), "<FONT COLOR=#"), 4u);
}

TEST(ComposeBody, TenColoursFadePadSpacesThatEarlierSegmentsReach) {
  std::string expected;
  for (int j = 1; j <= 7; ++j)
    expected += Plain(std::string(1, static_cast<char>('a' + j - 1)), j, j + 1);
  expected += Plain(" ", 8, 9);
  EXPECT_EQ(Body("abcdefg", 10), expected);

  std::string single = Plain("x", 1, 2);
  for (int j = 2; j <= 8; ++j) single += Plain(" ", j, j + 1);
  EXPECT_EQ(Body("x", 10), single);
  EXPECT_EQ(Count(single, "<FONT COLOR=#"), 8u);

  // 16 characters: two per segment, the ninth segment empty, colour 10 unused.
  std::string sixteen;
  const std::string line = "abcdefghijklmnop";
  for (int j = 1; j <= 8; ++j) sixteen += Plain(line.substr((j - 1) * 2, 2), j, j + 1);
  EXPECT_EQ(Body(line, 10), sixteen);
  EXPECT_EQ(Body(line, 10).find(fade::RgbToHex(250, 5, 125)), std::string::npos);
}

TEST(ComposeBody, AnEmptyLineGivesAnEmptyBodyForEveryCount) {
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(Body("", n), "") << n << " colours";
    EXPECT_EQ(Body("", n, true), "") << n << " colours, wavy";
  }
}

TEST(ComposeBody, CountsOutsideOneToTen) {
  EXPECT_EQ(Body("abc", 0), "");
  EXPECT_EQ(Body("abc", -4), "");
  EXPECT_EQ(Body("abcdefghijklmnopq", 11), Body("abcdefghijklmnopq", 10));
}

TEST(ComposeBody, WavyUsesFadeWavyForEverySegment) {
  EXPECT_EQ(Body("abc", 1, true), Wavy("abc", 1, 1));
  EXPECT_EQ(Body("abcdefghij", 2, true), Wavy("abcdefghij", 1, 2));
  EXPECT_EQ(Body("abcdefghij", 4, true),
            Wavy("abcd", 1, 2) + Wavy("efgh", 2, 3) + Wavy("ij", 3, 4));
  // Each segment restarts the wave, so the body holds as many subscripts as segments begin.
  const std::string body = Body("abcdefghijklmnopqr", 10, true);
  std::string expected;
  for (int j = 1; j <= 9; ++j)
    expected += Wavy(std::string("abcdefghijklmnopqr").substr((j - 1) * 2, 2), j, j + 1);
  EXPECT_EQ(body, expected);
  EXPECT_EQ(Count(body, "<sub>"), 9u);
}

TEST(ComposeBody, CutsBetweenCharactersNeverInsideOne) {
  // 12 characters in 16 bytes: two parts of 6 characters.
  const std::string line = "h\u00E9llo w\u00F6rld\u2022";
  ASSERT_EQ(text::CharacterCount(line), 12u);
  EXPECT_EQ(Body(line, 3), Plain("h\u00E9llo ", 1, 2) + Plain("w\u00F6rld\u2022", 2, 3));
  EXPECT_EQ(Body("\U0001F600\u00E9abc", 4),
            Plain("\U0001F600\u00E9", 1, 2) + Plain("ab", 2, 3) + Plain("c", 3, 4));
  // Long runs of one-byte characters are skipped eight at a time, up to the cut and not past it.
  const std::string first = std::string(43, 'a') + "\u00E9", second(44, 'b');
  EXPECT_EQ(Body(first + second, 3), Plain(first, 1, 2) + Plain(second, 2, 3));
  // Malformed bytes are one character each and pass through whole.
  const std::string malformed =
      "\xFF\xFE"
      "ab\x80";
  const std::string body = Body(malformed, 3);
  EXPECT_EQ(body, Plain("\xFF\xFE"
                        "a",
                        1, 2) +
                      Plain("b\x80", 2, 3));
  EXPECT_EQ(Count(body, "<FONT COLOR=#"), 5u);
}

TEST(ComposeBodyWithABlend, ColoursEachSegmentByTheBlend) {
  // Colours 1 to 3 are red, green and blue; abc fades from red to green, de from green to blue.
  // The colours were worked out at 50 digits from Oklab's published definition.
  EXPECT_EQ(ComposeBody("abcde", 3, kColours, false, fade::Blend::kEven),
            "<FONT COLOR=#E58700>a<FONT COLOR=#B3C700>b<FONT COLOR=#00FF00>c"
            "<FONT COLOR=#00AABF>d<FONT COLOR=#0000FF>e");
  EXPECT_EQ(ComposeBody("abcde", 3, kColours, true, fade::Blend::kVivid),
            "<FONT COLOR=#E08A00><sub>a</sub><FONT COLOR=#CBBE00>b<FONT COLOR=#00FF00><sup>c</sup>"
            "<FONT COLOR=#00A5B1><sub>d</sub><FONT COLOR=#0000FF>e");
  // A segment of one character has its end colour under every blend, pad spaces included.
  for (const auto blend : {fade::Blend::kEven, fade::Blend::kVivid}) {
    EXPECT_EQ(ComposeBody("x", 10, kColours, false, blend), Body("x", 10));
    EXPECT_EQ(ComposeBody("h\u00E9llo", 10, kColours, true, blend), Body("h\u00E9llo", 10, true));
    EXPECT_EQ(ComposeBody("", 4, kColours, false, blend), "");
    EXPECT_EQ(ComposeBody("abc", 0, kColours, false, blend), "");
  }
}

TEST(ComposeBodyWithABlend, StraightIsTheBodyItself) {
  for (const std::string line :
       {"", "a", "abcde", "h\u00E9llo w\u00F6rld\u2022", "abcdefghijklmnopq"}) {
    for (int n = 0; n <= 11; ++n) {
      EXPECT_EQ(ComposeBody(line, n, kColours, false, fade::Blend::kStraight), Body(line, n));
      EXPECT_EQ(ComposeBody(line, n, kColours, true, fade::Blend::kStraight), Body(line, n, true));
    }
  }
}

TEST(StylePrefix, TagsInTheFixedOrder) {
  EXPECT_EQ(StylePrefix({}), "");
  EXPECT_EQ(StylePrefix({.bold = true}), "<B>");
  EXPECT_EQ(StylePrefix({.bold = true, .italics = true, .underline = true, .strike = true}),
            "<B><I><U><S>");
  EXPECT_EQ(StylePrefix({.italics = true, .strike = true}), "<I><S>");
  EXPECT_EQ(StylePrefix({.bold = true, .underline = true}), "<B><U>");
}

TEST(ClosingText, OneFontClosingPerCharacterThenTheStylesInPrefixOrder) {
  EXPECT_EQ(ClosingText(0, {}), "");
  EXPECT_EQ(ClosingText(3, {}), "</FONT></FONT></FONT>");
  EXPECT_EQ(ClosingText(2, {.bold = true, .italics = true}), "</FONT></FONT></B></I>");
  EXPECT_EQ(ClosingText(0, {.strike = true}), "</S>");
  EXPECT_EQ(ClosingText(1, {.bold = true, .italics = true, .underline = true, .strike = true}),
            "</FONT></B></I></U></S>");
}

TEST(AttentionBanner, IsTheReadyMadeLineOf919Characters) {
  std::string expected =
      "<HTML><FONT  SIZE=3 PTSIZE=10 FAMILY=\"SCRIPT\" FACE=\"Comic Sans MS\" LANG=\"0\"><B>"
      "<FONT COLOR=\"#0E000E\">["
      "<FONT COLOR=#1C001C>\u00A8<FONT COLOR=#2A002A>\u2019<FONT COLOR=#390039>\u201C"
      "<FONT COLOR=#470047>\u00B0<FONT COLOR=#550055>\u00BA<FONT COLOR=#630063>\u00A4"
      "<FONT COLOR=#710071>\u2022<FONT COLOR=#800080>[<FONT COLOR=#8E008E>A"
      "<FONT COLOR=#AA00AA> T<FONT COLOR=#C600C6> T<FONT COLOR=#E300E3> E"
      "<FONT COLOR=#FF00FF> N<FONT COLOR=#E100E1> T<FONT COLOR=#C300C3> I"
      "<FONT COLOR=#A500A5> O<FONT COLOR=#870087> N<FONT COLOR=#780078>]"
      "<FONT COLOR=#690069>\u2022<FONT COLOR=#5A005A>\u00A4<FONT COLOR=#4B004B>\u00BA"
      "<FONT COLOR=#3C003C>\u00B0<FONT COLOR=#2D002D>\u201D<FONT COLOR=#1E001E>\u2019"
      "<FONT COLOR=#0F000F>\u00A8<FONT COLOR=#000000>]";
  for (int n = 0; n < 37; ++n) expected += "</FONT>";
  expected += "</B>";

  const std::string banner(AttentionBanner());
  EXPECT_EQ(banner, expected);
  EXPECT_EQ(text::CharacterCount(banner), 919u);
  EXPECT_EQ(Count(banner, "<FONT COLOR="), 27u);
  EXPECT_EQ(Count(banner, "</FONT>"), 37u);
  EXPECT_EQ(AttentionBanner().data(), AttentionBanner().data());
}

}  // namespace
}  // namespace vfx::composer

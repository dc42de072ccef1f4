#include "markup/markup.h"

#include <gtest/gtest.h>

namespace vfx::markup {
namespace {

using Runs = std::vector<Run>;

TextStyle Coloured(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  TextStyle style;
  style.colour = Colour{r, g, b};
  return style;
}

std::string JoinedText(const Runs& runs) {
  std::string text;
  for (const auto& run : runs) text += run.text;
  return text;
}

TEST(ParseMarkup, PlainTextIsOneRunInTheDefaultStyle) {
  EXPECT_EQ(ParseMarkup("hello there"), (Runs{{"hello there", {}}}));
  EXPECT_TRUE(ParseMarkup("").empty());
  EXPECT_TRUE(ParseMarkup("<B><FONT COLOR=#FF0000>").empty());
}

TEST(ParseMarkup, FontColourQuotedOrNotAndInAnyCase) {
  const auto runs = ParseMarkup(
      "<FONT COLOR=#AA0055>a<FONT COLOR=\"#5500AA\">b<font color='#0000ff'>c<FONT COLOR=00FF00>d");
  EXPECT_EQ(runs, (Runs{{"a", Coloured(0xAA, 0, 0x55)},
                        {"b", Coloured(0x55, 0, 0xAA)},
                        {"c", Coloured(0, 0, 0xFF)},
                        {"d", Coloured(0, 0xFF, 0)}}));
}

TEST(ParseMarkup, ClosingFontReturnsToTheColourBefore) {
  const auto runs =
      ParseMarkup("<FONT COLOR=#FF0000>r<FONT COLOR=#00FF00>g</FONT>r</FONT>n</FONT></FONT>n");
  EXPECT_EQ(runs, (Runs{{"r", Coloured(255, 0, 0)},
                        {"g", Coloured(0, 255, 0)},
                        {"r", Coloured(255, 0, 0)},
                        {"nn", {}}}));
}

TEST(ParseMarkup, FontWithoutUsableColourKeepsTheCurrentOne) {
  const auto runs = ParseMarkup(
      "<FONT COLOR=#112233>a<FONT FACE=\"Comic Sans MS\" SIZE=3>b</FONT>c"
      "<FONT COLOR=#12345>d<FONT COLOR=#GG0000>e<FONT FACE=\"x>y\" COLOR=#445566>f");
  EXPECT_EQ(runs, (Runs{{"abcde", Coloured(0x11, 0x22, 0x33)}, {"f", Coloured(0x44, 0x55, 0x66)}}));
}

TEST(ParseMarkup, StylesOpenAndCloseAndRepeatedOpeningsNest) {
  TextStyle bold, boldItalic, all;
  bold.bold = true;
  boldItalic = bold;
  boldItalic.italic = true;
  all = boldItalic;
  all.underline = all.strike = true;
  EXPECT_EQ(ParseMarkup("<B>a<I>b<u><s>c</S></U></I>d</B>e"),
            (Runs{{"a", bold}, {"b", boldItalic}, {"c", all}, {"d", bold}, {"e", {}}}));
  // The fade's style text stands on both sides of a character: the second <B> opens again.
  EXPECT_EQ(ParseMarkup("<B>a<B>b</B>c</B></B></B>d"), (Runs{{"abc", bold}, {"d", {}}}));
}

TEST(ParseMarkup, SubscriptAndSuperscriptFollowTheWave) {
  const auto runs = ParseMarkup(
      "<FONT COLOR=#000033><sub>a</sub><FONT COLOR=#000066>b<FONT COLOR=#000099><sup>c</sup>");
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].style.script, Script::kSubscript);
  EXPECT_EQ(runs[1].style.script, Script::kNormal);
  EXPECT_EQ(runs[2].style.script, Script::kSuperscript);
  EXPECT_EQ(runs[2].style.colour, (Colour{0, 0, 0x99}));
  const auto nested = ParseMarkup("<SUB>a<SUP>b</SUB>c</SUP>d");
  ASSERT_EQ(nested.size(), 3u);
  EXPECT_EQ(nested[1].text, "bc");
  EXPECT_EQ(nested[1].style.script, Script::kSuperscript);
  EXPECT_EQ(nested[2].style.script, Script::kNormal);
}

TEST(ParseMarkup, OtherTagsShowNothing) {
  EXPECT_EQ(JoinedText(ParseMarkup("<HTML><BODY BGCOLOR=#000000>x<BR>y<lol></HTML><p/>z")), "xyz");
  const auto banner = ParseMarkup(
      "<HTML><FONT  SIZE=3 PTSIZE=10 FAMILY=\"SCRIPT\" FACE=\"Comic Sans MS\" LANG=\"0\"><B>"
      "<FONT COLOR=\"#0E000E\">[</FONT></FONT></FONT></B>]");
  ASSERT_EQ(banner.size(), 2u);
  EXPECT_EQ(banner[0].style.colour, (Colour{0x0E, 0, 0x0E}));
  EXPECT_TRUE(banner[0].style.bold);
  EXPECT_EQ(banner[1].style, TextStyle{});
}

TEST(ParseMarkup, AngleBracketsThatAreNoTagsStayText) {
  EXPECT_EQ(JoinedText(ParseMarkup("a < b and c > d")), "a < b and c > d");
  EXPECT_EQ(JoinedText(ParseMarkup("<3 <<B>x <B")), "<3 <x <B");
  EXPECT_EQ(JoinedText(ParseMarkup("<FONT COLOR=\"#FF0000>never closed")),
            "<FONT COLOR=\"#FF0000>never closed");
  EXPECT_EQ(JoinedText(ParseMarkup("</>< B>")), "</>< B>");
}

TEST(ParseMarkup, KeepsEveryTextByteInOrder) {
  // Code-page bytes of the announcements (cp1252 « • ƒ ß £ ø) and bytes that are no character.
  const std::string bytes("\xAB\x95\x83\xDF\xA3\xF8\x81\x00\xFF", 9);
  const std::string line = "<B>" + bytes.substr(0, 4) + "<FONT COLOR=#010203>" + bytes.substr(4);
  EXPECT_EQ(JoinedText(ParseMarkup(line)), bytes);
}

TEST(ParseColour, AcceptsSixHexDigitsWithOptionalHashAndQuotes) {
  EXPECT_EQ(ParseColour("#FFa001"), (Colour{255, 160, 1}));
  EXPECT_EQ(ParseColour("\"#000000\""), (Colour{0, 0, 0}));
  EXPECT_EQ(ParseColour("'0A0B0C'"), (Colour{10, 11, 12}));
  EXPECT_FALSE(ParseColour("#FFF"));
  EXPECT_FALSE(ParseColour("#FF00001"));
  EXPECT_FALSE(ParseColour("red"));
  EXPECT_FALSE(ParseColour("\"#FF0000"));
  EXPECT_FALSE(ParseColour(""));
}

}  // namespace
}  // namespace vfx::markup

#include "fade/fade.h"

#include <gtest/gtest.h>

#include <string>

#include "text/utf8.h"

namespace vfx::fade {
namespace {

std::size_t Count(const std::string& haystack, std::string_view needle) {
  std::size_t count = 0;
  for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1))
    ++count;
  return count;
}

TEST(FadeTwoColors, WorkedExamples) {
  EXPECT_EQ(FadeTwoColors("abc", 255, 0, 0, 0, 0, 255, ""),
            "<FONT COLOR=#AA0055>a<FONT COLOR=#5500AA>b<FONT COLOR=#0000FF>c");
  EXPECT_EQ(FadeTwoColors("abcd", 0, 0, 0, 255, 255, 255, "<B>"),
            "<FONT COLOR=#404040><B>a<B><FONT COLOR=#808080>b<FONT COLOR=#BFBFBF><B>c<B>"
            "<FONT COLOR=#FFFFFF>d");
  EXPECT_EQ(FadeTwoColors("ab", 0, 0, 0, 5, 5, 5, ""),
            "<FONT COLOR=#020202>a<FONT COLOR=#050505>b");
}

TEST(FadeTwoColors, EdgeCases) {
  EXPECT_EQ(FadeTwoColors("", 1, 2, 3, 4, 5, 6, "<B>"), "");
  EXPECT_EQ(FadeTwoColors("x", 0, 0, 0, 1, 2, 3, ""), "<FONT COLOR=#010203>x");
  EXPECT_EQ(FadeTwoColors("x", 0, 0, 0, 1, 2, 3, "<I>"), "<FONT COLOR=#010203><I>x<I>");
  EXPECT_EQ(FadeTwoColors("   ", 9, 9, 9, 9, 9, 9, ""),
            "<FONT COLOR=#090909> <FONT COLOR=#090909> <FONT COLOR=#090909> ");
  // Markup typed by the user reaches the output unescaped.
  EXPECT_EQ(FadeTwoColors("<&>", 0, 0, 0, 0, 0, 0, ""),
            "<FONT COLOR=#000000><<FONT COLOR=#000000>&<FONT COLOR=#000000>>");
}

TEST(FadeTwoColors, EveryCallRestartsTheWrapping) {
  const std::string first = FadeTwoColors("ab", 0, 0, 0, 0, 0, 0, "<B>");
  EXPECT_EQ(first, "<FONT COLOR=#000000><B>a<B><FONT COLOR=#000000>b");
  EXPECT_EQ(FadeTwoColors("ab", 0, 0, 0, 0, 0, 0, "<B>"), first);
}

TEST(FadeTwoColors, StepsEvenlyAndEndsOnTheEndColour) {
  const std::string text(100, 'z');
  const std::string markup = FadeTwoColors(text, 200, 10, 0, 0, 110, 255, "");
  EXPECT_EQ(markup.size(), 100u * 21);
  EXPECT_EQ(markup.substr(markup.size() - 21), "<FONT COLOR=#006EFF>z");
  EXPECT_EQ(markup.substr(0, 21), "<FONT COLOR=#C60B03>z");  // 198, 11, 2.55
}

TEST(FadeWavy, WorkedExamples) {
  EXPECT_EQ(FadeWavy("abcde", 0, 0, 0, 0, 0, 255, ""),
            "<FONT COLOR=#000033><sub>a</sub><FONT COLOR=#000066>b<FONT COLOR=#000099><sup>c</sup>"
            "<FONT COLOR=#0000CC>d<FONT COLOR=#0000FF><sub>e</sub>");
  EXPECT_EQ(FadeWavy("abcde", 0, 0, 0, 0, 0, 255, "<B>"),
            "<FONT COLOR=#000033><B><sub>a<B></sub><FONT COLOR=#000066>b<FONT COLOR=#000099><B>"
            "<sup>c<B></sup><FONT COLOR=#0000CC>d<FONT COLOR=#0000FF><B><sub>e<B></sub>");
}

TEST(FadeWavy, ShortTextsAndRestarts) {
  EXPECT_EQ(FadeWavy("", 0, 0, 0, 0, 0, 0, "<B>"), "");
  EXPECT_EQ(FadeWavy("a", 0, 0, 0, 1, 1, 1, ""), "<FONT COLOR=#010101><sub>a</sub>");
  EXPECT_EQ(FadeWavy("ab", 0, 0, 0, 0, 0, 0, ""),
            "<FONT COLOR=#000000><sub>a</sub><FONT COLOR=#000000>b");
  EXPECT_EQ(
      FadeWavy("abc", 0, 0, 0, 0, 0, 0, ""),
      "<FONT COLOR=#000000><sub>a</sub><FONT COLOR=#000000>b<FONT COLOR=#000000><sup>c</sup>");
  EXPECT_EQ(FadeWavy("ab", 0, 0, 0, 0, 0, 0, "") + FadeWavy("ab", 0, 0, 0, 0, 0, 0, ""),
            "<FONT COLOR=#000000><sub>a</sub><FONT COLOR=#000000>b"
            "<FONT COLOR=#000000><sub>a</sub><FONT COLOR=#000000>b");
}

TEST(Fade, GivesOneTagPerCharacterOfUtf8Text) {
  // « • ƒ ß £ ø, a CJK character and an emoji: one tag each, bytes kept together.
  const std::string text =
      "\xC2\xAB\xE2\x80\xA2\xC6\x92\xC3\x9F\xC2\xA3\xC3\xB8\xE4\xB8\xAD\xF0\x9F\x98\x80";
  const std::string markup = FadeTwoColors(text, 0, 0, 0, 0, 0, 0, "");
  EXPECT_EQ(Count(markup, "<FONT COLOR=#"), 8u);
  EXPECT_EQ(markup.substr(0, 22), "<FONT COLOR=#000000>\xC2\xAB");
  EXPECT_EQ(markup.substr(markup.size() - 24), "<FONT COLOR=#000000>\xF0\x9F\x98\x80");
  EXPECT_EQ(Count(FadeWavy(text, 0, 0, 0, 0, 0, 0, ""), "<FONT COLOR=#"), 8u);
}

TEST(Fade, PassesMalformedBytesThroughOneCharacterEach) {
  // A lone continuation byte, a truncated sequence at the end, an overlong '/', a surrogate.
  const std::string text =
      "a\x80"
      "b\xC0\xAF"
      "c\xED\xA0\x80"
      "d\xE2\x82";
  const std::string markup = FadeTwoColors(text, 0, 0, 0, 0, 0, 0, "");
  EXPECT_EQ(Count(markup, "<FONT COLOR=#"), vfx::text::CharacterCount(text));
  EXPECT_EQ(vfx::text::CharacterCount(text), 4u + 1 + 2 + 3 + 2);
  std::string recovered;
  for (std::size_t at = 0; (at = markup.find('>', at)) != std::string::npos;) {
    const std::size_t next = markup.find("<FONT COLOR=#", at);
    recovered +=
        markup.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
    if (next == std::string::npos) break;
    at = next;
  }
  EXPECT_EQ(recovered, text);
}

}  // namespace
}  // namespace vfx::fade

// Both fades against the reference, byte for byte, over texts, colours and style texts that reach
// every way the fade writes: runs of one colour thousands of characters long and colours that
// change every character, one-byte runs, longer and malformed characters, short and long style
// texts, ties that round to even.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "fade/fade.h"
#include "tests/fade/reference_fade.h"

namespace vfx::fade {
namespace {

std::string RandomText(std::mt19937& random, std::size_t length) {
  static constexpr std::string_view kLonger[] = {
      "\xC3\xA9", "\xE2\x80\xA2", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80",  // é • 中 😀
      "\x80",     "\xC0\xAF",     "\xED\xA0\x80", "\xE2\x82",          // malformed
      "\xFF"};
  const bool onlyOneByte = random() % 3 == 0;
  std::string text;
  while (text.size() < length) {
    if (onlyOneByte || random() % 10 != 0) {
      text += static_cast<char>(' ' + random() % 95);
    } else {
      text += kLonger[random() % std::size(kLonger)];
    }
  }
  return text;
}

double RandomComponent(std::mt19937& random) {
  switch (random() % 8) {
    case 0:
      return static_cast<double>(random() % 1024) / 4;  // quarters, halves among them
    case 1:
      return static_cast<double>(random() % 2000) - 1000.0;
    default:
      return static_cast<double>(random() % 256);
  }
}

TEST(Fade, MatchesTheReferenceByteForByte) {
  static constexpr std::string_view kStyles[] = {"",
                                                 "<B>",
                                                 "<B><I>",
                                                 "<B><I><U><S>",
                                                 "<FONT SIZE=3><B>",
                                                 "<B><I><U><S><FONT SIZE=3>",
                                                 "<B><I><U><S><FONT FACE=\"Comic Sans MS\">"};
  std::mt19937 random(20240611);
  for (int n = 0; n < 3000; ++n) {
    const std::size_t length = n % 500 == 0  ? 15000
                               : n % 20 == 0 ? random() % 1500
                                             : random() % 100;
    const std::string text = RandomText(random, length);
    double start[3], end[3];
    for (int c = 0; c < 3; ++c)
      start[c] = RandomComponent(random), end[c] = RandomComponent(random);
    if (n % 7 == 0) std::copy(start, start + 3, end);  // one colour throughout
    const std::string_view stylez = kStyles[random() % std::size(kStyles)];
    const bool wavy = random() % 2 == 0;
    const std::string markup =
        wavy ? FadeWavy(text, start[0], start[1], start[2], end[0], end[1], end[2], stylez)
             : FadeTwoColors(text, start[0], start[1], start[2], end[0], end[1], end[2], stylez);
    ASSERT_EQ(markup, reference::Fade(text, start, end, stylez, wavy))
        << "case " << n << ": " << text.size() << " bytes, (" << start[0] << ", " << start[1]
        << ", " << start[2] << ") to (" << end[0] << ", " << end[1] << ", " << end[2]
        << "), style text " << stylez << (wavy ? ", wavy" : "");
  }
}

TEST(Fade, RoundsEachProductBeforeTheSum) {
  // 2 + (-2 / 12) * 9: the product rounds to -1.5 and the sum is the tie 0.5, which goes to 0.
  // Fused into one rounding it would be a hair above 0.5 and give 01.
  const std::string markup = FadeTwoColors("abcdefghijkl", 2, 2, 2, 0, 0, 0, "");
  EXPECT_EQ(markup.substr(8 * 21, 21), "<FONT COLOR=#000000>i");
}

}  // namespace
}  // namespace vfx::fade

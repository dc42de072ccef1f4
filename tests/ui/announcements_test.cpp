#include "ui/announcements.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/utf8.h"

namespace vfx::ui::announcements {
namespace {

TEST(Announcements, TextsKeepTheirLengthsAndTrailingBlanks) {
  EXPECT_EQ(text::CharacterCount(kNameText), 28u);
  EXPECT_EQ(text::CharacterCount(kCopyText), 33u);
  EXPECT_TRUE(kLoadedText.ends_with("    "));
  EXPECT_TRUE(kUnloadedText.ends_with("    "));
  EXPECT_TRUE(kNameFontTag.starts_with("<HTML><FONT  SIZE=3"));
  EXPECT_TRUE(kNameFontTag.ends_with("LANG=\"0\"><B><I>"));
}

TEST(Announcements, LinesFadeFromBlackToTheColourWithTheirStyleAndTag) {
  const fade::Rgb colour{28, 56, 84};
  const auto fade = [&](std::string_view text, std::string_view stylez) {
    return fade::FadeTwoColors(text, 0, 0, 0, 28, 56, 84, stylez);
  };
  const std::string first = StartupFirstLine(colour);
  EXPECT_EQ(first, fade(kNameText, "") + std::string(kNameFontTag));
  EXPECT_TRUE(first.starts_with("<FONT COLOR=#010203>\xC2\xAB"));  // one step past black
  EXPECT_EQ(StartupSecondLine(colour), fade(kLoadedText, "<B><I>") + std::string(kNameFontTag));
  // Exit differs from start-up only in the style of its first line.
  EXPECT_EQ(ExitFirstLine(colour), fade(kNameText, "<B><I>") + std::string(kNameFontTag));
  EXPECT_EQ(ExitSecondLine(colour), fade(kUnloadedText, "<B><I>") + std::string(kNameFontTag));
}

TEST(Announcements, TheAdvertisementFadesTheAddressLetterByLetter) {
  const auto lines = AdvertiseLines({28, 56, 84});
  EXPECT_EQ(lines[0], fade::FadeTwoColors(kNameText, 0, 0, 0, 28, 56, 84, "<B><I>") +
                          "<font face = \"Arial\">");
  // 65 characters: the last one is wrapped, and carries the colour itself.
  EXPECT_TRUE(lines[1].ends_with("<FONT COLOR=#1C3854><B><I>" +
                                 std::string(1, kDownloadAddress.back()) +
                                 "<B><I><font face = \"Arial\">"));
  EXPECT_EQ(lines[1].find("http"), std::string::npos);
  // The address follows the 33 characters at once: 'h' is character 34 (not wrapped), 't' 35.
  EXPECT_NE(lines[1].find("<B><I>\xE2\x80\xA2<B><I><FONT COLOR="), std::string::npos);
  EXPECT_NE(lines[1].find(">h<FONT COLOR"), std::string::npos);
  EXPECT_NE(lines[1].find("><B><I>t<B><I><FONT"), std::string::npos);
}

TEST(Announcements, TheColourIsDrawnRedGreenBlue) {
  std::vector<int> draws = {7, 8, 9};
  std::size_t next = 0;
  const fade::Rgb colour = DrawColour([&] { return draws.at(next++); });
  EXPECT_EQ(colour.red, 7);
  EXPECT_EQ(colour.green, 8);
  EXPECT_EQ(colour.blue, 9);
  const fade::Rgb drawn = DrawColour();
  for (int component : {drawn.red, drawn.green, drawn.blue}) {
    EXPECT_GE(component, 0);
    EXPECT_LE(component, 254);
  }
}

}  // namespace
}  // namespace vfx::ui::announcements

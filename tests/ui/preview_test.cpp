// The message box's preview, read from the model as the native box would read it.
#include <string>

#include "tests/ui/window_fixture.h"

namespace vfx::ui {
namespace {

using Look = toolkit::CharacterLook;
using Script = Look::Script;

class PreviewTest : public MainWindowTest {
 protected:
  PreviewTest() {
    for (int n : {1, 2, 3, 4, 5}) window.Check(n).set_value(0);
  }
  // Colour k through its bars, by the colour-to-control table.
  void SetColour(int k, int red, int green, int blue) {
    static const int kBars[10][3] = {{3, 2, 1},    {6, 5, 4},    {7, 8, 9},    {10, 11, 12},
                                     {13, 14, 15}, {16, 17, 18}, {19, 20, 21}, {22, 23, 24},
                                     {25, 26, 27}, {28, 29, 30}};
    window.HScroll(kBars[k - 1][0]).set_value(red);
    window.HScroll(kBars[k - 1][1]).set_value(green);
    window.HScroll(kBars[k - 1][2]).set_value(blue);
  }
  const std::vector<Look>& look() { return window.Text(ids::kMessageBox).look(); }
};

Look Coloured(toolkit::Colour colour) {
  Look look;
  look.colour = colour;
  return look;
}

TEST_F(PreviewTest, EachCharacterTakesItsTagsColourAndFollowsTheBars) {
  window.Option(1).set_value(true);
  SetColour(1, 0, 255, 0);
  window.Text(ids::kMessageBox).set_text("hi");
  EXPECT_EQ(look(), (std::vector<Look>{Coloured(0x00FF00), Coloured(0x00FF00)}));

  // Red to blue over two characters: the first halfway (128 by half to even), the second blue.
  window.Option(2).set_value(true);
  SetColour(1, 255, 0, 0);
  SetColour(2, 0, 0, 255);
  EXPECT_EQ(look(), (std::vector<Look>{Coloured(0x800080), Coloured(0xFF0000)}));
  SetColour(2, 0, 0, 0);
  EXPECT_EQ(look(), (std::vector<Look>{Coloured(0x000080), Coloured(0x000000)}));
}

TEST_F(PreviewTest, StyleBoxesAndTheWave) {
  window.Option(1).set_value(true);
  SetColour(1, 1, 2, 3);
  window.Text(ids::kMessageBox).set_text("abcde");
  for (int n : {1, 2, 3, 4, 5}) window.Check(n).set_value(1);
  Look styled = Coloured(0x030201);
  styled.bold = styled.italic = styled.underline = styled.strike = true;
  Look sub = styled, super = styled;
  sub.script = Script::kSubscript;
  super.script = Script::kSuperscript;
  EXPECT_EQ(look(), (std::vector<Look>{sub, styled, super, styled, sub}));

  window.Check(ids::kWavy).set_value(0);
  window.Check(ids::kItalics).set_value(0);
  styled.italic = false;
  EXPECT_EQ(look(), std::vector<Look>(5, styled));
}

TEST_F(PreviewTest, TenColoursLeaveThePadOutOfTheBox) {
  window.Option(10).set_value(true);
  for (int k = 1; k <= 10; ++k) SetColour(k, 20 * k, 0, 0);
  // Seven characters over nine segments of one: character i ends segment i, in colour i + 1;
  // the eighth, a coloured pad space, is not in the box.
  window.Text(ids::kMessageBox).set_text("abcdefg");
  std::vector<Look> expected;
  for (int i = 1; i <= 7; ++i) expected.push_back(Coloured(20 * (i + 1)));
  EXPECT_EQ(look(), expected);
}

TEST_F(PreviewTest, CharactersOutsideTheCodePageAndTypedTagsCountOnce) {
  window.Option(2).set_value(true);
  SetColour(1, 255, 0, 0);
  SetColour(2, 0, 0, 255);
  // "\u20AC" and U+1F600: one character each, one tag each, which the host gets with a "?".
  window.Text(ids::kMessageBox).set_text("a\u20AC\U0001F600b");
  const std::vector<Look>& four = look();
  ASSERT_EQ(four.size(), 4u);
  EXPECT_EQ(four[3], Coloured(0xFF0000));
  EXPECT_EQ(four[1], Coloured(0x800080));

  // Each typed character has its own tag, so a typed "<B>" is text to the room, not bold.
  window.Option(1).set_value(true);
  window.Text(ids::kMessageBox).set_text("x<B>y");
  EXPECT_EQ(look(), std::vector<Look>(5, Coloured(0x0000FF)));
}

TEST_F(PreviewTest, ALineBeyondTheLimitIsPlain) {
  window.Option(3).set_value(true);
  window.Text(ids::kMessageBox).set_text(std::string(2000, 'x'));
  EXPECT_EQ(look().size(), 2000u);
  window.Text(ids::kMessageBox).set_text(std::string(2001, 'x'));
  EXPECT_TRUE(look().empty());
}

}  // namespace
}  // namespace vfx::ui

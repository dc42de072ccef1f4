#include <vector>

#include "tests/ui/window_fixture.h"

namespace vfx::ui {
namespace {

class ResizeTest : public MainWindowTest {
 protected:
  void SizeTo(float width, float height) {
    window.form().set_width(width);
    window.form().set_height(height);
    backend.formSizes.clear();
  }
  std::vector<float> Heights() const {
    std::vector<float> heights;
    for (auto size : backend.formSizes) heights.push_back(size.height);
    return heights;
  }
  std::vector<float> Widths() const {
    std::vector<float> widths;
    for (auto size : backend.formSizes) widths.push_back(size.width);
    return widths;
  }
  // Up, Down, Left, Right.
  std::vector<bool> Arrows() {
    return {window.Command(ids::kUp).is_enabled(), window.Command(ids::kDown).is_enabled(),
            window.Command(ids::kLeft).is_enabled(), window.Command(ids::kRight).is_enabled()};
  }
  float W() { return window.form().width(); }
  float H() { return window.form().height(); }
};

const std::vector<bool> kDownRight{false, true, false, true};
const std::vector<bool> kUpRight{true, false, false, true};
const std::vector<bool> kDownLeft{false, true, true, false};
const std::vector<bool> kUpLeft{true, false, true, false};

TEST_F(ResizeTest, TheWindowOpensBasicWithTheToolWindowFrame) {
  EXPECT_EQ(W(), 8130);
  EXPECT_EQ(H(), 2319);
  EXPECT_EQ(Arrows(), kDownRight);
}

TEST_F(ResizeTest, DownAssignsEveryHeightAndUpStepsBackByTwentyFive) {
  SizeTo(8130, 2300);
  window.Command7_Click();
  std::vector<float> expected;
  for (float v = 2300; v <= 3550; v += 50) expected.push_back(v);
  EXPECT_EQ(expected.size(), 26u);
  EXPECT_EQ(Heights(), expected);
  EXPECT_EQ(H(), 3550);
  EXPECT_EQ(Arrows(), kUpRight);
  EXPECT_TRUE(window.Text(ids::kMessageBox).has_focus());

  backend.formSizes.clear();
  window.Command13_Click();
  EXPECT_EQ(backend.formSizes.size(), 50u);
  EXPECT_EQ(Heights().front(), 3525);
  EXPECT_EQ(H(), 2300);
  EXPECT_EQ(Arrows(), kDownRight);
}

TEST_F(ResizeTest, LeftAndRightMoveTheWidthTheSameWay) {
  SizeTo(10550, 2319);
  window.Command(ids::kRight).set_enabled(false);
  window.Command(ids::kLeft).set_enabled(true);
  window.Command12_Click();
  EXPECT_EQ(backend.formSizes.size(), 101u);
  EXPECT_EQ(W(), 8025);
  EXPECT_EQ(Arrows(), kDownRight);

  backend.formSizes.clear();
  window.Command8_Click();
  EXPECT_EQ(W(), 10525);
  EXPECT_EQ(Widths().front(), 8025);
  EXPECT_EQ(Arrows(), kDownLeft);
}

TEST_F(ResizeTest, AtTheThresholdsTheArrowsOnlyMoveTheFocus) {
  SizeTo(10000, 3400);
  window.Command(ids::kMinimize).set_focus();
  const std::vector<bool> before = Arrows();
  window.Command7_Click();
  window.Command13_Click();
  window.Command8_Click();
  window.Command12_Click();
  EXPECT_TRUE(backend.formSizes.empty());
  EXPECT_EQ(Arrows(), before);
  EXPECT_TRUE(window.Text(ids::kMessageBox).has_focus());
}

TEST_F(ResizeTest, DoubleClickCompactsToTheTypingStripAndRestores) {
  EXPECT_EQ(W(), 8130);
  EXPECT_EQ(H(), 2319);
  window.Text1_DblClick();
  EXPECT_EQ(W(), 2880);
  EXPECT_EQ(H(), 1169);
  EXPECT_EQ(Arrows(), kDownRight);
  window.Text1_DblClick();
  EXPECT_EQ(W(), 8080);
  EXPECT_EQ(H(), 2319);
}

TEST_F(ResizeTest, AWidthOfExactly3000Restores) {
  SizeTo(3000, 1169);
  window.Text1_DblClick();
  EXPECT_EQ(W(), 8100);
  EXPECT_EQ(H(), 2319);
}

TEST_F(ResizeTest, DoubleClickFromTallResetsTheArrowsAndComesBackBasic) {
  window.Command7_Click();
  window.Command8_Click();
  EXPECT_EQ(Arrows(), kUpLeft);
  window.Text1_DblClick();
  EXPECT_EQ(Arrows(), kDownRight);
  EXPECT_LT(W(), 2900);
  EXPECT_GE(W(), 2850);
  EXPECT_LT(H(), 1200);
  EXPECT_GE(H(), 1150);
  window.Text1_DblClick();
  EXPECT_GT(W(), 3000);
  EXPECT_LT(W(), 10000);
  EXPECT_LT(H(), 3400);
}

TEST_F(ResizeTest, RestoringAboveTheBasicHeightLeavesItAndDownThenDoesNothing) {
  window.Text1_DblClick();  // compact
  window.Command7_Click();  // Down in the compact state: H 1169 up to 3519
  EXPECT_EQ(H(), 3519);
  window.Text1_DblClick();  // restore: W grows, H stays above 2350
  EXPECT_EQ(H(), 3519);
  EXPECT_EQ(Arrows(), kDownRight);
  backend.formSizes.clear();
  window.Command7_Click();
  EXPECT_TRUE(backend.formSizes.empty());
}

TEST_F(ResizeTest, TheStateTableHoldsAroundTheFullCycle) {
  auto basic = [&] { return W() > 3000 && W() < 10000 && H() < 3400; };
  auto tall = [&] { return W() > 3000 && W() < 10000 && H() > 3400; };
  auto wide = [&] { return W() > 10000 && H() < 3400; };
  auto tallWide = [&] { return W() > 10000 && H() > 3400; };

  ASSERT_TRUE(basic());
  window.Command7_Click();
  EXPECT_TRUE(tall());
  EXPECT_EQ(Arrows(), kUpRight);
  window.Command8_Click();
  EXPECT_TRUE(tallWide());
  EXPECT_EQ(Arrows(), kUpLeft);
  window.Command13_Click();
  EXPECT_TRUE(wide());
  EXPECT_EQ(Arrows(), kDownLeft);
  EXPECT_GE(H(), 2290);
  EXPECT_LT(H(), 2315);
  window.Command7_Click();
  EXPECT_TRUE(tallWide());
  window.Command12_Click();
  EXPECT_TRUE(tall());
  EXPECT_GE(W(), 8025);
  EXPECT_LT(W(), 8050);
  window.Command13_Click();
  EXPECT_TRUE(basic());
  EXPECT_EQ(Arrows(), kDownRight);
}

}  // namespace
}  // namespace vfx::ui

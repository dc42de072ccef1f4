#include <array>
#include <string>

#include "tests/ui/window_fixture.h"

namespace vfx::ui {
namespace {

using PanelTest = MainWindowTest;
constexpr std::array<int, 10> kSwatches = {1, 2, 6, 7, 8, 9, 10, 11, 12, 13};

TEST_F(PanelTest, EachBarDrivesOnlyItsOwnLabelAndItsOwnGroupsSwatch) {
  for (int n = 1; n <= 30; ++n) window.Label(n).set_caption("-");
  for (int n : kSwatches) window.Picture(n).set_back_colour(0x123456);

  for (int n = 1; n <= 30; ++n) {
    std::array<std::string, 31> labelsBefore;
    for (int l = 1; l <= 30; ++l) labelsBefore[l] = window.Label(l).caption();
    std::array<toolkit::Colour, 14> swatchesBefore{};
    for (int s : kSwatches) swatchesBefore[s] = window.Picture(s).back_colour();

    const BarPlace place = FindBar(n);
    const ColourGroup& group = kColourGroups[place.colour - 1];
    window.HScroll(n).set_value(100 + n);

    for (int l = 1; l <= 30; ++l) {
      if (l == group.label[place.component])
        EXPECT_EQ(window.Label(l).caption(), std::to_string(100 + n)) << "bar " << n;
      else
        EXPECT_EQ(window.Label(l).caption(), labelsBefore[l]) << "bar " << n << " label " << l;
    }
    for (int s : kSwatches) {
      if (s == group.swatch)
        EXPECT_EQ(window.Picture(s).back_colour(),
                  static_cast<toolkit::Colour>(toolkit::ColourValue(window.Colour(place.colour))));
      else
        EXPECT_EQ(window.Picture(s).back_colour(), swatchesBefore[s]) << "bar " << n;
    }
  }
}

TEST_F(PanelTest, ColourOneRunsBlueGreenRedFromTheLowestBar) {
  window.HScroll(3).set_value(255);
  EXPECT_EQ(window.Label(1).caption(), "255");
  EXPECT_EQ(window.Picture(1).back_colour(), 0x0000FFu);  // pure red
  window.HScroll(1).set_value(128);
  EXPECT_EQ(window.Label(3).caption(), "128");
  EXPECT_EQ(window.Picture(1).back_colour(), 0x8000FFu);
  window.HScroll(3).set_value(0);
  window.HScroll(1).set_value(0);
  EXPECT_EQ(window.Picture(1).back_colour(), 0x000000u);
  EXPECT_EQ(window.Colour(1).red, 0);

  window.HScroll(7).set_value(200);  // colour 3 runs red, green, blue
  EXPECT_EQ(window.Label(7).caption(), "200");
  EXPECT_EQ(window.Colour(3).red, 200);
}

TEST_F(PanelTest, SettingABarToItsOwnValueRunsNothing) {
  window.HScroll(5).set_value(40);
  window.Label(5).set_caption("untouched");
  window.Picture(2).set_back_colour(0x111111);
  window.HScroll(5).set_value(40);
  EXPECT_EQ(window.Label(5).caption(), "untouched");
  EXPECT_EQ(window.Picture(2).back_colour(), 0x111111u);
}

TEST_F(PanelTest, OptionNShowsAndEnablesExactlyGroupsOneToN) {
  auto expectGroups = [&](int n) {
    for (int k = 1; k <= 10; ++k) {
      const ColourGroup& group = kColourGroups[k - 1];
      const bool on = k <= n;
      EXPECT_EQ(window.Picture(group.swatch).is_visible(), on) << n << "/" << k;
      for (int c = kRed; c <= kBlue; ++c) {
        EXPECT_EQ(window.HScroll(group.bar[c]).is_enabled(), on) << n << "/" << k;
        EXPECT_EQ(window.Label(group.label[c]).is_enabled(), on) << n << "/" << k;
        EXPECT_TRUE(window.HScroll(group.bar[c]).is_visible());
      }
      EXPECT_TRUE(window.Option(k).is_enabled());
      for (int c = 0; c < 3; ++c) EXPECT_TRUE(window.Marker(3 + c, k - 1).is_visible());
    }
  };
  for (int n : {3, 10, 1, 7, 2, 10, 5}) {
    window.Option(n).set_value(true);
    expectGroups(n);
    EXPECT_EQ(window.SelectedColourCount(), n);
  }
}

TEST_F(PanelTest, DisabledBarsKeepTheirValues) {
  window.HScroll(30).set_value(77);
  window.Option(1).set_value(true);
  EXPECT_EQ(window.HScroll(30).value(), 77);
  EXPECT_FALSE(window.HScroll(30).is_enabled());
}

TEST_F(PanelTest, TheCaptionCountsTheColoursSingularAndPlural) {
  window.Option(10).set_value(true);
  EXPECT_EQ(window.form().caption(), "Vontra FX - 10 Colors");
  window.Option(1).set_value(true);
  EXPECT_EQ(window.form().caption(), "Vontra FX - 1 Color");
  window.Option(2).set_value(true);
  EXPECT_EQ(window.form().caption(), "Vontra FX - 2 Colors");
  EXPECT_EQ(window.Option(1).caption(), "1 Color");
  EXPECT_EQ(window.Option(9).caption(), "9 Colors");
}

TEST_F(PanelTest, TheColourTableNamesEachBarAndLabelOnce) {
  std::array<int, 31> bars{}, labels{};
  for (const ColourGroup& group : kColourGroups)
    for (int c = kRed; c <= kBlue; ++c) {
      ++bars.at(group.bar[c]);
      ++labels.at(group.label[c]);
    }
  for (int n = 1; n <= 30; ++n) {
    EXPECT_EQ(bars[n], 1) << n;
    EXPECT_EQ(labels[n], 1) << n;
  }
  EXPECT_EQ(ComponentsInBarOrder(1), (std::array<Component, 3>{kBlue, kGreen, kRed}));
  EXPECT_EQ(ComponentsInBarOrder(2), (std::array<Component, 3>{kBlue, kGreen, kRed}));
  EXPECT_EQ(ComponentsInBarOrder(3), (std::array<Component, 3>{kRed, kGreen, kBlue}));
}

}  // namespace
}  // namespace vfx::ui

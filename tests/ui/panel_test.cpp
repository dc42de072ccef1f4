#include <array>
#include <string>

#include "tests/ui/colour_rows.h"
#include "tests/ui/window_fixture.h"

namespace vfx::ui {
namespace {

using PanelTest = MainWindowTest;

TEST_F(PanelTest, EachColourIsServedByTheControlsOfItsRowAndNoOthers) {
  std::array<std::string, 31> labels;
  std::array<toolkit::Colour, 14> swatches{};
  for (int n = 1; n <= 30; ++n) window.Label(n).set_caption(labels[n] = "-");
  for (int s : kSwatchNumbers) window.Picture(s).set_back_colour(swatches[s] = 0x123456);

  for (int k = 1; k <= 10; ++k) {
    const ColourRow& row = kColourRows[k - 1];
    for (int c = 0; c < 3; ++c) {
      const int bar = row.bar[c];
      window.HScroll(bar).set_value(100 + bar);
      labels[row.label[c]] = std::to_string(100 + bar);
      const int red = 100 + row.bar[0], green = c > 0 ? 100 + row.bar[1] : 0,
                blue = c > 1 ? 100 + row.bar[2] : 0;
      swatches[row.swatch] = red | green << 8 | blue << 16;
      for (int l = 1; l <= 30; ++l)
        EXPECT_EQ(window.Label(l).caption(), labels[l]) << "bar " << bar << ", label " << l;
      for (int s : kSwatchNumbers)
        EXPECT_EQ(window.Picture(s).back_colour(), swatches[s])
            << "bar " << bar << ", swatch " << s;
      const fade::Rgb colour = window.Colours()[k - 1];
      EXPECT_EQ((std::array{colour.red, colour.green, colour.blue}), (std::array{red, green, blue}))
          << "colour " << k;
    }
    window.Option(row.option).set_value(true);
    EXPECT_EQ(window.SelectedColourCount(), k);
  }
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
      const ColourRow& row = kColourRows[k - 1];
      const bool on = k <= n;
      EXPECT_EQ(window.Picture(row.swatch).is_visible(), on) << n << "/" << k;
      for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(window.HScroll(row.bar[c]).is_enabled(), on) << n << "/" << k;
        EXPECT_EQ(window.Label(row.label[c]).is_enabled(), on) << n << "/" << k;
        EXPECT_TRUE(window.HScroll(row.bar[c]).is_visible());
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

}  // namespace
}  // namespace vfx::ui

#include <utility>
#include <vector>

#include "tests/ui/window_fixture.h"
#include "ui/control_ids.h"

namespace vfx::ui {
namespace {

using platform::ZOrder;
using WindowTest = MainWindowTest;

TEST_F(WindowTest, LoadSelectsThreeColoursAndEndsTopmostThroughTheOnTopSequence) {
  window.Form_Load();
  EXPECT_EQ(window.form().caption(), "Vontra FX - 3 Colors");
  EXPECT_EQ(window.SelectedColourCount(), 3);
  EXPECT_TRUE(window.HScroll(9).is_enabled());
  EXPECT_FALSE(window.HScroll(10).is_enabled());
  EXPECT_FALSE(window.Picture(10).is_visible());
  EXPECT_EQ(window.Check(1).value(), 1);
  EXPECT_EQ(window.Check(6).value(), 1);
  EXPECT_EQ(window.Check(7).value(), 1);
  EXPECT_FALSE(window.OnTopSuspended);
  EXPECT_FALSE(window.send_state.ViewHtml);
  EXPECT_FALSE(window.send_state.ImMode);
  EXPECT_EQ(window.send_state.AttentionBanner, composer::AttentionBanner());
  EXPECT_TRUE(IsTopmost());
  std::vector<ZOrder> orders;
  for (auto [handle, order] : desktop.placements) {
    EXPECT_EQ(handle, backend.formWindow);
    orders.push_back(order);
  }
  using enum ZOrder;
  EXPECT_EQ(orders, (std::vector<ZOrder>{kNotTopmost, kTopmost, kTopmost, kTopmost, kTopmost,
                                         kNotTopmost, kTopmost}));
  for (int n : {1, 2, 6, 7, 8, 9, 10, 11, 12, 13}) EXPECT_EQ(window.Picture(n).back_colour(), 0u);
}

TEST_F(WindowTest, StyleBoxesHandTheFocusBackToText1AndAttentionKeepsIt) {
  for (int n : {1, 2, 3, 4, 5, 6, 8}) {
    window.Check(n).set_focus();
    window.Check(n).toggle();
    EXPECT_TRUE(window.Text(1).has_focus()) << n;
  }
  window.Check(9).set_focus();
  window.Check(9).toggle();
  EXPECT_EQ(window.Check(9).value(), 1);
  EXPECT_TRUE(window.Check(9).has_focus());
}

TEST_F(WindowTest, OnTopFollowsTheBox) {
  window.Check(7).set_value(1);
  EXPECT_TRUE(IsTopmost());
  window.Check(7).set_value(0);
  EXPECT_FALSE(IsTopmost());
}

TEST_F(WindowTest, HelpAndAboutTakeTheWindowOutOfTheTopBandWhileTheyShow) {
  window.Form_Load();
  const size_t placementsBefore = desktop.placements.size();
  int checks = 0;
  dialogs.whileShown = [&] {
    ++checks;
    EXPECT_FALSE(IsTopmost());
    EXPECT_EQ(window.Check(7).value(), 0);
    EXPECT_TRUE(window.OnTopSuspended);
  };
  window.Command10_Click();
  EXPECT_TRUE(IsTopmost());
  EXPECT_EQ(window.Check(7).value(), 1);
  EXPECT_FALSE(window.OnTopSuspended);
  window.Image1().click();
  EXPECT_TRUE(IsTopmost());
  EXPECT_EQ(checks, 2);
  EXPECT_EQ(desktop.placements.size(), placementsBefore + 4);

  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].caption, "Vontra FX");
  EXPECT_EQ(dialogs.shown[0].owner, backend.formWindow);
  EXPECT_EQ(dialogs.shown[0].text, kHelpText);
  EXPECT_NE(dialogs.shown[0].text.find("Right arrow. To send it to IMz go Down, and to the Right.  "
                                       "It will"),
            std::string::npos);
  EXPECT_NE(dialogs.shown[0].text.find("wish to chat.   If you want to minimze"),
            std::string::npos);
  EXPECT_NE(dialogs.shown[1].text.find("Vontra FX"), std::string::npos);
}

TEST_F(WindowTest, HelpWhileNotOnTopLeavesThePlacementAlone) {
  window.Check(7).set_value(0);
  desktop.placements.clear();
  dialogs.whileShown = [&] { EXPECT_FALSE(window.OnTopSuspended); };
  window.Command10_Click();
  EXPECT_TRUE(desktop.placements.empty());
  EXPECT_EQ(window.Check(7).value(), 0);
}

TEST_F(WindowTest, MinimizeKeepsTheSizeAndTheArrows) {
  window.Command7_Click();
  const toolkit::Size size = window.form().size();
  window.Command(2).click();
  EXPECT_EQ(window.form().window_state(), toolkit::Form::WindowState::kMinimized);
  window.form().native_window_state_changed(toolkit::Form::WindowState::kNormal);
  EXPECT_EQ(window.form().size(), size);
  EXPECT_TRUE(window.Command(13).is_enabled());
  EXPECT_FALSE(window.Command(7).is_enabled());
}

TEST_F(WindowTest, TheLayoutPutsEveryControlInItsPlace) {
  EXPECT_EQ(window.Text(1).bounds(), (toolkit::Bounds{120, 120, 2552, 612}));
  EXPECT_TRUE(window.Text(1).is_multi_line());
  EXPECT_TRUE(window.Text(1).font().bold);
  EXPECT_EQ(window.Text(1).back_colour(), 0xE0E0E0u);
  EXPECT_EQ(window.form().children().front().get(), &window.Text(1));  // first in tab order
  EXPECT_EQ(window.form().default_button(), &window.Command(1));
  EXPECT_EQ(window.Command(6).bounds(), (toolkit::Bounds{6720, 1625, 1212, 325}));
  EXPECT_EQ(window.Command(6).caption(), "Exit");
  EXPECT_EQ(&window.Command(11).parent(), &window.Frame1());
  EXPECT_EQ(window.Command(11).bounds().top, 1080);
  EXPECT_TRUE(window.Option(11).value());
  EXPECT_EQ(window.Text(3).text(), "To Whom?");
  EXPECT_TRUE(window.Check(3).font().underline);
  EXPECT_TRUE(window.Check(4).font().strikethrough);
  EXPECT_EQ(window.Check(9).back_colour(), toolkit::kButtonFace);
  EXPECT_FALSE(window.Command(13).is_enabled());
  EXPECT_FALSE(window.Command(12).is_enabled());
  // Colour 2's labels in the column at x 1440 sit a little further apart.
  EXPECT_EQ(window.Label(5).bounds(), (toolkit::Bounds{1440 + 435, 1680, 408, 252}));
  EXPECT_EQ(window.Label(4).bounds(), (toolkit::Bounds{1440, 1680, 408, 252}));
  EXPECT_EQ(window.HScroll(18).bounds(), (toolkit::Bounds{120, 2760, 1092, 132}));
  EXPECT_EQ(window.Marker(5, 5).bounds(), (toolkit::Bounds{1200, 2760, 132, 132}));
  EXPECT_EQ(window.Label(30).fore_colour(), 0xFF0000u);
  EXPECT_EQ(window.Command(1).id(), ids::CommandId(1));
  EXPECT_EQ(window.Marker(4, 9).id(), ids::MarkerId(4, 9));
}

TEST(FontChoiceTest, ComicSansAndWingdingsWhereInstalledElseFacesThatDrawTheSame) {
  testing::FakeDesktop desktop;
  testing::FakeEventPump events;
  testing::FakeDialogs dialogs;
  testing::FakeFonts fonts;

  ZiruZezuzo full{{{desktop, events}, dialogs, fonts}};
  EXPECT_EQ(full.form().font().face, "Comic Sans MS");
  EXPECT_EQ(full.Command(13).font().face, "Wingdings");
  EXPECT_TRUE(full.Command(13).font().symbol);
  EXPECT_EQ(full.Command(13).caption(), "\u00D9");
  EXPECT_EQ(full.Command(12).caption(), "\u00D7");

  fonts.installed = {"Comic Neue", "DejaVu Sans"};
  ZiruZezuzo fallback{{{desktop, events}, dialogs, fonts}};
  EXPECT_EQ(fallback.form().font().face, "Comic Neue");
  EXPECT_EQ(fallback.Command(13).font().face, "DejaVu Sans");
  EXPECT_EQ(fallback.Command(7).caption(), "\u25BC");
  EXPECT_EQ(fallback.Command(8).caption(), "\u25BA");

  EXPECT_EQ(fallback.Command(8).arrowhead(), toolkit::CommandButton::Arrowhead::kNone);

  // A stand-in Wingdings that draws its arrowheads as faint outlines, and no face with clean
  // ones: the buttons paint triangles.
  fonts.installed = {"Wingdings"};
  fonts.faint = {"Wingdings"};
  ZiruZezuzo bare{{{desktop, events}, dialogs, fonts}};
  EXPECT_EQ(bare.Command(12).arrowhead(), toolkit::CommandButton::Arrowhead::kLeft);
  EXPECT_EQ(bare.Command(13).arrowhead(), toolkit::CommandButton::Arrowhead::kUp);
  EXPECT_EQ(bare.Command(12).caption(), "\u25C4");
  EXPECT_EQ(bare.Command(12).accessible_name(), "Left");
}

}  // namespace
}  // namespace vfx::ui

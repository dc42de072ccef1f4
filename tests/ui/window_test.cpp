#include <utility>
#include <vector>

#include "tests/ui/colour_rows.h"
#include "tests/ui/window_fixture.h"
#include "ui/control_ids.h"

namespace vfx::ui {
namespace {

using WindowTest = MainWindowTest;

TEST_F(WindowTest, StyleBoxesHandTheFocusBackToText1AndAttentionKeepsIt) {
  for (int n : {1, 2, 3, 4, 5, 6, 8}) {
    window.Check(n).set_focus();
    window.Check(n).toggle();
    EXPECT_TRUE(window.Text(ids::kMessageBox).has_focus()) << n;
  }
  window.Check(ids::kAttention).set_focus();
  window.Check(ids::kAttention).toggle();
  EXPECT_EQ(window.Check(ids::kAttention).value(), 1);
  EXPECT_TRUE(window.Check(ids::kAttention).has_focus());
}

TEST_F(WindowTest, OnTopFollowsTheBox) {
  window.Check(ids::kOnTop).set_value(1);
  EXPECT_TRUE(IsTopmost());
  window.Check(ids::kOnTop).set_value(0);
  EXPECT_FALSE(IsTopmost());
}

TEST_F(WindowTest, HelpAndAboutTakeTheWindowOutOfTheTopBandWhileTheyShow) {
  window.Form_Load();
  const size_t placementsBefore = desktop.placements.size();
  int checks = 0;
  dialogs.whileShown = [&] {
    ++checks;
    EXPECT_FALSE(IsTopmost());
    EXPECT_EQ(window.Check(ids::kOnTop).value(), 0);
    EXPECT_TRUE(window.OnTopSuspended);
  };
  window.Command10_Click();
  EXPECT_TRUE(IsTopmost());
  EXPECT_EQ(window.Check(ids::kOnTop).value(), 1);
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
  window.Check(ids::kOnTop).set_value(0);
  desktop.placements.clear();
  dialogs.whileShown = [&] { EXPECT_FALSE(window.OnTopSuspended); };
  window.Command10_Click();
  EXPECT_TRUE(desktop.placements.empty());
  EXPECT_EQ(window.Check(ids::kOnTop).value(), 0);
}

TEST_F(WindowTest, MinimizeKeepsTheSizeAndTheArrows) {
  window.Command7_Click();
  const toolkit::Size size = window.form().size();
  window.Command(ids::kMinimize).click();
  EXPECT_EQ(window.form().window_state(), toolkit::Form::WindowState::kMinimized);
  window.form().native_window_state_changed(toolkit::Form::WindowState::kNormal);
  EXPECT_EQ(window.form().size(), size);
  EXPECT_TRUE(window.Command(ids::kUp).is_enabled());
  EXPECT_FALSE(window.Command(ids::kDown).is_enabled());
}

TEST_F(WindowTest, EveryControlSitsWhereTheLayoutTablesPutIt) {
  using B = toolkit::Bounds;
  ZiruZezuzo& w = window;
  const std::pair<toolkit::Control*, B> places[] = {
      {&w.Text(ids::kMessageBox), {120, 120, 2552, 612}},
      {&w.Check(ids::kBold), {2880, 0, 1092, 312}},
      {&w.Check(ids::kItalics), {2880, 240, 1092, 252}},
      {&w.Check(ids::kWavy), {2880, 480, 1092, 252}},
      {&w.Check(ids::kUnderline), {4080, 0, 1092, 252}},
      {&w.Check(ids::kStrike), {4080, 240, 1092, 252}},
      {&w.Check(ids::kRandom), {4080, 480, 1092, 252}},
      {&w.Check(ids::kAttention), {5280, 0, 1092, 252}},
      {&w.Check(ids::kClearText), {5280, 240, 1092, 252}},
      {&w.Check(ids::kOnTop), {5280, 480, 1092, 252}},
      {&w.Command(ids::kUp), {6480, 40, 200, 215}},
      {&w.Command(ids::kDown), {6480, 280, 200, 215}},
      {&w.Command(ids::kLeft), {6240, 520, 200, 215}},
      {&w.Command(ids::kRight), {6480, 520, 200, 215}},
      {&w.Command(ids::kHelp), {6480, 760, 200, 228}},
      {&w.Command(ids::kSend), {6720, 0, 1212, 325}},
      {&w.Command(ids::kMinimize), {6720, 325, 1212, 325}},
      {&w.Command(ids::kAdvertise), {6720, 650, 1212, 325}},
      {&w.Command(ids::kSelfTest), {6720, 975, 1212, 325}},
      {&w.Command(ids::kRandomize), {6720, 1300, 1212, 325}},
      {&w.Command(ids::kExit), {6720, 1625, 1212, 325}},
      {&w.Text(ids::kHtmlWriter), {8040, 120, 2292, 1332}},
      {&w.Command(ids::kViewHtml), {8640, 1560, 1092, 325}},
      {&w.Frame1(), {7080, 2040, 3252, 1092}},
      {&w.Text(ids::kRecipient), {120, 240, 1572, 288}},
      {&w.Option(ids::kSendToRoom), {120, 720, 1452, 252}},
      {&w.Option(ids::kImSend), {1920, 720, 1212, 252}},
      {&w.Command(ids::kFrameSend), {600, 1080, 1212, 252}},
      {&w.Image1(), {2280, 240, 492, 372}},
  };
  for (auto [control, bounds] : places) EXPECT_EQ(control->bounds(), bounds) << control->name();

  // The colour panel: five columns, the lower band 1200 further down; in the column at x 1440
  // the green and blue labels sit at + 435 and + 864 instead of + 425 and + 840.
  constexpr int kColumn[] = {120, 1440, 2760, 4080, 5400};
  for (int k = 1; k <= 10; ++k) {
    const ColourRow& row = kColourRows[k - 1];
    const int x = kColumn[(k - 1) % 5], y = k <= 5 ? 0 : 1200;
    const int labelX[] = {x, x + (x == 1440 ? 435 : 425), x + (x == 1440 ? 864 : 840)};
    EXPECT_EQ(w.Option(row.option).bounds(), (B{x, 840 + y, 1212, 192})) << k;
    EXPECT_EQ(w.Picture(row.swatch).bounds(), (B{x, 1080 + y, 1212, 252})) << k;
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(w.HScroll(row.bar[c]).bounds(), (B{x, 1320 + 120 * c + y, 1092, 132})) << k;
      EXPECT_EQ(w.Marker(3 + c, k - 1).bounds(), (B{x + 1080, 1320 + 120 * c + y, 132, 132})) << k;
      EXPECT_EQ(w.Label(row.label[c]).bounds(), (B{labelX[c], 1680 + y, 408, 252})) << k;
    }
  }
}

TEST_F(WindowTest, TheLayoutGivesEachControlItsLook) {
  EXPECT_TRUE(window.Text(ids::kMessageBox).is_multi_line());
  EXPECT_TRUE(window.Text(ids::kMessageBox).font().bold);
  EXPECT_EQ(window.Text(ids::kMessageBox).back_colour(), 0xE0E0E0u);
  EXPECT_EQ(window.form().children().front().get(),
            &window.Text(ids::kMessageBox));  // first in tab order
  EXPECT_EQ(window.form().default_button(), &window.Command(ids::kSend));
  EXPECT_EQ(window.Command(ids::kExit).caption(), "Exit");
  EXPECT_EQ(&window.Command(ids::kFrameSend).parent(), &window.Frame1());
  EXPECT_TRUE(window.Option(ids::kSendToRoom).value());
  EXPECT_EQ(window.Check(ids::kBold).value(), 1);
  EXPECT_EQ(window.Check(ids::kClearText).value(), 1);
  EXPECT_EQ(window.Text(ids::kRecipient).text(), "To Whom?");
  EXPECT_TRUE(window.Check(ids::kUnderline).font().underline);
  EXPECT_TRUE(window.Check(ids::kStrike).font().strikethrough);
  EXPECT_EQ(window.Check(ids::kAttention).back_colour(), toolkit::kButtonFace);
  EXPECT_FALSE(window.Command(ids::kUp).is_enabled());
  EXPECT_FALSE(window.Command(ids::kLeft).is_enabled());
  EXPECT_EQ(window.Label(30).fore_colour(), 0xFF0000u);
  EXPECT_EQ(window.Command(ids::kSend).id(), ids::kSend.id());
  EXPECT_EQ(window.Marker(4, 9).id(), ids::MarkerId(4, 9));
}

TEST(FontChoiceTest, ComicSansAndWingdingsWhereInstalledElseFacesThatDrawTheSame) {
  testing::FakeDesktop desktop;
  testing::FakeEventPump events;
  testing::FakeDialogs dialogs;
  testing::FakeFonts fonts;
  testing::FakeSettingsFile settingsFile;
  testing::FakeClipboard clipboard;

  ZiruZezuzo full{{{desktop, events}, dialogs, fonts, settingsFile, clipboard}};
  EXPECT_EQ(full.form().font().face, "Comic Sans MS");
  EXPECT_EQ(full.Command(ids::kUp).font().face, "Wingdings");
  EXPECT_TRUE(full.Command(ids::kUp).font().symbol);
  EXPECT_EQ(full.Command(ids::kUp).caption(), "\u00D9");
  EXPECT_EQ(full.Command(ids::kLeft).caption(), "\u00D7");

  fonts.installed = {"Comic Neue", "DejaVu Sans"};
  ZiruZezuzo fallback{{{desktop, events}, dialogs, fonts, settingsFile, clipboard}};
  EXPECT_EQ(fallback.form().font().face, "Comic Neue");
  EXPECT_EQ(fallback.Command(ids::kUp).font().face, "DejaVu Sans");
  EXPECT_EQ(fallback.Command(ids::kDown).caption(), "\u25BC");
  EXPECT_EQ(fallback.Command(ids::kRight).caption(), "\u25BA");

  EXPECT_EQ(fallback.Command(ids::kRight).arrowhead(), toolkit::CommandButton::Arrowhead::kNone);

  // A stand-in Wingdings that draws its arrowheads as faint outlines, and no face with clean
  // ones: the buttons paint triangles.
  fonts.installed = {"Wingdings"};
  fonts.faint = {"Wingdings"};
  ZiruZezuzo bare{{{desktop, events}, dialogs, fonts, settingsFile, clipboard}};
  EXPECT_EQ(bare.Command(ids::kLeft).arrowhead(), toolkit::CommandButton::Arrowhead::kLeft);
  EXPECT_EQ(bare.Command(ids::kUp).arrowhead(), toolkit::CommandButton::Arrowhead::kUp);
  EXPECT_EQ(bare.Command(ids::kLeft).caption(), "\u25C4");
  EXPECT_EQ(bare.Command(ids::kLeft).accessible_name(), "Left");
}

}  // namespace
}  // namespace vfx::ui

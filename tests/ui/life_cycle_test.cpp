#include "tests/ui/life_cycle_rig.h"
#include "ui/announcements.h"
#include "ui/control_ids.h"

namespace vfx::ui {
namespace {

namespace ann = announcements;
using toolkit::Form;

constexpr fade::Rgb kStartColour{40, 80, 120}, kExitColour{200, 100, 50};

TEST_F(LifeCycleTest, TheSplashIsABlackBorderlessCentredPictureThatWaitsForItsClick) {
  const Form& form = splash.form();
  EXPECT_EQ(form.border_style(), Form::BorderStyle::kNone);
  EXPECT_TRUE(form.centred());
  EXPECT_EQ(form.back_colour(), 0u);
  EXPECT_EQ(form.client_design_size(), (toolkit::Size{6504, 3444}));
  EXPECT_EQ(splash.Image1().bounds(), (toolkit::Bounds{0, 0, 6480, 3456}));
  EXPECT_EQ(splash.Image1().picture(), kSplashPicture);
  EXPECT_EQ(splash.Image1().id(), ids::kSplashImage1);
  EXPECT_TRUE(form.is_visible());
  EXPECT_EQ(splash.main_window(), nullptr);
  EXPECT_TRUE(desktop.soundsPlayed.empty());
  EXPECT_TRUE(lines.empty());
}

TEST_F(LifeCycleTest, TheClickPlaysTheSoundAnnouncesInOrderThenShowsTheMainWindow) {
  const double clicked = Start();
  EXPECT_EQ(desktop.soundsPlayed, (std::vector<std::string>{"vontrafx.wav"}));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "<HTML> <HTML>");
  EXPECT_EQ(lines[1].text, ann::StartupFirstLine(kStartColour));
  EXPECT_EQ(lines[2].text, ann::StartupSecondLine(kStartColour) + "Bob");
  EXPECT_NEAR(lines[0].time - clicked, 0.0, 1e-9);
  EXPECT_NEAR(lines[1].time - clicked, 0.1, 1e-9);
  EXPECT_NEAR(lines[2].time - clicked, 0.4, 1e-9);
  for (const Line& line : lines) EXPECT_FALSE(line.mainWindowVisible);
  EXPECT_GE(events.Now() - clicked, 0.5);

  ZiruZezuzo& main = Main();
  EXPECT_TRUE(main.form().is_visible());
  EXPECT_EQ(main.form().caption(), "Vontra FX - 3 Colors");
  EXPECT_EQ(main.Check(ids::kOnTop).value(), 1);
  EXPECT_TRUE(desktop.IsTopmost(main.form().native_handle()));
  EXPECT_FALSE(splash.form().is_loaded());
  EXPECT_FALSE(events.IsEnding());
}

TEST_F(LifeCycleTest, LoadRunsItsStepsInOrderAndTheWindowStaysHiddenUntilTheEnd) {
  // The first placement (Check7_Click with the box unticked) comes after the last pause.
  std::vector<double> placedAt;
  double shownAt = 0;
  backend.onEvent = [&](const testing::PeerEvent& event) {
    if (event.control == "ZiruZezuzo" && event.property == toolkit::Property::kVisible)
      shownAt = events.Now();
  };
  const double clicked = Start();
  EXPECT_NEAR(shownAt - clicked, 0.5, 1e-9);
  ZiruZezuzo& main = Main();
  using enum platform::ZOrder;
  std::vector<platform::ZOrder> orders;
  for (auto [handle, order] : desktop.placements)
    if (handle == main.form().native_handle()) orders.push_back(order);
  EXPECT_EQ(orders, (std::vector<platform::ZOrder>{kNotTopmost, kTopmost, kTopmost, kTopmost,
                                                   kTopmost, kNotTopmost, kTopmost}));
  EXPECT_FALSE(main.sendState.ViewHtml);
  EXPECT_FALSE(main.sendState.ImMode);
  EXPECT_EQ(main.sendState.AttentionBanner, composer::AttentionBanner());
  EXPECT_FALSE(main.OnTopSuspended);
  EXPECT_EQ(main.SelectedColourCount(), 3);
  for (int n : {1, 2, 6, 7, 8, 9, 10, 11, 12, 13}) EXPECT_EQ(main.Picture(n).back_colour(), 0u);
  EXPECT_TRUE(main.Picture(9).is_visible());
  EXPECT_TRUE(main.HScroll(9).is_enabled());
  EXPECT_FALSE(main.Picture(10).is_visible());
  EXPECT_FALSE(main.HScroll(10).is_enabled());
}

TEST_F(LifeCycleTest, ASecondClickWhileTheMainWindowLoadsIsIgnored) {
  events.After(0.2, [&] { splash.Image1().click(); });
  Start();
  EXPECT_EQ(lines.size(), 3u);
  EXPECT_EQ(desktop.soundsPlayed.size(), 1u);
  EXPECT_TRUE(Main().form().is_visible());
}

TEST_F(LifeCycleTest, ExitAnnouncesTowardsAFreshColourThenEndsTheProgram) {
  Start();
  const std::size_t before = lines.size();
  const double pressed = events.Now();
  Main().Command(ids::kExit).click();
  EXPECT_EQ(LinesSince(before),
            (std::vector<std::string>{ann::ExitFirstLine(kExitColour),
                                      ann::ExitSecondLine(kExitColour) + "Bob"}));
  EXPECT_NEAR(lines[before + 1].time - lines[before].time, 0.3, 1e-9);
  EXPECT_NEAR(events.Now() - pressed, 0.3, 1e-9);
  EXPECT_FALSE(Main().form().is_loaded());
  EXPECT_TRUE(events.IsEnding());
  EXPECT_EQ(touchedAfterUnload, 0);
}

TEST_F(LifeCycleTest, ClosingTheWindowOtherwiseEndsWithoutAnAnnouncement) {
  Start();
  const std::size_t before = lines.size();
  Main().form().native_close_requested();
  EXPECT_EQ(lines.size(), before);
  EXPECT_FALSE(Main().form().is_loaded());
  EXPECT_TRUE(events.IsEnding());
}

TEST_F(LifeCycleTest, ClosingTheSplashBeforeItsClickEndsTheProgram) {
  splash.form().native_close_requested();
  EXPECT_TRUE(events.IsEnding());
  splash.Image1().click();  // a click that was already queued
  EXPECT_EQ(splash.main_window(), nullptr);
  EXPECT_TRUE(desktop.soundsPlayed.empty());
}

// While the picture waits, the main window's controls are made, hidden, and nothing else: the
// click still plays the sound and runs Form_Load, in their order; closed before the click, the
// splash still ends the program.
TEST_F(LifeCycleTest, TheMainWindowIsMadeWhileTheSplashWaitsAndLoadedAtTheClick) {
  ASSERT_EQ(backend.timers.size(), 1u);
  splash.form().native_timer_elapsed(backend.timers.begin()->first);
  ASSERT_NE(splash.main_window(), nullptr);
  EXPECT_FALSE(Main().form().is_visible());
  EXPECT_NE(Main().Text(ids::kMessageBox).native_handle(), platform::kNoWindow);
  EXPECT_TRUE(lines.empty());
  EXPECT_TRUE(desktop.soundsPlayed.empty());
  const double clicked = Start();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NEAR(lines[2].time - clicked, 0.4, 1e-9);
  EXPECT_EQ(desktop.soundsPlayed.size(), 1u);
  EXPECT_TRUE(Main().form().is_visible());
}

TEST_F(LifeCycleTest, ClosingTheSplashAfterTheMainWindowWasMadeStillEndsTheProgram) {
  splash.form().native_timer_elapsed(backend.timers.begin()->first);
  splash.form().native_close_requested();
  EXPECT_TRUE(events.IsEnding());
  EXPECT_FALSE(Main().form().is_visible());
}

class LifeCycleWithoutRoomTest : public LifeCycleTest {
 protected:
  LifeCycleWithoutRoomTest() { desktop.Destroy(host.chatRoom); }
};

TEST_F(LifeCycleWithoutRoomTest, StartUpAndExitCompleteWithTheirPausesWhenNoRoomIsOpen) {
  const double clicked = Start();
  EXPECT_TRUE(lines.empty());
  EXPECT_NEAR(events.Now() - clicked, 0.5, 1e-9);
  EXPECT_TRUE(Main().form().is_visible());
  Main().Command(ids::kExit).click();
  EXPECT_TRUE(events.IsEnding());
}

// Every wait runs events, so the window can go in the middle of an operation. From then on
// nothing more reaches the host and no control of the window is touched.
using EndingTest = LifeCycleTest;

TEST_F(EndingTest, ClosedDuringTheStartUpPausesTheRestOfLoadIsLeftUndone) {
  events.After(0.2, [&] { Main().form().native_close_requested(); });
  Start();
  EXPECT_EQ(lines.size(), 2u);
  EXPECT_FALSE(Main().form().is_visible());
  EXPECT_FALSE(splash.form().is_loaded());
  EXPECT_TRUE(desktop.placements.empty());
  EXPECT_EQ(touchedAfterUnload, 0);
  EXPECT_TRUE(events.IsEnding());
}

TEST_F(EndingTest, ClosedDuringExitsPauseTheSecondLineIsNotSent) {
  Start();
  const std::size_t before = lines.size();
  events.After(0.1, [&] { Main().form().native_close_requested(); });
  const double pressed = events.Now();
  Main().Command(ids::kExit).click();
  EXPECT_EQ(lines.size(), before + 1);
  EXPECT_NEAR(events.Now() - pressed, 0.1, 1e-9);
  EXPECT_TRUE(events.IsEnding());
}

TEST_F(EndingTest, ASecondExitDuringTheFirstAnnouncesNothingMore) {
  Start();
  const std::size_t before = lines.size();
  events.After(0.1, [&] { Main().Command(ids::kExit).click(); });
  Main().Command(ids::kExit).click();
  EXPECT_EQ(lines.size(), before + 2);
  EXPECT_TRUE(events.IsEnding());
}

TEST_F(EndingTest, ExitDuringTheAttentionSendEndsTheSequence) {
  Start();
  Main().Check(ids::kAttention).set_value(1);
  Main().Text(ids::kMessageBox).set_text("hello");
  const std::size_t before = lines.size();
  events.After(0.1, [&] { Main().Command(ids::kExit).click(); });
  Main().Command(ids::kSend).click();
  const std::vector<std::string> sent = LinesSince(before);
  ASSERT_EQ(sent.size(), 3u);  // the banner, then the two exit lines
  EXPECT_EQ(sent[0], composer::AttentionBanner());
  EXPECT_EQ(sent[2], ann::ExitSecondLine(kExitColour) + "Bob");
  EXPECT_EQ(Main().Text(ids::kMessageBox).text(), "hello");
  EXPECT_EQ(touchedAfterUnload, 0);
}

class EndingDuringInstantMessageTest : public LifeCycleTest {
 protected:
  EndingDuringInstantMessageTest() : LifeCycleTest({.opensInstantMessageWindow = false}) {}
};

TEST_F(EndingDuringInstantMessageTest, ExitWhileTheInstantMessageWaitsSendsNothingMore) {
  Start();
  Main().Option(ids::kImSend).set_value(true);
  Main().Text(ids::kRecipient).set_text("Ann");
  Main().Text(ids::kMessageBox).set_text("hello");
  const double pressed = events.Now();
  std::size_t sentByTheExit = 0;
  events.After(1.0, [&] {
    Main().Command(ids::kExit).click();
    sentByTheExit = desktop.sent.size();
  });
  Main().Command(ids::kSend).click();
  EXPECT_GT(sentByTheExit, 0u);
  EXPECT_LT(events.Now() - pressed, 1.5);  // not the rest of the host wait
  EXPECT_EQ(desktop.sent.size(), sentByTheExit);
  EXPECT_TRUE(host.instantMessages.empty());
  EXPECT_EQ(touchedAfterUnload, 0);
}

}  // namespace
}  // namespace vfx::ui

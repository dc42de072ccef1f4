#include "composer/compose.h"
#include "tests/ui/life_cycle_rig.h"
#include "ui/announcements.h"

namespace vfx::ui {
namespace {

class SelfTestTest : public LifeCycleTest {
 protected:
  SelfTestTest() {
    Start();
    linesBefore = lines.size();
    captions.clear();
  }
  std::size_t linesBefore = 0;
  static constexpr char kSample[] = "<//~~ using [Vontra \u0192X] \u00DFy: Zarnok";
};

TEST_F(SelfTestTest, ShowsEachCaptionAtTheStartOfItsStepAndEndsWithTheSend) {
  ZiruZezuzo& main = Main();
  // Settings the script resets or leaves alone.
  main.Check(ids::kUnderline).set_value(1);
  main.Check(ids::kWavy).set_value(1);
  main.Check(ids::kRandom).set_value(1);
  main.Check(ids::kItalics).set_value(0);
  main.HScroll(30).set_value(99);
  main.Text(ids::kMessageBox).set_text("typed before");
  const double started = events.Now();
  std::vector<std::pair<double, std::string>> probes;
  // What the panel holds in the middle of the steps.
  events.At(started + 1.0, [&] {
    probes.push_back({events.Now(), main.Text(ids::kMessageBox).text() + "|" +
                                        std::to_string(main.HScroll(30).value()) +
                                        std::to_string(main.Check(ids::kUnderline).value()) +
                                        std::to_string(main.Check(ids::kRandom).value())});
  });
  main.Command(ids::kSelfTest).click();

  const std::pair<double, const char*> expected[] = {
      {0, "Resetting all Attributes"},
      {1.5, "Changing Attributes to Bold and Italics and to Remove the text once Sent"},
      {5.0, "Setting Colors to Random RGBs"},
      {7.5, "Entering Text to Send"},
      {10.0, "Pushing the Send to Chat Button"},
      {12.0, "Vontra FX"}};
  ASSERT_EQ(captions.size(), 6u);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const auto [offset, text] = expected[i];
    EXPECT_EQ(captions[i].text, text) << i;
    EXPECT_NEAR(captions[i].time - started, offset, 1e-9) << i;
  }
  EXPECT_NEAR(events.Now() - started, 12.0, 1e-9);
  ASSERT_EQ(probes.size(), 1u);
  EXPECT_EQ(probes[0].second, "|000");

  // The sample goes out with the window's settings as the script left them.
  const std::vector<std::string> sent = LinesSince(linesBefore);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_NEAR(lines.back().time - started, 10.0, 1e-9);
  EXPECT_EQ(sent[0], "<B><I>" + composer::ComposeBody(kSample, 3, main.Colours(), false));
  for (int n : {1, 2, 6}) EXPECT_EQ(main.Check(n).value(), 1) << n;
  for (int n : {3, 4, 5, 8}) EXPECT_EQ(main.Check(n).value(), 0) << n;
  EXPECT_EQ(main.Check(ids::kOnTop).value(), 1);
  EXPECT_EQ(main.Text(ids::kMessageBox).text(), "");  // Clear Text
  EXPECT_EQ(main.form().caption(), "Vontra FX");
  // Randomize gave the colours in use the draws that follow the start-up's.
  EXPECT_EQ(main.Colour(1).blue, 200);
  EXPECT_EQ(main.HScroll(30).value(), 0);
}

TEST_F(SelfTestTest, LeavesAttentionAndTheDeliveryModeAsTheyWere) {
  Main().Check(ids::kAttention).set_value(1);
  Main().Command(ids::kSelfTest).click();
  const std::vector<std::string> sent = LinesSince(linesBefore);
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0], composer::AttentionBanner());
  EXPECT_EQ(sent[2], composer::AttentionBanner());
  EXPECT_TRUE(sent[1].starts_with("<B><I><FONT COLOR=#"));
}

// A Self Test clicked while an instant message is on its way sends its sample behind that
// message, composed with the settings of its Send step, whatever changes after it.
TEST_F(SelfTestTest, InsideADeliveryItsSampleIsComposedAtItsSendStep) {
  ZiruZezuzo& main = Main();
  main.Option(ids::kImSend).click();
  main.Text(ids::kRecipient).set_text("Ann");
  main.Text(ids::kMessageBox).set_text("first");
  std::string sample;
  events.After(0.02, [&] {
    const double started = events.Now();
    events.At(started + 10.5, [&] {  // after the Send step, before the script's end
      sample = "<B><I>" + composer::ComposeBody(kSample, 3, main.Colours(), false);
      main.Check(ids::kBold).set_value(0);
      main.Option(4).click();
    });
    main.Command(ids::kSelfTest).click();
  });
  main.Command(ids::kSend).click();
  ASSERT_EQ(host.instantMessages.size(), 2u);
  EXPECT_TRUE(host.instantMessages[0].text.ends_with(">t"));
  EXPECT_EQ(host.instantMessages[1].text, sample);
}

TEST_F(SelfTestTest, ExitDuringTheScriptIsTheLastThingTheHostHears) {
  ZiruZezuzo& main = Main();
  const double started = events.Now();
  events.At(started + 1.1, [&] { main.Command(ids::kExit).click(); });
  main.Command(ids::kSelfTest).click();
  const std::vector<std::string> sent = LinesSince(linesBefore);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1], announcements::ExitSecondLine({200, 100, 50}) + "Bob");
  // The script returned as soon as the exit was over: no step ran after it.
  EXPECT_NEAR(events.Now() - started, 1.4, 1e-9);
  EXPECT_EQ(captions.size(), 1u);
  EXPECT_EQ(touchedAfterUnload, 0);
  EXPECT_TRUE(events.IsEnding());
}

TEST_F(SelfTestTest, ClosedDuringTheSendStepsPauseTheCaptionIsNotTouched) {
  ZiruZezuzo& main = Main();
  const double started = events.Now();
  events.At(started + 11.0, [&] { main.form().native_close_requested(); });
  main.Command(ids::kSelfTest).click();
  EXPECT_EQ(LinesSince(linesBefore).size(), 1u);
  EXPECT_EQ(captions.size(), 5u);
  EXPECT_EQ(touchedAfterUnload, 0);
}

using AdvertiseTest = SelfTestTest;

TEST_F(AdvertiseTest, SendsTheNameAndWhereToGetItTowardsOneColourWithoutAPause) {
  Main().Command(ids::kAdvertise).click();
  Main().Command(ids::kAdvertise).click();
  const std::vector<std::string> sent = LinesSince(linesBefore);
  ASSERT_EQ(sent.size(), 4u);
  const auto first = announcements::AdvertiseLines({200, 100, 50});
  const auto second = announcements::AdvertiseLines({7, 9, 11});
  EXPECT_EQ(sent, (std::vector<std::string>{first[0], first[1], second[0], second[1]}));
  EXPECT_EQ(lines[linesBefore].time, lines.back().time);
}

}  // namespace
}  // namespace vfx::ui

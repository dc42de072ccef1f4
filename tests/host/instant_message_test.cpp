#include <gtest/gtest.h>

#include "host/host.h"
#include "tests/support/fake_events.h"
#include "tests/support/fake_host.h"

namespace vfx::host {
namespace {

using namespace vfx::testing;
using platform::message::kClose;
using platform::message::kLeftButtonUp;
using platform::message::kSetText;

class InstantMessageTest : public ::testing::Test {
 protected:
  std::vector<SentMessage> Sent(unsigned message) const {
    std::vector<SentMessage> found;
    for (const auto& sent : desktop.sent)
      if (sent.message == message) found.push_back(sent);
    return found;
  }
  FakeDesktop desktop;
  FakeEventPump events;
  platform::Platform platform{desktop, events};
};

TEST_F(InstantMessageTest, WithTheBuddyListOpenNoKeywordIsRun) {
  FakeHost host(desktop, {.buddyListOpen = true});
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "<B>hi"), InstantMessageOutcome::kSent);
  EXPECT_EQ(host.keywordButtonClicks, 0);
  EXPECT_TRUE(host.keywordsRun.empty());
  ASSERT_EQ(host.instantMessages.size(), 1u);
  EXPECT_EQ(host.instantMessages[0].recipient, "Ann");
  EXPECT_EQ(host.instantMessages[0].text, "<B>hi");
  EXPECT_EQ(host.FindDocument("Send Instant Message"), 0u);
}

TEST_F(InstantMessageTest, WithTheBuddyListClosedItIsOpenedThroughTheKeywordWindow) {
  FakeHost host(desktop);
  std::vector<std::string> classesSetTo;
  desktop.onSend = [&](const SentMessage& message) {
    if (message.message == kSetText)
      classesSetTo.push_back(GetWindowClass(desktop, message.window));
  };
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hi"), InstantMessageOutcome::kSent);
  EXPECT_EQ(host.keywordButtonClicks, 1);
  EXPECT_EQ(host.keywordsRun, std::vector<std::string>{"BuddyView"});
  // The recipient and then the text, each in one WM_SETTEXT, after the keyword.
  const auto texts = Sent(kSetText);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "BuddyView");
  EXPECT_EQ(texts[1].text, "Ann");
  EXPECT_EQ(texts[2].text, "hi");
  EXPECT_EQ(classesSetTo, (std::vector<std::string>{"_AOL_Edit", "_AOL_Edit", "RICHCNTL"}));
}

TEST_F(InstantMessageTest, TheKeywordWindowsFirstButtonIsClickedTwice) {
  FakeHost host(desktop);
  std::vector<WindowHandle> releases;
  WindowHandle goButton = 0;
  desktop.onSend = [&](const SentMessage& message) {
    if (message.message == kLeftButtonUp) releases.push_back(message.window);
    if (message.message == kSetText && message.text == "BuddyView")
      goButton = FindChildByClass(desktop, host.FindDocument("Keyword"), "_AOL_Icon");
  };
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hi"), InstantMessageOutcome::kSent);
  ASSERT_NE(goButton, 0u);
  ASSERT_GE(releases.size(), 3u);
  EXPECT_EQ(releases[0], host.keywordButton);
  EXPECT_EQ(releases[1], goButton);
  EXPECT_EQ(releases[2], goButton);  // the second click meets a closed window: no effect
}

TEST_F(InstantMessageTest, ARefusalClosesTheNoticeFirstThenTheMessageWindow) {
  FakeHost host(desktop, {.buddyListOpen = true});
  EXPECT_EQ(SendInstantMessage(platform, "Stranger", "hi"), InstantMessageOutcome::kRefused);
  const auto closes = Sent(kClose);
  ASSERT_EQ(closes.size(), 2u);
  EXPECT_EQ(GetWindowClass(desktop, closes[0].window), "");  // both gone now
  EXPECT_EQ(host.Notice(), 0u);
  EXPECT_EQ(host.FindDocument("Send Instant Message"), 0u);
  ASSERT_EQ(host.instantMessages.size(), 1u);
  EXPECT_TRUE(host.instantMessages[0].refused);
}

TEST_F(InstantMessageTest, ABuddyListWhoseButtonsComeLateIsWaitedFor) {
  // A window carries its caption before its controls are made.
  const WindowHandle frame = desktop.Add(0, "AOL Frame25", "America  Online");
  const WindowHandle documents = desktop.Add(frame, "MDIClient");
  const WindowHandle buddyList = desktop.Add(documents, "AOL Child", "Buddy List Window");
  WindowHandle imButton = 0;
  events.After(0.5, [&] {
    for (int n = 0; n <= 2; ++n) imButton = desktop.Add(buddyList, "_AOL_Icon");
  });
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hi"), InstantMessageOutcome::kNoAnswer);
  const auto clicks = Sent(kLeftButtonUp);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].window, imButton);
}

TEST_F(InstantMessageTest, AWindowAndANoticeLeftFromBeforeAreNotThisMessages) {
  // What an earlier message can leave when the host answered only after the wait: its window
  // still open, and a refusal notice that came too late.
  FakeHost host(desktop, {.buddyListOpen = true});
  const WindowHandle buddyList = host.FindDocument("Buddy List Window");
  ClickWindow(desktop, NextSibling(desktop, FindChildByClass(desktop, buddyList, "_AOL_Icon"), 2));
  const WindowHandle earlier = host.FindDocument("Send Instant Message");
  ASSERT_NE(earlier, 0u);
  const WindowHandle earlierTo = FindChildByClass(desktop, earlier, "_AOL_Edit");
  desktop.SendMessageA(earlierTo, kSetText, 0, std::string_view("Stranger"));
  ClickWindow(desktop, NextSibling(desktop, FindChildByClass(desktop, earlier, "_AOL_Icon"), 9));
  ASSERT_NE(host.Notice(), 0u);
  host.instantMessages.clear();

  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hello"), InstantMessageOutcome::kSent);
  ASSERT_EQ(host.instantMessages.size(), 1u);
  EXPECT_EQ(host.instantMessages[0].recipient, "Ann");
  EXPECT_FALSE(host.instantMessages[0].refused);
  EXPECT_EQ(host.Notice(), 0u);  // the old notice was closed before Send
  // The earlier window is left as it was.
  EXPECT_EQ(host.FindDocument("Send Instant Message"), earlier);
  EXPECT_EQ(desktop.Text(earlierTo), "Stranger");
}

TEST_F(InstantMessageTest, AWindowThatNeverOpensEndsAtTheBound) {
  FakeHost host(desktop, {.buddyListOpen = true, .opensInstantMessageWindow = false});
  const double start = events.Now();
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hi"), InstantMessageOutcome::kNoAnswer);
  EXPECT_GE(events.Now() - start, kHostWaitBound);
  EXPECT_LT(events.Now() - start, kHostWaitBound + 1);
  // Polled gently: about one look per poll interval, each after a wait.
  EXPECT_LE(events.waitCount, static_cast<int>(kHostWaitBound / kPollInterval) + 5);
}

TEST_F(InstantMessageTest, AKeywordWindowThatNeverOpensEndsAtTheBound) {
  FakeHost host(desktop, {.opensKeywordWindow = false});
  const double start = events.Now();
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hi"), InstantMessageOutcome::kNoAnswer);
  EXPECT_NEAR(events.Now() - start, kHostWaitBound + 0.05, 0.02);
  EXPECT_TRUE(host.instantMessages.empty());
}

TEST_F(InstantMessageTest, NoHostEndsAtOnce) {
  const double start = events.Now();
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hi"), InstantMessageOutcome::kNoAnswer);
  EXPECT_EQ(events.Now(), start);
  EXPECT_TRUE(desktop.sent.empty());
}

TEST_F(InstantMessageTest, TheHostClosingMidwayIsNoAnswerNotSent) {
  FakeHost host(desktop, {.buddyListOpen = true});
  events.After(0.005, [&] { desktop.Destroy(host.frame); });  // before Send is pressed
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hi"), InstantMessageOutcome::kNoAnswer);
  EXPECT_TRUE(host.instantMessages.empty());
}

TEST_F(InstantMessageTest, ExitDuringTheWaitStopsAtOnceAndSendsNothingMore) {
  FakeHost host(desktop, {.buddyListOpen = true, .opensInstantMessageWindow = false});
  events.After(1.0, [&] { events.MarkEnding(); });
  const double start = events.Now();
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hi"), InstantMessageOutcome::kCancelled);
  EXPECT_NEAR(events.Now() - start, 1.0, 0.02);
  const std::size_t sentBefore = desktop.sent.size();
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hi"), InstantMessageOutcome::kCancelled);
  EXPECT_EQ(desktop.sent.size(), sentBefore);
}

TEST_F(InstantMessageTest, AClickDuringTheWaitRunsInsideIt) {
  FakeHost host(desktop, {.buddyListOpen = true});
  bool ranInside = false;
  events.After(0.001, [&] { ranInside = host.instantMessages.empty(); });
  EXPECT_EQ(SendInstantMessage(platform, "Ann", "hi"), InstantMessageOutcome::kSent);
  EXPECT_TRUE(ranInside);
}

}  // namespace
}  // namespace vfx::host

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/composer/send_rig.h"

namespace vfx::testing {
namespace {

using composer::AttentionBanner;
using Strings = std::vector<std::string>;

class SendRunTest : public ::testing::Test, public SendRig {
 protected:
  // What Send composes from each line with the window's other settings as they are now.
  std::map<std::string, std::string> MessagesOf(std::initializer_list<const char*> lines) {
    std::map<std::string, std::string> messages;
    for (const char* line : lines) {
      window.typedLine = line;
      messages[line] = Message();
    }
    return messages;
  }
};

TEST_F(SendRunTest, ReadsEachBoxAtTheStepWhereItActs) {
  window.ticked = {SendOption::kRandom, SendOption::kClearText};
  run.Command1_Click();
  const auto at = [&](const std::string& call) { return window.CallIndex(call); };
  EXPECT_EQ(at("TypedLine"), 0);
  EXPECT_LT(at(IsTickedCall(SendOption::kBold)), at(IsTickedCall(SendOption::kStrike)));
  EXPECT_LT(at(IsTickedCall(SendOption::kStrike)), at(IsTickedCall(SendOption::kRandom)));
  EXPECT_LT(at(IsTickedCall(SendOption::kRandom)), at("Randomize"));
  EXPECT_LT(at("Randomize"), at("Colours"));
  EXPECT_LT(at("Randomize"), at("SelectedColourCount"));
  EXPECT_LT(at("Randomize"), at(IsTickedCall(SendOption::kWavy)));
  EXPECT_LT(at(IsTickedCall(SendOption::kWavy)), at(IsTickedCall(SendOption::kAttention)));
  EXPECT_LT(at(IsTickedCall(SendOption::kAttention)), at(IsTickedCall(SendOption::kClearText)));
  EXPECT_LT(at(IsTickedCall(SendOption::kClearText)), at("SetTypedLine"));
  EXPECT_EQ(window.calls.back(), "FocusTypedLine");
}

TEST_F(SendRunTest, RandomizeRunsFirstAndTheMarkupUsesExactlyTheNewColours) {
  window.ticked = {SendOption::kRandom};
  window.colourCount = 4;
  window.typedLine = "randomized";
  const std::string before = Message();
  window.onRandomize = [&] {
    for (fade::Rgb& colour : window.colours)
      colour = {fade::RandomComponent(), fade::RandomComponent(), fade::RandomComponent()};
  };
  run.Command1_Click();
  ASSERT_EQ(ChatLines().size(), 1u);
  EXPECT_EQ(ChatLines()[0], Message());  // the panel keeps the new colours
  EXPECT_NE(ChatLines()[0], before);
}

TEST_F(SendRunTest, TheStylePrefixGoesInFrontAndIsNeverClosed) {
  window.ticked = {SendOption::kStrike, SendOption::kUnderline, SendOption::kItalics,
                   SendOption::kBold};
  run.Command1_Click();
  ASSERT_EQ(ChatLines().size(), 1u);
  EXPECT_TRUE(ChatLines()[0].starts_with("<B><I><U><S><FONT COLOR=#"));
  EXPECT_EQ(ChatLines()[0].find("</"), std::string::npos);

  window.ticked = {SendOption::kBold};
  window.typedLine = "";
  run.Command1_Click();
  EXPECT_EQ(ChatLines().back(), "<B>");
}

TEST_F(SendRunTest, AttentionSendsBannerMessageBannerPointThreeSecondsApart) {
  window.ticked = {SendOption::kAttention};
  const std::string message = Message();
  run.Command1_Click();
  const std::string banner(AttentionBanner());
  EXPECT_EQ(ChatLines(), (Strings{banner, message, banner}));
  ASSERT_EQ(postTimes.size(), 3u);
  EXPECT_GE(postTimes[1] - postTimes[0], 0.3);
  EXPECT_GE(postTimes[2] - postTimes[1], 0.3);
  EXPECT_LT(postTimes[2] - postTimes[0], 0.65);
}

TEST_F(SendRunTest, NoBannerInAnInstantMessageOrTheView) {
  window.ticked = {SendOption::kAttention};
  window.recipient = "Ann";
  state.ImMode = true;
  run.Command1_Click();
  EXPECT_TRUE(ChatLines().empty());
  ASSERT_EQ(host->instantMessages.size(), 1u);
  EXPECT_EQ(host->instantMessages[0].text, Message());

  state.ImMode = false;
  state.ViewHtml = true;
  run.Command1_Click();
  EXPECT_TRUE(ChatLines().empty());
  EXPECT_EQ(window.htmlView, Message());
}

// The four combinations of ImMode and ViewHtml.
TEST_F(SendRunTest, DeliveryTable) {
  window.recipient = "Ann";
  const std::string message = Message();

  run.Command1_Click();  // chat
  EXPECT_EQ(ChatLines(), Strings{message});
  EXPECT_TRUE(host->instantMessages.empty());
  EXPECT_EQ(window.htmlView, "");

  state.ImMode = true;  // instant message
  run.Command1_Click();
  EXPECT_EQ(ChatLines().size(), 1u);
  ASSERT_EQ(host->instantMessages.size(), 1u);
  EXPECT_EQ(host->instantMessages[0].recipient, "Ann");
  EXPECT_EQ(host->instantMessages[0].text, message);
  EXPECT_EQ(window.htmlView, "");

  state.ImMode = false;  // view only
  state.ViewHtml = true;
  window.htmlView = "what the box held";
  const std::size_t messagesSent = desktop.sent.size();
  run.Command1_Click();
  EXPECT_EQ(window.htmlView, message);
  EXPECT_EQ(desktop.sent.size(), messagesSent);
  EXPECT_FALSE(state.ViewHtml);

  state.ImMode = true;  // instant message and view
  state.ViewHtml = true;
  window.htmlView.clear();
  run.Command1_Click();
  EXPECT_EQ(host->instantMessages.size(), 2u);
  EXPECT_EQ(window.htmlView, message);
  EXPECT_EQ(ChatLines().size(), 1u);
  EXPECT_FALSE(state.ViewHtml);
  EXPECT_EQ(window.statuses, (std::vector{DeliveryStatus::kDelivered, DeliveryStatus::kDelivered,
                                          DeliveryStatus::kDelivered}));
}

TEST_F(SendRunTest, ClearTextEmptiesTheLineAfterEachDeliveryButNotAfterTheView) {
  window.ticked = {SendOption::kClearText};
  run.Command1_Click();  // chat
  EXPECT_EQ(window.typedLine, "");

  window.typedLine = "to Ann";
  window.recipient = "Ann";
  state.ImMode = true;
  run.Command1_Click();  // instant message sent
  EXPECT_EQ(window.typedLine, "");

  window.typedLine = "to someone offline";
  window.recipient = "To Whom?";  // passed on as it stands
  run.Command1_Click();           // refused: the host answered, so the line goes as well
  ASSERT_EQ(host->instantMessages.size(), 2u);
  EXPECT_EQ(host->instantMessages[1].recipient, "To Whom?");
  EXPECT_TRUE(host->instantMessages[1].refused);
  EXPECT_EQ(host->Notice(), platform::kNoWindow);
  EXPECT_EQ(window.typedLine, "");
  EXPECT_EQ(window.statuses.back(), DeliveryStatus::kRefused);

  state.ImMode = false;
  state.ViewHtml = true;
  window.typedLine = "viewed";
  run.Command1_Click();
  EXPECT_EQ(window.typedLine, "viewed");

  window.ticked.clear();
  run.Command1_Click();
  EXPECT_EQ(window.typedLine, "viewed");
  EXPECT_EQ(window.focusCount, 5);
}

TEST_F(SendRunTest, OptionButtonsSwitchTheSendButtonAndCommand11LeavesImModeOn) {
  run.Option12_Click();
  EXPECT_TRUE(state.ImMode);
  EXPECT_EQ(window.sendCaption, "Send to IM");
  run.Option11_Click();
  EXPECT_FALSE(state.ImMode);
  EXPECT_EQ(window.sendCaption, "Send to Chat");

  window.recipient = "Ann";
  run.Command11_Click();
  EXPECT_TRUE(state.ImMode);
  EXPECT_EQ(window.sendCaption, "Send to Chat");
  run.Command1_Click();  // the main button now sends instant messages too
  EXPECT_EQ(host->instantMessages.size(), 2u);
  EXPECT_TRUE(ChatLines().empty());

  run.Option11_Click();
  desktop.BringToTop(host->chatRoom);  // the host opened its buddy list in front
  run.Command1_Click();
  EXPECT_EQ(ChatLines().size(), 1u);
}

TEST_F(SendRunTest, NoChatRoomInFrontKeepsTheTypedLineAndSaysSo) {
  window.ticked = {SendOption::kClearText, SendOption::kAttention};
  host->OpenDocumentInFront();
  const double start = events.Now();
  run.Command1_Click();
  EXPECT_TRUE(ChatLines().empty());
  EXPECT_EQ(window.typedLine, "hello");
  EXPECT_EQ(window.statuses, std::vector{DeliveryStatus::kNoChatRoom});
  EXPECT_FALSE(composer::DeliveryStatusText(DeliveryStatus::kNoChatRoom).empty());
  EXPECT_EQ(events.Now(), start);  // no pauses for a sequence that cannot arrive
  EXPECT_EQ(window.focusCount, 1);
}

TEST_F(SendRunTest, AHungChatRoomKeepsTheTypedLineAndSaysWhatIsKnown) {
  window.ticked = {SendOption::kClearText};
  desktop.Hang(host->input);
  run.Command1_Click();
  EXPECT_EQ(window.typedLine, "hello");
  EXPECT_EQ(window.statuses, std::vector{DeliveryStatus::kHostNotResponding});

  // The host took the text and then went silent before its Enter: the line may be in the room,
  // so the caption must not say it was not sent; the line stays all the same.
  SendRig rig;
  rig.window.ticked = {SendOption::kClearText};
  rig.events.After(0, [&] { rig.desktop.Hang(rig.host->input); });
  rig.run.Command1_Click();
  EXPECT_EQ(rig.window.typedLine, "hello");
  ASSERT_EQ(rig.window.statuses, std::vector{DeliveryStatus::kMayHaveArrived});
  EXPECT_FALSE(composer::DeliveryStatusText(rig.window.statuses[0]).starts_with("Not sent"));
}

TEST_F(SendRunTest, AMessageLongerThanTheHostIsHandedIsKeptAndNotSent) {
  window.ticked = {SendOption::kClearText, SendOption::kAttention};
  window.colourCount = 10;
  // About twenty bytes of markup per character: just over the bound, and just under it.
  window.typedLine = std::string(composer::kLongestMessage / 20, 'x');
  ASSERT_GT(Message().size(), composer::kLongestMessage);
  run.Command1_Click();
  EXPECT_TRUE(ChatLines().empty()) << "not even the banner goes before a message that cannot";
  EXPECT_EQ(window.typedLine.size(), composer::kLongestMessage / 20);
  EXPECT_EQ(window.statuses, std::vector{DeliveryStatus::kTooLong});

  state.ImMode = true;
  run.Command1_Click();
  EXPECT_EQ(window.statuses.back(), DeliveryStatus::kTooLong);
  EXPECT_TRUE(host->instantMessages.empty());

  // The HTML view is no delivery: it shows the whole of it.
  state.ImMode = false;
  run.Command9_Click();
  EXPECT_TRUE(window.htmlView.starts_with(Message()));

  window.ticked = {SendOption::kClearText};
  window.typedLine.resize(composer::kLongestMessage / 22);
  ASSERT_LE(Message().size(), composer::kLongestMessage);
  run.Command1_Click();
  EXPECT_EQ(ChatLines().size(), 1u);
  EXPECT_EQ(window.typedLine, "");
}

TEST(SendRunFailures, NoHostAtAllKeepsTheTypedLine) {
  SendRig rig(std::nullopt);
  rig.window.ticked = {SendOption::kClearText};
  rig.run.Command1_Click();
  EXPECT_EQ(rig.window.typedLine, "hello");
  EXPECT_EQ(rig.window.statuses, std::vector{DeliveryStatus::kNoChatRoom});

  rig.state.ImMode = true;
  rig.run.Command1_Click();
  EXPECT_EQ(rig.window.typedLine, "hello");
  EXPECT_EQ(rig.window.statuses.back(), DeliveryStatus::kNoAnswer);
  EXPECT_EQ(rig.window.focusCount, 2);
}

TEST(SendRunFailures, AnInstantMessageTheHostNeverTakesKeepsTheTypedLine) {
  SendRig rig(FakeHostOptions{.buddyListOpen = true, .opensInstantMessageWindow = false});
  rig.window.ticked = {SendOption::kClearText};
  rig.window.recipient = "Ann";
  rig.state.ImMode = true;
  rig.run.Command1_Click();
  EXPECT_TRUE(rig.host->instantMessages.empty());
  EXPECT_EQ(rig.window.typedLine, "hello");
  EXPECT_EQ(rig.window.statuses, std::vector{DeliveryStatus::kNoAnswer});
  EXPECT_FALSE(rig.state.ViewHtml);
}

// Clicks handled inside a delivery's waits join the queue behind it: each message is composed at
// its click and delivered whole, in click order.
TEST_F(SendRunTest, ASendDuringTheAttentionPauseFollowsTheWholeFirstMessage) {
  window.ticked = {SendOption::kAttention, SendOption::kClearText};
  window.typedLine = "second";
  const std::string second = Message();
  window.typedLine = "first";
  const std::string first = Message();
  events.After(0.1, [&] {
    window.typedLine = "second";
    run.Command1_Click();
    EXPECT_EQ(run.waiting(), 1u);
  });
  run.Command1_Click();
  const std::string banner(AttentionBanner());
  EXPECT_EQ(ChatLines(), (Strings{banner, first, banner, banner, second, banner}));
  EXPECT_EQ(window.typedLine, "");
  EXPECT_EQ(window.statuses.size(), 2u);
  EXPECT_EQ(window.focusCount, 2);
}

TEST_F(SendRunTest, ABurstDuringAHandOverQueuesAndAViewTakesEffectAtOnce) {
  window.ticked = {SendOption::kAttention};
  const std::string message = Message();
  events.After(0, [&] {
    for (int click = 0; click < 50; ++click) run.Command1_Click();
    run.Command9_Click();  // a view delivers nothing: Text2 has it before the clicks return
    EXPECT_TRUE(window.htmlView.starts_with(message));
  });
  run.Command1_Click();
  const std::string banner(AttentionBanner());
  std::string shape;  // B for a banner, M for the message
  for (const std::string& line : ChatLines())
    shape += line == banner ? 'B' : line == message ? 'M' : '?';
  std::string expected;
  for (int send = 0; send < 51; ++send) expected += "BMB";
  EXPECT_EQ(shape, expected);
  EXPECT_FALSE(state.ViewHtml);
}

// IM Send and View HTML clicked while a chat line is handed over (View HTML is an instant
// message then), and two Sends during that instant message's waits: four deliveries in click
// order. Once, this order spun for ever.
TEST_F(SendRunTest, ClicksDuringAHandOverAndAnInstantMessagesWaitsNeverNest) {
  window.recipient = "Ann";
  std::map<std::string, std::string> message = MessagesOf({"A", "B", "C", "D"});
  window.typedLine = "A";
  events.After(0, [&] {
    run.Option12_Click();
    window.typedLine = "B";
    run.Command9_Click();
  });
  events.After(0.02, [&] {
    window.typedLine = "C";
    run.Command1_Click();
    window.typedLine = "D";
    run.Command1_Click();
  });
  run.Command1_Click();
  EXPECT_EQ(host->heard, (Strings{"chat|" + message["A"], "im|Ann|" + message["B"],
                                  "im|Ann|" + message["C"], "im|Ann|" + message["D"]}));
  EXPECT_EQ(run.waiting(), 0u);
}

// Each request carries the line typed at its click; Clear Text empties the box only while it
// still holds the line that arrived.
TEST_F(SendRunTest, LinesTypedBetweenSendsAreEachSentOnce) {
  window.ticked = {SendOption::kClearText, SendOption::kBold};
  window.recipient = "Ann";
  state.ImMode = true;
  std::map<std::string, std::string> message = MessagesOf({"A", "B", "C", "D"});
  window.typedLine = "A";
  events.After(0.02, [&] {
    window.typedLine = "B";
    run.Command9_Click();  // in instant-message mode, an instant message too
    window.typedLine = "C";
    run.Command1_Click();
    window.typedLine = "D";
    run.Command1_Click();
  });
  run.Command1_Click();
  EXPECT_EQ(host->heard, (Strings{"im|Ann|" + message["A"], "im|Ann|" + message["B"],
                                  "im|Ann|" + message["C"], "im|Ann|" + message["D"]}));
  EXPECT_TRUE(window.htmlView.starts_with(message["B"]));
  EXPECT_EQ(window.typedLine, "");  // D's own line, emptied once D arrived
}

TEST_F(SendRunTest, CloseDropsWhatWaitsAndTakesNothingMore) {
  window.ticked = {SendOption::kAttention};
  const std::string message = Message();
  events.After(0.1, [&] {
    run.Command1_Click();
    run.Announce({"advertised"});
    run.Close();
  });
  run.Command1_Click();
  const std::string banner(AttentionBanner());
  EXPECT_EQ(ChatLines(), (Strings{banner, message, banner}));
  run.Command1_Click();
  run.Announce({"advertised"});
  EXPECT_EQ(ChatLines().size(), 3u);
}

TEST_F(SendRunTest, WhatIsTypedWhileTheMessageIsOutIsNotCleared) {
  window.ticked = {SendOption::kAttention, SendOption::kClearText};
  const std::string message = Message();
  events.After(0.4, [&] { window.typedLine = "the next line"; });
  run.Command1_Click();
  EXPECT_EQ(ChatLines()[1], message);
  EXPECT_EQ(window.typedLine, "the next line");
}

TEST_F(SendRunTest, NothingMoreOnceTheProgramIsEnding) {
  window.ticked = {SendOption::kAttention, SendOption::kClearText};
  events.After(0.1, [&] { events.MarkEnding(); });
  run.Command1_Click();
  EXPECT_EQ(ChatLines(), Strings{std::string(AttentionBanner())});
  EXPECT_EQ(window.typedLine, "hello");
  EXPECT_EQ(window.focusCount, 0);
  EXPECT_TRUE(window.statuses.empty());

  window.calls.clear();
  run.Command1_Click();
  run.Command9_Click();
  EXPECT_TRUE(window.calls.empty());
}

TEST(SendRunEnding, DuringAnInstantMessageWait) {
  SendRig rig;
  rig.window.ticked = {SendOption::kClearText};
  rig.window.recipient = "Ann";
  rig.state.ImMode = true;
  rig.state.ViewHtml = true;
  rig.events.After(0.02, [&] { rig.events.MarkEnding(); });
  rig.run.Command1_Click();
  EXPECT_TRUE(rig.host->instantMessages.empty());
  EXPECT_EQ(rig.window.htmlView, rig.Message());  // the view took effect at the click
  EXPECT_EQ(rig.window.focusCount, 0);
  EXPECT_TRUE(rig.window.statuses.empty());
}

}  // namespace
}  // namespace vfx::testing

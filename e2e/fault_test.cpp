// The add-on against a host that misbehaves: absent, gone between two lines, hung, slow, killed
// in the middle of an instant message. Whatever the host does, the add-on stays within its
// bounds, keeps a typed line that was not delivered, and sends it once the host is back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "e2e/support/host_windows.h"
#include "e2e/support/journey.h"
#include "host/host.h"
#include "platform/win32/desktop.h"
#include "platform/win32/text.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

namespace ids = ui::ids;

constexpr char kNoRoom[] = "Not sent: no chat room is open";
constexpr char kNoAnswer[] = "Not sent: the host is not responding";
constexpr char kMayHaveGone[] = "The host stopped answering: the line may have been sent";
constexpr char kImNotTaken[] = "Not sent: the host did not take the instant message";
constexpr char kRefused[] = "The host refused the instant message";
constexpr double kSendTimeout = platform::win32::Win32Desktop::kSendTimeoutMs / 1000.0;
// Room for Wine's process and window bookkeeping on top of the add-on's own bounds.
constexpr double kSlack = 3;

class FaultJourney : public Journey {
 protected:
  void ToInstantMessages(const std::string& recipient) {
    ASSERT_TRUE(addOn().Choose(ids::kImSend));
    TypeInto(addOn().FrameControl(ids::kRecipient), recipient);
  }
  void ToChat() { ASSERT_TRUE(addOn().Choose(ids::kSendToRoom)); }

  // The line typed is in the box still, and the window goes on answering.
  void ExpectKept(const std::string& line) const {
    EXPECT_EQ(addOn().Text(ids::kMessageBox), line) << "the typed line is lost";
    EXPECT_TRUE(Answers()) << "the window does not answer";
  }

  // Send, and the line arrives as one chat line composed from the panel; the box empties.
  void ExpectDelivered(const std::string& line, std::size_t linesPerSend = 1) {
    addOn().Press(ids::kSend);
    ASSERT_TRUE(WaitForNewChats(linesPerSend));
    const std::vector<LogEvent> chats = NewChats();
    ASSERT_EQ(chats.size(), linesPerSend);
    EXPECT_TRUE(SameBytes(chats[linesPerSend / 2].Bytes("text"), Ansi(MessageFromTheWindow(line))));
    EXPECT_TRUE(WaitUntil([&] { return addOn().Text(ids::kMessageBox).empty(); }, 5));
  }
};

TEST_F(FaultJourney, WithoutAHostNothingIsLostAndTheLineGoesOnceTheHostIsThere) {
  // The start-up lines go nowhere; the window opens all the same.
  ASSERT_NO_FATAL_FAILURE(StartAddOn());
  const std::string line = "hello, anyone?";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  addOn().Press(ids::kSend);
  EXPECT_TRUE(WaitForStatus(kNoRoom));
  ExpectKept(line);

  // An instant message learns at once that there is no host, not at the end of a wait.
  ASSERT_NO_FATAL_FAILURE(ToInstantMessages("JunoBee7"));
  const double pressed = Seconds();
  addOn().Press(ids::kSend);
  EXPECT_TRUE(WaitForStatus(kImNotTaken));
  EXPECT_LT(Seconds() - pressed, kSlack);
  ExpectKept(line);

  ASSERT_NO_FATAL_FAILURE(ToChat());
  ASSERT_NO_FATAL_FAILURE(StartHost());
  ASSERT_NO_FATAL_FAILURE(ExpectDelivered(line));
  EXPECT_EQ(addOn().Caption(), "Vontra FX - 3 Colors") << "a delivery leaves no status behind";
}

TEST_F(FaultJourney, AHostThatGoesBetweenTheLinesOfAnAttentionSendEndsTheRun) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Tick(ids::kAttention));
  const std::string line = "this one is lost with the host";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  addOn().Press(ids::kSend);
  ASSERT_TRUE(WaitForNewChats(1)) << "the opening banner";
  host().Kill();
  // Whether the message found the room gone, or the room's process went with the message in
  // its box, the caption says what is known, the line stays, and no closing banner follows.
  ASSERT_TRUE(WaitUntil(
      [&] {
        const std::string caption = addOn().Caption();
        return caption.ends_with(kNoRoom) || caption.ends_with(kNoAnswer) ||
               caption.ends_with(kMayHaveGone);
      },
      kSendTimeout + kSlack));
  ExpectKept(line);
  EXPECT_EQ(NewChats().size(), 1u);

  ASSERT_NO_FATAL_FAILURE(StartHost());
  ASSERT_NO_FATAL_FAILURE(ExpectDelivered(line, 3));
}

TEST_F(FaultJourney, AChatRoomBehindAnotherWindowGetsNothingUntilItIsInFront) {
  ASSERT_NO_FATAL_FAILURE(Start({"--front", "other"}));
  ASSERT_TRUE(addOn().IsTicked(ids::kClearText)) << "Clear Text starts ticked";
  // Longer than an edit box takes by default, so that a cut paste would show here too.
  const std::string line = "is anybody there? " + Prose(30'000);
  ASSERT_NO_FATAL_FAILURE(Type(line));
  addOn().Press(ids::kSend);
  EXPECT_TRUE(WaitForStatus(kNoRoom));
  ExpectKept(line);
  EXPECT_TRUE(host().Events("chat").empty());
  EXPECT_TRUE(host().Events("set-text").empty()) << "something went into a window that is no room";

  BringChatRoomToFront();
  ASSERT_NO_FATAL_FAILURE(ExpectDelivered(line));
}

TEST_F(FaultJourney, AnInstantMessageWindowThatNeverOpensEndsAtTheBound) {
  ASSERT_NO_FATAL_FAILURE(Start({"--never-open", "im"}));
  const std::string line = "for your eyes only";
  ASSERT_NO_FATAL_FAILURE(ToInstantMessages("JunoBee7"));
  ASSERT_NO_FATAL_FAILURE(Type(line));
  const double pressed = Seconds();
  addOn().Press(ids::kSend);
  ASSERT_TRUE(host().WaitForEvents("window-withheld"));
  EXPECT_TRUE(Answers()) << "the window is stuck while it waits";
  ASSERT_TRUE(WaitForStatus(kImNotTaken, host::kHostWaitBound + kSlack));
  EXPECT_GE(Seconds() - pressed, host::kHostWaitBound - 0.5);
  ExpectKept(line);
  EXPECT_TRUE(host().Events("im-sent").empty());

  // The buddy list that opened on the way lies in front of the room now.
  ASSERT_NO_FATAL_FAILURE(ToChat());
  BringChatRoomToFront();
  ASSERT_NO_FATAL_FAILURE(ExpectDelivered(line));
}

TEST_F(FaultJourney, ARefusalNoticeThatComesLateIsStillARefusal) {
  ASSERT_NO_FATAL_FAILURE(Start({"--notice-delay-ms", "3000"}));
  ASSERT_NO_FATAL_FAILURE(ToInstantMessages("Nobody Here"));
  ASSERT_NO_FATAL_FAILURE(Type("are you there?"));
  addOn().Press(ids::kSend);
  ASSERT_TRUE(host().WaitForEvents("im-refused", 1, 20));
  EXPECT_TRUE(Answers()) << "the window is stuck while it waits for the notice";
  ASSERT_TRUE(WaitForStatus(kRefused, 3 + kSlack));
  // The host answered, so the line goes; the notice and the message window are closed.
  EXPECT_TRUE(WaitUntil([&] { return addOn().Text(ids::kMessageBox).empty(); }, 5));
  EXPECT_TRUE(WaitUntil([] { return FindWindowA("#32770", "America Online") == nullptr; }, 5));
  EXPECT_TRUE(WaitUntil(
      [] { return ChildWithCaption(HostDocumentArea(), "Send Instant Message") == nullptr; }, 5));
}

TEST_F(FaultJourney, AHungHostCostsOneSendTimeoutAndTheNextHostGetsTheLine) {
  // Started first, so that the host hangs only once the start-up is over.
  ASSERT_NO_FATAL_FAILURE(StartAddOn());
  ASSERT_NO_FATAL_FAILURE(StartHost({"--hang-after-ms", "200"}));
  ASSERT_TRUE(host().WaitForEvents("hang"));
  const std::string line = "wake up";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  const double pressed = Seconds();
  addOn().Press(ids::kSend);
  ASSERT_TRUE(WaitForStatus(kNoAnswer, kSendTimeout + kSlack));
  EXPECT_LT(Seconds() - pressed, kSendTimeout + kSlack);
  ExpectKept(line);

  ASSERT_NO_FATAL_FAILURE(StartHost());
  ASSERT_NO_FATAL_FAILURE(ExpectDelivered(line));
}

TEST_F(FaultJourney, AHostKilledDuringAnInstantMessageEndsItAtOnce) {
  ASSERT_NO_FATAL_FAILURE(Start({"--open-delay-ms", "3000"}));
  const std::string line = "see you soon";
  ASSERT_NO_FATAL_FAILURE(ToInstantMessages("JunoBee7"));
  ASSERT_NO_FATAL_FAILURE(Type(line));
  addOn().Press(ids::kSend);
  ASSERT_TRUE(host().WaitForEvents("keyword", 1, 20)) << "the buddy list was not asked for";
  host().Kill();
  const double killed = Seconds();
  ASSERT_TRUE(WaitForStatus(kImNotTaken, kSlack));
  EXPECT_LT(Seconds() - killed, kSlack) << "a host that is gone is waited for";
  ExpectKept(line);

  ASSERT_NO_FATAL_FAILURE(StartHost());
  addOn().Press(ids::kSend);
  ASSERT_TRUE(host().WaitForEvents("im-sent", 1, 30));
  EXPECT_TRUE(
      SameBytes(host().Events("im-sent")[0].Bytes("text"), Ansi(MessageFromTheWindow(line))));
  EXPECT_TRUE(WaitUntil([&] { return addOn().Text(ids::kMessageBox).empty(); }, 5));
}

}  // namespace
}  // namespace vfx::e2e

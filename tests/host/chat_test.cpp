#include <gtest/gtest.h>

#include <string>

#include "host/host.h"
#include "tests/support/fake_events.h"
#include "tests/support/fake_host.h"

namespace vfx::host {
namespace {

using namespace vfx::testing;

class ChatTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  FakeEventPump events;
  platform::Platform platform{desktop, events};
};

TEST_F(ChatTest, FindsTheFrontmostDocumentWindowOnlyWhenItIsAChatRoom) {
  FakeHost host(desktop);
  EXPECT_EQ(FindChatRoom(desktop), host.chatRoom);
  host.OpenDocumentInFront();  // a rich-text box but no member list
  EXPECT_EQ(FindChatRoom(desktop), 0u);
}

TEST_F(ChatTest, NoHostMeansNoChatRoomAndNothingSent) {
  EXPECT_EQ(FindChatRoom(desktop), 0u);
  EXPECT_EQ(SendChat(platform, "hello"), ChatOutcome::kNoChatRoom);
  EXPECT_TRUE(desktop.sent.empty());
}

TEST_F(ChatTest, SetsTheInputBoxSixSiblingsAfterTheTranscriptThenPressesEnter) {
  FakeHost host(desktop);
  int processedBeforeEnter = -1;
  desktop.onSend = [&](const SentMessage& message) {
    if (message.message == platform::message::kChar) processedBeforeEnter = events.processCount;
  };
  const std::string line =
      "<B><FONT COLOR=#FF0000>\xC2\xAB"
      "hi";
  EXPECT_EQ(SendChat(platform, line), ChatOutcome::kPosted);

  EXPECT_EQ(desktop.focused, std::vector<WindowHandle>{host.input});
  ASSERT_EQ(desktop.sent.size(), 2u);
  EXPECT_EQ(desktop.sent[0].window, host.input);
  EXPECT_EQ(desktop.sent[0].message, platform::message::kSetText);
  EXPECT_EQ(desktop.sent[0].text, line);
  EXPECT_EQ(desktop.sent[1].window, host.input);
  EXPECT_EQ(desktop.sent[1].message, platform::message::kChar);
  EXPECT_EQ(desktop.sent[1].wParam, 13u);
  EXPECT_EQ(desktop.sent[1].lParam, 0);
  EXPECT_EQ(processedBeforeEnter, 1);  // pending events ran once, between the two
  EXPECT_EQ(host.chatLines, std::vector<std::string>{line});
}

TEST_F(ChatTest, ARoomWithTooFewSiblingsAfterTheTranscriptHasNoInputBox) {
  const WindowHandle frame = desktop.Add(0, "AOL Frame25", "America  Online");
  const WindowHandle documents = desktop.Add(frame, "MDIClient");
  const WindowHandle room = desktop.Add(documents, "AOL Child", "Lobby");
  desktop.Add(room, "_AOL_Listbox");
  desktop.Add(room, "RICHCNTL");
  for (int n = 0; n < 5; ++n) desktop.Add(room, "_AOL_Icon");
  EXPECT_EQ(FindChatRoom(desktop), room);
  EXPECT_EQ(SendChat(platform, "x"), ChatOutcome::kNoChatRoom);
  EXPECT_TRUE(desktop.sent.empty());
}

TEST_F(ChatTest, AHungHostIsReportedAndAnEndingProgramSendsNoEnter) {
  FakeHost host(desktop);
  desktop.Hang(host.input);
  EXPECT_EQ(SendChat(platform, "x"), ChatOutcome::kHostNotResponding);

  // Hung after it took the text: the Enter may have been pressed on its side.
  FakeDesktop desktop1;
  FakeHost host1(desktop1);
  platform::Platform platform1{desktop1, events};
  events.After(0, [&] { desktop1.Hang(host1.input); });
  EXPECT_EQ(SendChat(platform1, "x"), ChatOutcome::kMayHavePosted);

  FakeDesktop desktop2;
  FakeHost host2(desktop2);
  platform::Platform platform2{desktop2, events};
  events.After(0, [&] { events.MarkEnding(); });  // an Exit click handled inside the send
  EXPECT_EQ(SendChat(platform2, "x"), ChatOutcome::kCancelled);
  ASSERT_EQ(desktop2.sent.size(), 1u);
  EXPECT_EQ(desktop2.sent[0].message, platform::message::kSetText);
  EXPECT_TRUE(host2.chatLines.empty());
  EXPECT_EQ(SendChat(platform2, "y"), ChatOutcome::kCancelled);
  EXPECT_EQ(desktop2.sent.size(), 1u);
}

TEST(SignedOnName, IsCutFromTheWelcomeCaption) {
  struct Case {
    std::string caption, name;
  } cases[] = {
      {"Welcome, Bob!", "Bob"},
      {"Welcome, Bob!!", "Bob"},
      {"Welcome, Bo!b!", "Bo"},
      {"Welcome, !", ""},
      {"Welcome, Bob", ""},
      {"Welcome, \xC3\x9F"
       "ob!",
       "\xC3\x9F"
       "ob"},
  };
  for (const Case& c : cases) {
    FakeDesktop desktop;
    FakeHost host(desktop);
    desktop.SetCaption(host.welcome, c.caption);
    EXPECT_EQ(GetSignedOnName(desktop), c.name) << c.caption;
  }
}

TEST(SignedOnName, NeedsTheExactFrameCaption) {
  FakeDesktop absent;
  EXPECT_EQ(GetSignedOnName(absent), "");
  FakeDesktop desktop;
  FakeHost host(desktop, {.frameCaption = "America Online"});
  EXPECT_EQ(GetSignedOnName(desktop), "");
  desktop.SetCaption(host.frame, "AMERICA  ONLINE");  // the platform's search ignores case
  EXPECT_EQ(GetSignedOnName(desktop), "Bob");
}

TEST(SignedOnName, ReadsALongCaptionOnlyUpToItsBuffer) {
  FakeDesktop desktop;
  FakeHost host(desktop);
  desktop.SetCaption(host.welcome, "Welcome, " + std::string(180, 'n') + "!");
  EXPECT_EQ(GetSignedOnName(desktop), std::string(180, 'n'));
  desktop.SetCaption(host.welcome, "Welcome, " + std::string(5000, 'n') + "!");
  EXPECT_EQ(GetSignedOnName(desktop), "");  // the "!" lies past the 199 characters read
}

}  // namespace
}  // namespace vfx::host

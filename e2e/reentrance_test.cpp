// Clicks that arrive while the add-on waits: inside the attention pauses, the Self Test and an
// instant message's waits, and a burst of Sends. Every wait lets the window's events run, so a
// click is handled in the middle of the wait: a Send composes its message there and then, and
// waits its turn behind the delivery under way. The host's log shows the order, and after Exit
// the host hears nothing more.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "composer/compose.h"
#include "e2e/support/host_windows.h"
#include "e2e/support/journey.h"
#include "platform/win32/text.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace vfx::e2e {
namespace {

namespace ids = ui::ids;

std::vector<std::string> Texts(const std::vector<LogEvent>& chats) {
  std::vector<std::string> texts;
  for (const LogEvent& chat : chats) texts.push_back(chat.Bytes("text"));
  return texts;
}

class ReentranceJourney : public Journey {
 protected:
  std::string Banner() const { return Ansi(composer::AttentionBanner()); }
  std::string Message(const std::string& line) const { return Ansi(MessageFromTheWindow(line)); }
  // Sends `line` with the attention banner and returns once the opening banner is out, that is,
  // while the run waits in its first pause.
  void SendWithAttention(const std::string& line) {
    ASSERT_NO_FATAL_FAILURE(Type(line));
    const std::size_t before = NewChats().size();
    addOn().Press(ids::kSend);
    ASSERT_TRUE(WaitForNewChats(before + 1)) << "the opening banner";
  }
  // The chat lines since `from`, once `count` of them are there and nothing more came.
  std::vector<std::string> LinesSince(std::size_t from, std::size_t count) {
    EXPECT_TRUE(WaitForNewChats(from + count)) << "fewer lines than " << count;
    Sleep(700);  // time for a line that should not come
    std::vector<std::string> texts = Texts(NewChats());
    texts.erase(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(from));
    return texts;
  }
  // What the add-on made the host do, leaving out what the host does on its own (a window it
  // was asked for earlier opening late).
  std::vector<LogEvent> Heard() const {
    std::vector<LogEvent> heard = host().Events();
    std::erase_if(heard, [](const LogEvent& event) { return event.kind == "window-open"; });
    return heard;
  }
  // After Exit: the process ends, and nothing reaches the host after its two lines.
  void ExpectExitIsTheLastTheHostHears() {
    ASSERT_TRUE(addOn().WaitForExit(5)) << "the add-on is still running";
    EXPECT_EQ(addOn().ExitCode(), 0u);
    const std::size_t heard = Heard().size();
    Sleep(3500);  // past the host's open delays: a late window must be left alone
    const std::vector<LogEvent> after = Heard();
    ASSERT_EQ(after.size(), heard) << "the host heard " << after.back().kind << " after the end";
  }
};

TEST_F(ReentranceJourney, ASendInsideAnAttentionPauseFollowsTheWholeFirstMessage) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Tick(ids::kAttention));
  ASSERT_NO_FATAL_FAILURE(SendWithAttention("outer"));
  ASSERT_NO_FATAL_FAILURE(Type("inner"));
  addOn().Press(ids::kSend);
  const std::vector<std::string> lines = LinesSince(0, 6);
  EXPECT_EQ(lines, (std::vector{Banner(), Message("outer"), Banner(), Banner(), Message("inner"),
                                Banner()}));
  // The outer run left the box alone, since it held what the user typed next; the inner one
  // emptied its own line.
  EXPECT_EQ(addOn().Text(ids::kMessageBox), "");
}

TEST_F(ReentranceJourney, AdvertiseRandomizeAndViewHtmlInsideAPauseLeaveTheMessageAsComposed) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Tick(ids::kAttention));
  ASSERT_NO_FATAL_FAILURE(Tick(ids::kClearText, false));  // the line stays, for the view
  const std::string line = "composed before the clicks";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  const std::string composed = Message(line);
  const std::string banner = Banner();

  ASSERT_NO_FATAL_FAILURE(SendWithAttention(line));
  addOn().Press(ids::kAdvertise);  // Advertise: its two lines go once the message is out
  addOn().Press(ids::kRandomize);  // Randomize: the panel changes, the message does not
  addOn().Press(ids::kViewHtml);   // View HTML: into Text2, nothing to the host
  const std::vector<std::string> lines = LinesSince(0, 5);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], banner);
  EXPECT_TRUE(SameBytes(lines[1], composed));
  EXPECT_EQ(lines[2], banner);
  for (int i : {3, 4}) {
    EXPECT_NE(lines[i], banner);
    EXPECT_EQ(lines[i].find("composed"), std::string::npos) << "an advertise line expected";
  }
  // The view shows the line in the colours Randomize left.
  EXPECT_TRUE(WaitUntil([&] { return !addOn().Text(ids::kHtmlWriter).empty(); }, 5));
  EXPECT_TRUE(addOn().Text(ids::kHtmlWriter).starts_with(MessageFromTheWindow(line)));
  EXPECT_NE(Ansi(MessageFromTheWindow(line)), composed) << "Randomize changed nothing";
}

TEST_F(ReentranceJourney, ExitInsideAnAttentionPauseIsTheLastTheHostHears) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Tick(ids::kAttention));
  ASSERT_NO_FATAL_FAILURE(SendWithAttention("never sent"));
  addOn().Press(ids::kExit);
  ASSERT_NO_FATAL_FAILURE(ExpectExitIsTheLastTheHostHears());
  const std::vector<std::string> lines = Texts(NewChats());
  ASSERT_EQ(lines.size(), 3u) << "the banner, then Exit's two lines";
  EXPECT_EQ(lines[0], Banner());
  EXPECT_NE(lines[1], Banner());
  EXPECT_NE(lines[2], Banner());
}

TEST_F(ReentranceJourney, ExitWhileAnInstantMessageWaitsLeavesTheHostsWindowsAlone) {
  ASSERT_NO_FATAL_FAILURE(Start({"--open-delay-ms", "2000"}));
  ASSERT_TRUE(addOn().Choose(ids::kImSend));
  TypeInto(addOn().Control(ids::kRecipient), "JunoBee7");
  ASSERT_NO_FATAL_FAILURE(Type("never sent"));
  addOn().Press(ids::kSend);
  // The Keyword button is pressed; its window is two seconds away.
  ASSERT_TRUE(host().WaitForEvents("click"));
  addOn().Press(ids::kExit);
  ASSERT_NO_FATAL_FAILURE(ExpectExitIsTheLastTheHostHears());
  EXPECT_TRUE(host().Events("keyword").empty());
  EXPECT_TRUE(host().Events("im-sent").empty());
  EXPECT_EQ(NewChats().size(), 2u) << "Exit's two lines";
}

TEST_F(ReentranceJourney, ASecondInstantMessageSentWhileTheFirstIsOnItsWayArrivesToo) {
  ASSERT_NO_FATAL_FAILURE(Start({"--open-delay-ms", "1000"}));
  ASSERT_TRUE(addOn().Choose(ids::kImSend));
  TypeInto(addOn().Control(ids::kRecipient), "JunoBee7");
  ASSERT_NO_FATAL_FAILURE(Type("the first"));
  const std::string first = Message("the first");
  addOn().Press(ids::kSend);
  ASSERT_TRUE(host().WaitForEvents("click"));  // the Keyword button: its window is a second away
  ASSERT_NO_FATAL_FAILURE(Type("the second"));
  const std::string second = Message("the second");
  addOn().Press(ids::kSend);
  ASSERT_TRUE(host().WaitForEvents("im-sent", 2, 40)) << "not both arrived";
  Sleep(1000);
  const std::vector<LogEvent> sent = host().Events("im-sent");
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].Bytes("text"), first);
  EXPECT_EQ(sent[1].Bytes("text"), second);
  EXPECT_TRUE(WaitUntil([&] { return addOn().Text(ids::kMessageBox).empty(); }, 5));
  EXPECT_EQ(addOn().Caption(), "Vontra FX - 3 Colors") << "a delivery leaves no status";
}

// Against a slow host (a second for every window it opens, a third of a second to take a text):
// a chat Send with IM Send, View HTML (an instant message then) and two Sends clicked while its
// line is handed over; then lines typed and sent while an instant message is on its way. Each
// message goes once, whole and in click order, composed from the line typed before its click,
// and the add-on answers throughout.
TEST_F(ReentranceJourney, ClicksWhileTheHostIsSlowAreDeliveredOnceEachInClickOrder) {
  ASSERT_NO_FATAL_FAILURE(Start({"--open-delay-ms", "1000", "--set-text-delay-ms", "300"}));
  TypeInto(addOn().Control(ids::kRecipient), "JunoBee7");
  ASSERT_NO_FATAL_FAILURE(Type("first"));
  const std::string first = Message("first");
  for (int id :
       {ids::kSend.id(), ids::kImSend.id(), ids::kViewHtml.id(), ids::kSend.id(), ids::kSend.id()})
    addOn().Press(id);  // posted at once: the others arrive while the host takes the first line
  ASSERT_TRUE(host().WaitForEvents("im-sent", 3, 40)) << "not every instant message arrived";
  EXPECT_TRUE(Answers());
  ASSERT_TRUE(WaitForNewChats(1));
  EXPECT_TRUE(SameBytes(NewChats()[0].Bytes("text"), first));

  ASSERT_NO_FATAL_FAILURE(Type("second"));
  const std::string second = Message("second");
  const std::size_t clicks = host().Events("click").size();
  addOn().Press(ids::kSend);
  ASSERT_TRUE(host().WaitForEvents("click", clicks + 1));  // the instant message is on its way
  ASSERT_NO_FATAL_FAILURE(Type("third"));
  const std::string third = Message("third");
  addOn().Press(ids::kSend);
  ASSERT_NO_FATAL_FAILURE(AwaitClicksHandled());
  ASSERT_NO_FATAL_FAILURE(Type("fourth"));
  const std::string fourth = Message("fourth");
  addOn().Press(ids::kSend);
  EXPECT_EQ(host().Events("im-sent").size(), 3u) << "the second message was not on its way";
  ASSERT_TRUE(host().WaitForEvents("im-sent", 6, 40)) << "not every instant message arrived";
  Sleep(1500);  // time for one that should not come
  std::vector<std::string> texts;
  for (const LogEvent& sent : host().Events("im-sent")) texts.push_back(sent.Bytes("text"));
  EXPECT_EQ(texts, (std::vector{first, first, first, second, third, fourth}));
  EXPECT_EQ(NewChats().size(), 1u);
  EXPECT_TRUE(WaitUntil([&] { return addOn().Text(ids::kMessageBox).empty(); }, 5))
      << "fourth stays typed";
  EXPECT_TRUE(Answers());
}

TEST_F(ReentranceJourney, EveryButtonDuringTheSelfTestThenExitEndsItCleanly) {
  ASSERT_NO_FATAL_FAILURE(Start());
  addOn().Press(ids::kSelfTest);
  ASSERT_TRUE(WaitUntil([&] { return addOn().Caption() == ui::kSelfTestCaptions[1]; }, 10));
  // Send, Advertise, Randomize, View HTML, the four moves and Minimize, then the help box,
  // which holds everything behind it until it is closed.
  for (int n : {1, 3, 5, 9, 7, 13, 8, 12, 2}) addOn().Press(ids::CommandId(n));
  addOn().Press(ids::kHelp);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = addOn().OtherWindow()) != nullptr; }, 10))
      << "the help box did not show";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5)) << "the help box stayed";
  EXPECT_TRUE(Answers());
  addOn().Press(ids::kExit);
  ASSERT_NO_FATAL_FAILURE(ExpectExitIsTheLastTheHostHears());
}

TEST_F(ReentranceJourney, AHundredSendsInARowArriveAsAHundredLines) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Tick(ids::kClearText, false));
  const std::string line = "again and again";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  const HWND send = addOn().Control(ids::kSend);
  for (int i = 0; i < 100; ++i) PostMessageW(send, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitForNewChats(100, 60)) << NewChats().size() << " lines arrived";
  const std::vector<std::string> lines = LinesSince(0, 100);
  EXPECT_EQ(lines, std::vector<std::string>(100, Message(line)));
  EXPECT_EQ(addOn().Text(ids::kMessageBox), line);
  EXPECT_TRUE(Answers());
}

}  // namespace
}  // namespace vfx::e2e

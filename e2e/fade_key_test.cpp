// Fade where you type, through the real vontrafx.exe against the stand-in host, with real key
// events (xdotool) on the host's own windows: a line typed into the chat room's box and faded
// there with Ctrl+Shift+F; the same in an instant message window, which then closes; a host
// that stops answering at the Enter gets the user's own line back in its box; and a line that
// waits behind a slow instant message is posted once however often the key and Enter are
// pressed meanwhile, goes into the add-on's box when its room closes, and back into the host's
// box when the add-on exits.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "e2e/support/host_windows.h"
#include "e2e/support/journey.h"
#include "platform/win32/text.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

class FadeKeyJourney : public Journey {
 protected:
  // A left click at the middle of a host window, as the user's hand would put the caret there;
  // then the keys, to the window that has the focus. Without a window manager the X focus may
  // stay with a window of the add-on, still settling after its start, which the click does not
  // move: the line is typed again then (into an emptied box), as a user would.
  static void ClickAndType(HWND window, const std::string& text) {
    RECT place;
    GetWindowRect(window, &place);
    for (int attempt = 0; attempt < 3; ++attempt) {
      SetText(window, "");
      KeysToTheFocus(
          "search --sync --onlyvisible --name '^America  Online$' windowfocus --sync "
          "mousemove " +
          std::to_string((place.left + place.right) / 2) + " " +
          std::to_string((place.top + place.bottom) / 2) + " click 1 sleep 0.3 type --delay 20 '" +
          text + "'");
      if (WaitUntil([&] { return ControlText(window) == text; }, 3)) return;
    }
  }
  static void PressTheFadeKey() { KeysToTheFocus("key ctrl+shift+f"); }

  // An instant message that waits some seconds for its window (the host opens it late), sent
  // from the add-on's box: the fade key's lines wait behind it.
  void StartASlowInstantMessage() {
    ASSERT_NO_FATAL_FAILURE(Start({"--buddy-list-open", "--open-delay-ms", "5000"}));
    ASSERT_TRUE(addOn().Choose(ui::ids::kImSend));
    TypeInto(addOn().Control(ui::ids::kRecipient), "JunoBee7");
    ASSERT_NO_FATAL_FAILURE(Type("the slow one"));
    addOn().Press(ui::ids::kSend);
  }
  // A line put into the room's box (pasted, as a user may: the typing itself is the first
  // case's) and taken by the key: the box is empty at once.
  void PasteAndTake(HWND input, const std::string& line) {
    // The instant message under way clicked the buddy list, which may now cover the room; a
    // click on the box puts the host in front, where the key looks for the line.
    BringChatRoomToFront();
    RECT place;
    GetWindowRect(input, &place);
    KeysToTheFocus("mousemove " + std::to_string((place.left + place.right) / 2) + " " +
                   std::to_string((place.top + place.bottom) / 2) + " click 1");
    SetText(input, Ansi(line));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(input) == line; }, 5)) << ControlText(input);
    PressTheFadeKey();
    ASSERT_TRUE(WaitUntil([&] { return ControlText(input).empty(); }, 5)) << addOn().Caption();
  }
  // The chat lines the host heard holding `text` after its tags are taken out.
  std::size_t ChatsOf(const std::string& text) const {
    std::size_t count = 0;
    for (const LogEvent& chat : NewChats()) {
      std::string plain;
      bool inTag = false;
      for (char c : chat.Bytes("text")) {
        if (c == '<') inTag = true;
        if (!inTag) plain += c;
        if (c == '>') inTag = false;
      }
      if (plain.find(text) != std::string::npos) ++count;
    }
    return count;
  }
};

TEST_F(FadeKeyJourney, ALineTypedInTheRoomAndInAnInstantMessageIsFadedWhereItWasTyped) {
  ASSERT_NO_FATAL_FAILURE(Start({"--buddy-list-open"}));
  const HWND input = ChatInputBox();
  ASSERT_NE(input, nullptr);
  const std::string line = "faded where I typed it";
  ClickAndType(input, line);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(input) == line; }, 5)) << ControlText(input);
  const std::string expected = Ansi(MessageFromTheWindow(line));
  // xdotool's own start (the shell, timeout(1), the X connection) is measured apart, with a key
  // that goes nowhere, and taken off.
  const double idle = Seconds();
  KeysToTheFocus("key shift");
  const double xdotool = Seconds() - idle;
  const double pressed = Seconds();
  PressTheFadeKey();
  ASSERT_TRUE(WaitForNewChats(1)) << addOn().Caption();
  const double arrived = Seconds();
  EXPECT_TRUE(SameBytes(NewChats().back().Bytes("text"), expected));
  EXPECT_TRUE(WaitUntil([&] { return ControlText(input).empty(); }, 5));
  std::printf(
      "fade key: %.0f ms from starting xdotool to the line in the room; xdotool alone %.0f ms\n",
      1000 * (arrived - pressed), 1000 * xdotool);

  // An instant message window the user opened from the buddy list.
  Click(Hop(ChildOfClass(WaitForDocument("Buddy List Window"), "_AOL_Icon"), 2));
  const HWND window = WaitForDocument("Send Instant Message");
  ASSERT_NE(window, nullptr);
  ClickAndType(ChildOfClass(window, "_AOL_Edit"), "JunoBee7");
  const std::string words = "just for you, in colour";
  ClickAndType(ChildOfClass(window, "RICHCNTL"), words);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(ChildOfClass(window, "RICHCNTL")) == words; }, 5));
  const std::string message = Ansi(MessageFromTheWindow(words));
  PressTheFadeKey();
  ASSERT_TRUE(host().WaitForEvents("im-sent", 1, 20)) << addOn().Caption();
  const LogEvent sent = host().Events("im-sent").back();
  EXPECT_EQ(sent.Field("to"), "JunoBee7");
  EXPECT_TRUE(SameBytes(sent.Bytes("text"), message));
  EXPECT_TRUE(WaitUntil(
      [] { return ChildWithCaption(HostDocumentArea(), "Send Instant Message") == nullptr; }, 5));
}

TEST_F(FadeKeyJourney, AHostThatStopsAnsweringAtTheEnterGetsTheUsersLineBack) {
  // The host takes six seconds over an Enter pressed from outside, past the add-on's bound;
  // started after the add-on, so that the start-up lines do not keep it busy.
  ASSERT_NO_FATAL_FAILURE(StartAddOn());
  ASSERT_NO_FATAL_FAILURE(StartHost({"--enter-delay-ms", "6000"}));
  const HWND input = ChatInputBox();
  const std::string line = "do not lose me";
  ClickAndType(input, line);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(input) == line; }, 5)) << ControlText(input);
  PressTheFadeKey();
  EXPECT_TRUE(WaitForStatus("The host stopped answering: the line may have been sent", 10));
  // Once the host answers again, the box holds the user's own words, not the markup.
  EXPECT_TRUE(WaitUntil([&] { return ControlText(input) == line; }, 15)) << ControlText(input);
  EXPECT_TRUE(Answers());
}

TEST_F(FadeKeyJourney, ALineWaitingBehindASlowSendIsPostedOnceWhateverIsPressedMeanwhile) {
  ASSERT_NO_FATAL_FAILURE(StartASlowInstantMessage());
  const HWND input = ChatInputBox();
  const std::string line = "only once";
  const std::string expected = Ansi(MessageFromTheWindow(line));
  ASSERT_NO_FATAL_FAILURE(PasteAndTake(input, line));
  // A second press 60 ms later, and Enter in the host's box, while the line waits.
  KeysToTheFocus("key ctrl+shift+f sleep 0.06 key ctrl+shift+f");
  PressEnter(input);
  ASSERT_TRUE(host().WaitForEvents("im-sent", 1, 30)) << addOn().Caption();
  ASSERT_TRUE(WaitForNewChats(1)) << addOn().Caption();
  Sleep(1500);  // time for a line that should not come
  ASSERT_EQ(NewChats().size(), 1u);
  EXPECT_TRUE(SameBytes(NewChats()[0].Bytes("text"), expected));
  EXPECT_EQ(ControlText(input), "");
}

TEST_F(FadeKeyJourney, ALineWhoseRoomClosesWhileItWaitsIsInTheAddOnsBox) {
  ASSERT_NO_FATAL_FAILURE(StartASlowInstantMessage());
  const std::string line = "for a room that closes";
  ASSERT_NO_FATAL_FAILURE(PasteAndTake(ChatInputBox(), line));
  PostMessageW(ChatRoomWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(
      WaitForStatus("Not sent: the chat room was closed; the line is in the message box", 30));
  EXPECT_TRUE(addOn().Text(ui::ids::kMessageBox).ends_with(line))
      << addOn().Text(ui::ids::kMessageBox);
  EXPECT_EQ(ChatsOf(line), 0u);
}

TEST_F(FadeKeyJourney, ExitWhileALineWaitsPutsItBackInTheHostsBox) {
  ASSERT_NO_FATAL_FAILURE(StartASlowInstantMessage());
  const HWND input = ChatInputBox();
  const std::string line = "do not take me with you";
  ASSERT_NO_FATAL_FAILURE(PasteAndTake(input, line));
  addOn().Press(ui::ids::kExit);
  ASSERT_TRUE(addOn().WaitForExit(20)) << "the add-on is still running";
  EXPECT_EQ(ControlText(input), line);
  EXPECT_EQ(ChatsOf(line), 0u);
  EXPECT_EQ(NewChats().size(), 2u) << "Exit's two lines";
}

}  // namespace
}  // namespace vfx::e2e

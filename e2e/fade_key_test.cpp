// Fade where you type, through the real vontrafx.exe against the stand-in host, with real key
// events (xdotool) on the host's own windows: a line typed into the chat room's box and faded
// there with Ctrl+Shift+F; the same in an instant message window, which then closes; and a host
// that stops answering at the Enter gets the user's own line back in its box.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "e2e/support/host_windows.h"
#include "e2e/support/journey.h"
#include "platform/win32/text.h"

namespace vfx::e2e {
namespace {

class FadeKeyJourney : public Journey {
 protected:
  // A left click at the middle of a host window, as the user's hand would put the caret there;
  // then the keys, to the window that has the focus.
  static void ClickAndType(HWND window, const std::string& text) {
    RECT place;
    GetWindowRect(window, &place);
    KeysToTheFocus("mousemove " + std::to_string((place.left + place.right) / 2) + " " +
                   std::to_string((place.top + place.bottom) / 2) +
                   " click 1 sleep 0.3 type --delay 20 '" + text + "'");
  }
  static void PressTheFadeKey() { KeysToTheFocus("key ctrl+shift+f"); }
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

}  // namespace
}  // namespace vfx::e2e

// The substitute host seen from another process with raw Win32 calls: the window tree the
// add-on walks, and what the host does with the add-on's messages, asserted on its log.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "e2e/support/case_guard.h"
#include "e2e/support/host_process.h"
#include "e2e/support/host_windows.h"

namespace vfx::e2e {
namespace {

constexpr char kRoom[] = "Town Square - Lobby 17";
// A fade line as the add-on sends it, with announcement characters in code page 1252
// (« • ƒ ß £ ø), which must arrive as these very bytes.
const std::string kFadeLine =
    "<B><FONT COLOR=#FF0000>\xAB<FONT COLOR=#CC0033>\x95<FONT COLOR=#990066>\x83"
    "<FONT COLOR=#660099>\xDF<FONT COLOR=#3300CC>\xA3<FONT COLOR=#0000FF>\xF8";

class SubstituteHost : public GuardedCase {
 protected:
  void Start(std::vector<std::string> options = {}) {
    host_ = std::make_unique<HostProcess>(std::move(options));
    ASSERT_TRUE(host_->ready()) << "the host did not start";
  }

  HWND Room() const { return GetWindow(HostDocumentArea(), GW_CHILD); }
  HWND ChatInput() const { return Hop(ChildOfClass(Room(), "RICHCNTL"), 6); }
  HWND ToolbarButton(int index) const {
    const HWND outer = ChildOfClass(HostFrame(), "AOL Toolbar");
    return Hop(GetWindow(ChildOfClass(outer, "_AOL_Toolbar"), GW_CHILD), index);
  }
  HWND FirstIcon(HWND window) const { return ChildOfClass(window, "_AOL_Icon"); }
  HWND Notice() const { return FindWindowA("#32770", "America Online"); }

  // Opens an instant message window from the open buddy list.
  HWND OpenInstantMessage() {
    const HWND buddyList = WaitForDocument("Buddy List Window");
    Click(Hop(FirstIcon(buddyList), 2));
    return WaitForDocument("Send Instant Message");
  }

  void SendInstantMessage(HWND window, const std::string& to, const std::string& text) {
    SetText(ChildOfClass(window, "_AOL_Edit"), to);
    SetText(ChildOfClass(window, "RICHCNTL"), text);
    Click(Hop(FirstIcon(window), 9));
  }

  std::vector<LogEvent> Clicks(const std::string& button) const {
    std::vector<LogEvent> clicks;
    for (LogEvent& click : host_->Events("click"))
      if (click.Field("button") == button) clicks.push_back(click);
    return clicks;
  }

  std::unique_ptr<HostProcess> host_;
};

TEST_F(SubstituteHost, PresentsTheHostWindowTree) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const HWND frame = HostFrame();
  EXPECT_EQ(CaptionOf(frame), "America  Online");
  const HWND documents = ChildOfClass(frame, "MDIClient");
  ASSERT_NE(documents, nullptr);

  // The chat room is the frontmost document window, with its member list and transcript, and
  // the input box six windows after the transcript.
  const HWND room = GetWindow(documents, GW_CHILD);
  EXPECT_EQ(ClassOf(room), "AOL Child");
  EXPECT_EQ(CaptionOf(room), kRoom);
  const HWND members = ChildOfClass(room, "_AOL_Listbox");
  ASSERT_NE(members, nullptr);
  EXPECT_EQ(SendMessageA(members, LB_GETCOUNT, 0, 0), 6);
  const HWND transcript = ChildOfClass(room, "RICHCNTL");
  ASSERT_NE(transcript, nullptr);
  EXPECT_EQ(ClassOf(Hop(transcript, 6)), "_AOL_Edit");

  const HWND welcome = ChildWithCaption(documents, "Welcome, Zarnok2!");
  ASSERT_NE(welcome, nullptr);
  EXPECT_EQ(ClassOf(welcome), "AOL Child");

  const HWND outer = ChildOfClass(frame, "AOL Toolbar");
  const std::vector<HWND> buttons = Children(ChildOfClass(outer, "_AOL_Toolbar"));
  ASSERT_GE(buttons.size(), 21u);
  for (HWND button : buttons) EXPECT_EQ(ClassOf(button), "_AOL_Icon");
  EXPECT_EQ(CaptionOf(buttons[20]), "Keyword");
}

struct DirectChildren {
  HWND parent;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDirectChild(HWND child, LPARAM data) {
  auto* collected = reinterpret_cast<DirectChildren*>(data);
  if (GetParent(child) == collected->parent) collected->found.push_back(child);
  return TRUE;
}

TEST_F(SubstituteHost, ZOrderIsTheOrderTheSystemEnumeratesChildren) {
  ASSERT_NO_FATAL_FAILURE(Start());
  DirectChildren collected{Room(), {}};
  EnumChildWindows(collected.parent, CollectDirectChild, reinterpret_cast<LPARAM>(&collected));
  EXPECT_EQ(collected.found, Children(Room()));
  std::vector<std::string> classes;
  for (HWND child : Children(Room())) classes.push_back(ClassOf(child));
  EXPECT_EQ(classes,
            (std::vector<std::string>{"RICHCNTL", "_AOL_Static", "_AOL_Listbox", "_AOL_Icon",
                                      "_AOL_Icon", "_AOL_Icon", "_AOL_Edit", "_AOL_Icon"}));
}

TEST_F(SubstituteHost, EnterPostsTheInputBoxByteForByteAndEmptiesIt) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const HWND input = ChatInput();
  SetText(input, kFadeLine);
  PressEnter(input);
  ASSERT_TRUE(host_->WaitForEvents("chat"));
  const LogEvent chat = host_->Events("chat").at(0);
  EXPECT_EQ(ToHex(chat.Bytes("text")), ToHex(kFadeLine));
  EXPECT_EQ(chat.Field("speaker"), "Zarnok2");
  EXPECT_EQ(chat.Field("window"), kRoom);
  EXPECT_EQ(ControlText(input), "");
  const LogEvent setText = host_->Events("set-text").at(0);
  EXPECT_EQ(setText.Field("control"), "_AOL_Edit");
  EXPECT_EQ(ToHex(setText.Bytes("text")), ToHex(kFadeLine));

  // Every byte of the code page that is text survives the box.
  std::string everyByte;
  for (int byte = 0x20; byte <= 0xFF; ++byte) everyByte += static_cast<char>(byte);
  SetText(input, everyByte);
  PressEnter(input);
  ASSERT_TRUE(host_->WaitForEvents("chat", 2));
  EXPECT_EQ(ToHex(host_->Events("chat").at(1).Bytes("text")), ToHex(everyByte));

  // An empty box posts nothing.
  PressEnter(input);
  SetText(input, "<I>still here");
  PressEnter(input);
  ASSERT_TRUE(host_->WaitForEvents("chat", 3));
  EXPECT_EQ(host_->Events("chat").at(2).Bytes("text"), "<I>still here");
}

TEST_F(SubstituteHost, TheTranscriptShowsTheLineWithoutItsTags) {
  ASSERT_NO_FATAL_FAILURE(Start());
  SetText(ChatInput(), "<HTML><B><FONT COLOR=\"#FF0000\">Hi</B> <sub>the</sub><sup>re</sup>");
  PressEnter(ChatInput());
  ASSERT_TRUE(host_->WaitForEvents("chat"));
  const std::string shown = ControlText(ChildOfClass(Room(), "RICHCNTL"));
  EXPECT_NE(shown.find("Zarnok2:\tHi there"), std::string::npos) << shown;
}

TEST_F(SubstituteHost, CommandLineChoosesMemberFrameCaptionAndFrontWindow) {
  ASSERT_NO_FATAL_FAILURE(
      Start({"--member", "Bob Q", "--frame-caption", "America Online", "--front", "other"}));
  EXPECT_EQ(FindWindowA("AOL Frame25", "America  Online"), nullptr);
  EXPECT_NE(FindWindowA("AOL Frame25", "America Online"), nullptr);
  // Another document window lies in front of the chat room.
  EXPECT_EQ(CaptionOf(GetWindow(HostDocumentArea(), GW_CHILD)), "Welcome, Bob Q!");
  EXPECT_NE(ChildWithCaption(HostDocumentArea(), kRoom), nullptr);
  EXPECT_EQ(host_->Events("ready").at(0).Bytes("member"), "Bob Q");
}

TEST_F(SubstituteHost, KeywordButtonOpensTheKeywordWindowAndBuddyViewTheBuddyList) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(ChildWithCaption(HostDocumentArea(), "Buddy List Window"), nullptr);
  Click(ToolbarButton(20));
  const HWND keyword = WaitForDocument("Keyword");
  ASSERT_NE(keyword, nullptr);
  SetText(ChildOfClass(keyword, "_AOL_Edit"), "BuddyView");
  const HWND go = FirstIcon(keyword);
  EXPECT_EQ(CaptionOf(go), "Go");
  Click(go);
  Click(go);
  const HWND buddyList = WaitForDocument("Buddy List Window");
  ASSERT_NE(buddyList, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(keyword); }, 5)) << "the Keyword window stayed";

  const auto keywords = host_->Events("keyword");
  ASSERT_EQ(keywords.size(), 1u);
  EXPECT_EQ(keywords[0].Bytes("text"), "BuddyView");
  EXPECT_EQ(keywords[0].Field("known"), "true");
  const auto keywordClicks = Clicks("Keyword");
  ASSERT_EQ(keywordClicks.size(), 1u);
  EXPECT_EQ(keywordClicks[0].Field("index"), "20");
  EXPECT_EQ(keywordClicks[0].Field("source"), "message");
  EXPECT_EQ(Clicks("Go").size(), 2u);

  // The buddy list's third push button opens the instant message window, whose tenth is Send.
  EXPECT_EQ(CaptionOf(Hop(FirstIcon(buddyList), 2)), "Send IM");
  const HWND message = OpenInstantMessage();
  ASSERT_NE(message, nullptr);
  EXPECT_NE(ChildOfClass(message, "_AOL_Edit"), nullptr);
  EXPECT_NE(ChildOfClass(message, "RICHCNTL"), nullptr);
  EXPECT_EQ(CaptionOf(Hop(FirstIcon(message), 9)), "Send");
}

TEST_F(SubstituteHost, InstantMessageToASignedOnBuddyIsSentAndItsWindowCloses) {
  ASSERT_NO_FATAL_FAILURE(Start({"--buddy-list-open", "--buddies", "Qelvar, Pike Marlow"}));
  const HWND window = OpenInstantMessage();
  ASSERT_NE(window, nullptr);
  SendInstantMessage(window, "pikemarlow", kFadeLine);
  ASSERT_TRUE(host_->WaitForEvents("im-sent"));
  const LogEvent sent = host_->Events("im-sent").at(0);
  EXPECT_EQ(sent.Bytes("to"), "pikemarlow");
  EXPECT_EQ(ToHex(sent.Bytes("text")), ToHex(kFadeLine));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 5));
  EXPECT_EQ(Notice(), nullptr);
  EXPECT_TRUE(host_->Events("im-refused").empty());
}

TEST_F(SubstituteHost, InstantMessageToAStrangerIsRefusedWithAModelessNotice) {
  ASSERT_NO_FATAL_FAILURE(Start({"--buddy-list-open"}));
  const HWND window = OpenInstantMessage();
  ASSERT_NE(window, nullptr);
  SendInstantMessage(window, "Stranger", "hello?");
  ASSERT_TRUE(host_->WaitForEvents("im-refused"));
  HWND notice = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (notice = Notice()) != nullptr; }, 5));
  EXPECT_EQ(GetAncestor(notice, GA_PARENT), GetDesktopWindow()) << "the notice is top-level";
  EXPECT_TRUE(IsWindow(window));

  // The notice is modeless: the host keeps answering its other windows meanwhile.
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer),
            0);
  EXPECT_EQ(answer, std::string("Send Instant Message").size());

  SendMessageA(notice, WM_CLOSE, 0, 0);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notice) && !IsWindow(window); }, 5));
  std::vector<std::string> closed;
  for (const LogEvent& event : host_->Events("window-close"))
    closed.push_back(event.Field("window"));
  EXPECT_EQ(closed, (std::vector<std::string>{"America Online", "Send Instant Message"}));
}

TEST_F(SubstituteHost, WindowsOpenLateOrNeverWhenAsked) {
  ASSERT_NO_FATAL_FAILURE(Start({"--open-delay-ms", "700", "--never-open", "buddylist"}));
  const double clicked = Seconds();
  Click(ToolbarButton(20));
  Sleep(200);
  EXPECT_EQ(ChildWithCaption(HostDocumentArea(), "Keyword"), nullptr);
  const HWND keyword = WaitForDocument("Keyword");
  ASSERT_NE(keyword, nullptr);
  EXPECT_GE(Seconds() - clicked, 0.65);

  SetText(ChildOfClass(keyword, "_AOL_Edit"), "buddyview");
  Click(FirstIcon(keyword));
  ASSERT_TRUE(host_->WaitForEvents("window-withheld"));
  EXPECT_EQ(host_->Events("window-withheld").at(0).Field("window"), "Buddy List Window");
  Sleep(1000);
  EXPECT_EQ(ChildWithCaption(HostDocumentArea(), "Buddy List Window"), nullptr);
}

TEST_F(SubstituteHost, AHungWindowThreadStopsAnswering) {
  ASSERT_NO_FATAL_FAILURE(Start({"--hang-on", "chat"}));
  SetText(ChatInput(), "last words");
  DWORD_PTR answer = 0;
  const double sent = Seconds();
  EXPECT_EQ(SendMessageTimeoutA(ChatInput(), WM_CHAR, 13, 0, SMTO_NORMAL, 1000, &answer), 0);
  EXPECT_LT(Seconds() - sent, 5);
  ASSERT_TRUE(host_->WaitForEvents("hang"));
  EXPECT_EQ(host_->Events("chat").at(0).Bytes("text"), "last words");
  EXPECT_EQ(host_->Events("hang").at(0).Field("reason"), "chat");
}

TEST_F(SubstituteHost, AHostCanHangAfterAWhile) {
  ASSERT_NO_FATAL_FAILURE(Start({"--hang-after-ms", "300"}));
  ASSERT_TRUE(host_->WaitForEvents("hang"));
  DWORD_PTR answer = 0;
  EXPECT_EQ(SendMessageTimeoutA(HostFrame(), WM_NULL, 0, 0, SMTO_NORMAL, 500, &answer), 0);
}

TEST_F(SubstituteHost, ButtonsAnswerRealMouseClicks) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const HWND keywordButton = ToolbarButton(20);
  RECT button;
  GetWindowRect(keywordButton, &button);
  const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  ASSERT_TRUE(WaitUntil([&] { return WindowFromPoint(centre) == keywordButton; }, 5));
  // The display may take a moment to show a new window, and a press before that is lost: a
  // person would press again.
  HWND keyword = nullptr;
  for (int attempt = 0; attempt < 3 && !keyword; ++attempt) {
    SetCursorPos(centre.x, centre.y);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
    keyword = WaitForDocument("Keyword", 3);
  }
  ASSERT_NE(keyword, nullptr);
  const auto clicks = Clicks("Keyword");
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].Field("source"), "mouse");
}

TEST(SubstituteHostCommandLine, RefusesWhatItDoesNotUnderstandWithItsUsage) {
  for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
           {"--bogus"}, {"--open-delay-ms", "-5"}, {"--never-open", "mail"}, {"--member"}}) {
    const auto result = RunHostToEnd(options, 30);
    ASSERT_TRUE(result.has_value()) << options[0] << ": still running";
    EXPECT_EQ(result->exitCode, 2u) << options[0];
    EXPECT_NE(result->standardError.find("usage: substitute-host.exe"), std::string::npos)
        << result->standardError;
  }
  const auto help = RunHostToEnd({"--help"}, 30);
  ASSERT_TRUE(help.has_value());
  EXPECT_EQ(help->exitCode, 0u);
  EXPECT_NE(help->standardError.find("--hang-on"), std::string::npos);
  EXPECT_EQ(HostFrame(), nullptr);
}

}  // namespace
}  // namespace vfx::e2e

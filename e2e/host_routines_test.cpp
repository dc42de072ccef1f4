// The add-on's host routines, over the real Win32 desktop seam and event pump, against
// substitute-host.exe in another process: what the host received is read from its log.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "e2e/support/case_guard.h"
#include "e2e/support/host_process.h"
#include "e2e/support/host_windows.h"
#include "host/host.h"
#include "platform/win32/desktop.h"
#include "platform/win32/event_pump.h"

namespace vfx::e2e {
namespace {

using host::ChatOutcome;
using host::InstantMessageOutcome;

// Announcement characters, as UTF-8 inside the add-on and as code page 1252 bytes at the host.
const std::string kAnnouncementUtf8 =
    "<B><FONT COLOR=#FF0000>\xC2\xAB<FONT COLOR=#CC0033>\xE2\x80\xA2<FONT COLOR=#990066>\xC6\x92"
    "<FONT COLOR=#660099>\xC3\x9F<FONT COLOR=#3300CC>\xC2\xA3<FONT COLOR=#0000FF>\xC3\xB8";
const std::string kAnnouncementAnsi =
    "<B><FONT COLOR=#FF0000>\xAB<FONT COLOR=#CC0033>\x95<FONT COLOR=#990066>\x83"
    "<FONT COLOR=#660099>\xDF<FONT COLOR=#3300CC>\xA3<FONT COLOR=#0000FF>\xF8";

class HostRoutines : public GuardedCase {
 protected:
  void Start(std::vector<std::string> options = {}) {
    host_ = std::make_unique<HostProcess>(std::move(options));
    ASSERT_TRUE(host_->ready()) << "the host did not start";
  }

  platform::WindowHandle Handle(HWND window) const {
    return reinterpret_cast<platform::WindowHandle>(window);
  }

  std::vector<std::string> Fields(std::string_view kind, const std::string& field) const {
    std::vector<std::string> values;
    for (const LogEvent& event : host_->Events(kind)) values.push_back(event.Field(field));
    return values;
  }

  std::size_t ClicksOn(const std::string& button) const {
    std::size_t clicks = 0;
    for (const std::string& clicked : Fields("click", "button")) clicks += clicked == button;
    return clicks;
  }

  platform::win32::Win32Desktop desktop_;
  platform::win32::Win32EventPump pump_;
  platform::Platform platform_{desktop_, pump_};
  std::unique_ptr<HostProcess> host_;
};

TEST_F(HostRoutines, SendChatPostsExactlyTheLineInTheCodePage) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(host::SendChat(platform_, kAnnouncementUtf8), ChatOutcome::kPosted);
  EXPECT_EQ(host::SendChat(platform_, "second <I>line"), ChatOutcome::kPosted);
  ASSERT_TRUE(host_->WaitForEvents("chat", 2));
  const auto chats = host_->Events("chat");
  EXPECT_EQ(ToHex(chats[0].Bytes("text")), ToHex(kAnnouncementAnsi));
  EXPECT_EQ(chats[1].Bytes("text"), "second <I>line");
  // One WM_SETTEXT per line, into the chat input box.
  EXPECT_EQ(Fields("set-text", "control"), (std::vector<std::string>{"_AOL_Edit", "_AOL_Edit"}));
}

TEST_F(HostRoutines, FindChatRoomFindsOnlyTheFrontmostDocumentWindow) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(host::FindChatRoom(desktop_), Handle(GetWindow(HostDocumentArea(), GW_CHILD)));
  EXPECT_NE(host::FindChatRoom(desktop_), 0u);
  host_.reset();

  ASSERT_NO_FATAL_FAILURE(Start({"--front", "other"}));
  EXPECT_EQ(host::FindChatRoom(desktop_), 0u);
  EXPECT_EQ(host::SendChat(platform_, "nobody hears this"), ChatOutcome::kNoChatRoom);
  Sleep(200);
  EXPECT_TRUE(host_->Events("chat").empty());
  EXPECT_TRUE(host_->Events("set-text").empty());
}

TEST_F(HostRoutines, GetSignedOnNameReadsTheWelcomeCaptionOfTheRightFrame) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(host::GetSignedOnName(desktop_), "Zarnok2");
  host_.reset();
  ASSERT_NO_FATAL_FAILURE(Start({"--member", "Bob"}));
  EXPECT_EQ(host::GetSignedOnName(desktop_), "Bob");
  host_.reset();
  ASSERT_NO_FATAL_FAILURE(Start({"--frame-caption", "America Online"}));
  EXPECT_EQ(host::GetSignedOnName(desktop_), "");
  host_.reset();
  EXPECT_EQ(host::GetSignedOnName(desktop_), "") << "no host running";
}

TEST_F(HostRoutines, InstantMessageWithTheBuddyListOpenRunsNoKeyword) {
  ASSERT_NO_FATAL_FAILURE(Start({"--buddy-list-open"}));
  EXPECT_EQ(host::SendInstantMessage(platform_, "JunoBee7", kAnnouncementUtf8),
            InstantMessageOutcome::kSent);
  const auto sent = host_->Events("im-sent");
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].Bytes("to"), "JunoBee7");
  EXPECT_EQ(ToHex(sent[0].Bytes("text")), ToHex(kAnnouncementAnsi));
  EXPECT_TRUE(host_->Events("keyword").empty());
  EXPECT_EQ(ClicksOn("Keyword"), 0u);
  EXPECT_EQ(ClicksOn("Send IM"), 1u);
  EXPECT_EQ(ClicksOn("Send"), 1u);
  // Recipient first, then the message, each in one WM_SETTEXT.
  EXPECT_EQ(Fields("set-text", "control"), (std::vector<std::string>{"_AOL_Edit", "RICHCNTL"}));
  EXPECT_TRUE(WaitUntil([] { return WaitForDocument("Send Instant Message", 0) == nullptr; }, 5));
}

TEST_F(HostRoutines, InstantMessageWithTheBuddyListClosedOpensItThroughTheKeywordWindow) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(host::SendInstantMessage(platform_, "Qelvar", "hi there"),
            InstantMessageOutcome::kSent);
  EXPECT_EQ(ClicksOn("Keyword"), 1u);
  EXPECT_EQ(Fields("click", "index").at(0), "20");
  EXPECT_EQ(ClicksOn("Go"), 2u);
  const auto keywords = host_->Events("keyword");
  ASSERT_EQ(keywords.size(), 1u);
  EXPECT_EQ(keywords[0].Bytes("text"), "BuddyView");
  const auto setTexts = host_->Events("set-text");
  ASSERT_EQ(setTexts.size(), 3u);
  EXPECT_EQ(setTexts[0].Field("window"), "Keyword");
  EXPECT_EQ(setTexts[0].Bytes("text"), "BuddyView");
  EXPECT_EQ(host_->Events("im-sent").at(0).Bytes("text"), "hi there");
}

TEST_F(HostRoutines, InstantMessageToAStrangerClosesTheNoticeThenTheWindow) {
  ASSERT_NO_FATAL_FAILURE(Start({"--buddy-list-open", "--notice-delay-ms", "300"}));
  EXPECT_EQ(host::SendInstantMessage(platform_, "Nobody Here", "are you there?"),
            InstantMessageOutcome::kRefused);
  EXPECT_EQ(host_->Events("im-refused").at(0).Bytes("to"), "Nobody Here");
  ASSERT_TRUE(host_->WaitForEvents("window-close", 2));
  std::vector<std::string> closed;
  for (const LogEvent& event : host_->Events("window-close"))
    closed.push_back(event.Field("window"));
  EXPECT_EQ(closed, (std::vector<std::string>{"America Online", "Send Instant Message"}));
  EXPECT_EQ(FindWindowA("#32770", "America Online"), nullptr);
  EXPECT_TRUE(WaitUntil([] { return WaitForDocument("Send Instant Message", 0) == nullptr; }, 5));
}

TEST_F(HostRoutines, AWindowThatNeverOpensEndsAtTheBound) {
  ASSERT_NO_FATAL_FAILURE(Start({"--buddy-list-open", "--never-open", "im"}));
  const double start = Seconds();
  EXPECT_EQ(host::SendInstantMessage(platform_, "Qelvar", "lost"),
            InstantMessageOutcome::kNoAnswer);
  const double waited = Seconds() - start;
  EXPECT_GE(waited, host::kHostWaitBound - 0.1);
  EXPECT_LT(waited, host::kHostWaitBound + 5);
  EXPECT_TRUE(host_->Events("im-sent").empty());
}

TEST_F(HostRoutines, AHungHostDoesNotHangTheCallerBeyondTheSendTimeout) {
  const double bound = platform::win32::Win32Desktop::kSendTimeoutMs / 1000.0 + 2;
  ASSERT_NO_FATAL_FAILURE(Start({"--hang-on", "chat"}));
  double start = Seconds();
  // It hangs once it has posted the line: the add-on can only say that the line may be out.
  EXPECT_EQ(host::SendChat(platform_, "the last line"), ChatOutcome::kMayHavePosted);
  EXPECT_LT(Seconds() - start, bound);
  EXPECT_EQ(host_->Events("chat").at(0).Bytes("text"), "the last line");

  // Once hung, every further send comes back within the bound too, and captions still read.
  start = Seconds();
  EXPECT_EQ(host::SendChat(platform_, "unheard"), ChatOutcome::kHostNotResponding);
  EXPECT_LT(Seconds() - start, bound);
  start = Seconds();
  EXPECT_EQ(host::GetSignedOnName(desktop_), "Zarnok2");
  EXPECT_LT(Seconds() - start, 1);
}

}  // namespace
}  // namespace vfx::e2e

// The Send run end to end: vontrafx.exe's real main window, driven through its controls from
// this process, and substitute-host.exe's log of what it received.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "composer/compose.h"
#include "e2e/support/addon_process.h"
#include "e2e/support/host_process.h"
#include "e2e/support/host_windows.h"
#include "fade/utf8.h"
#include "platform/win32/text.h"
#include "ui/colour_table.h"
#include "ui/control_ids.h"

namespace vfx::e2e {
namespace {

using platform::win32::ToAnsi;
namespace ids = ui::ids;

// Markup runs to megabytes: a mismatch is reported by its first differing byte, not in full.
::testing::AssertionResult SameBytes(const std::string& received, const std::string& expected) {
  if (received == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < received.size() && at < expected.size() && received[at] == expected[at]) ++at;
  const auto around = [&](const std::string& text) {
    const std::size_t from = at < 40 ? 0 : at - 40;
    return ToHex(text.substr(from, 80));
  };
  return ::testing::AssertionFailure()
         << "sizes " << received.size() << " and " << expected.size() << ", first difference at "
         << at << "\n  received " << around(received) << "\n  expected " << around(expected);
}

class SendJourney : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(HostFrame(), nullptr) << "another substitute host is running";
    ASSERT_EQ(FindWindowA(ids::kMainWindowClass, nullptr), nullptr) << "another add-on is running";
  }

  void Start(std::vector<std::string> hostOptions = {}) {
    host_ = std::make_unique<HostProcess>(std::move(hostOptions));
    ASSERT_TRUE(host_->ready()) << "the host did not start";
    addOn_ = std::make_unique<AddOnProcess>();
    ASSERT_NE(addOn_->window(), nullptr) << "the add-on's main window did not appear";
    // Whatever the add-on announced at start-up is behind us once its window shows.
    chatsBefore_ = host_->Events("chat").size();
  }

  HWND Check(int n) const { return addOn_->Control(ids::CheckId(n)); }
  HWND Command(int n) const { return addOn_->Control(ids::CommandId(n)); }
  HWND Text(int n) const {
    return n == 3 ? addOn_->FrameControl(ids::TextId(3)) : addOn_->Control(ids::TextId(n));
  }

  void Tick(int check) {
    if (IsChecked(Check(check))) return;
    PressButton(Check(check));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(Check(check)); }, 5)) << "Check" << check;
  }
  void Type(const std::string& line) {
    TypeInto(Text(1), line);
    ASSERT_EQ(ControlTextUtf8(Text(1)), line);
  }

  composer::Styles StylesOnTheWindow() const {
    return {.bold = IsChecked(Check(1)),
            .italics = IsChecked(Check(2)),
            .underline = IsChecked(Check(3)),
            .strike = IsChecked(Check(4))};
  }

  // What Send composes from the window as it stands: read it once the run is over.
  std::string MessageFromTheWindow(const std::string& line) const {
    int count = 0;
    for (int k = 1; k <= ui::kColourCount && count == 0; ++k)
      if (IsChecked(addOn_->Control(ids::OptionId(k)))) count = k;
    std::array<fade::Rgb, 10> colours;
    for (int k = 1; k <= ui::kColourCount; ++k) {
      const auto& bar = ui::kColourGroups[k - 1].bar;
      const auto value = [&](ui::Component c) {
        return BarValue(addOn_->Control(ids::HScrollId(bar[c])));
      };
      colours[k - 1] = {value(ui::kRed), value(ui::kGreen), value(ui::kBlue)};
    }
    return composer::StylePrefix(StylesOnTheWindow()) +
           composer::ComposeBody(line, count, colours, IsChecked(Check(5)));
  }

  std::vector<LogEvent> NewChats() const {
    std::vector<LogEvent> chats = host_->Events("chat");
    chats.erase(chats.begin(), chats.begin() + static_cast<std::ptrdiff_t>(chatsBefore_));
    return chats;
  }
  bool WaitForNewChats(std::size_t count, double seconds = 20) const {
    return host_->WaitForEvents("chat", chatsBefore_ + count, seconds);
  }

  std::unique_ptr<HostProcess> host_;
  std::unique_ptr<AddOnProcess> addOn_;
  std::size_t chatsBefore_ = 0;
};

TEST_F(SendJourney, ATypedLineArrivesByteForByteAsComposedWithTheRandomizedColours) {
  ASSERT_NO_FATAL_FAILURE(Start());
  // "&Random" makes the run randomize first; the panel keeps those colours, so what the window
  // shows afterwards is what the line was composed with. "&Bold" and "&Clear Text" start ticked.
  ASSERT_NO_FATAL_FAILURE(Tick(8));
  const std::string line = "H\u00E9llo, w\u00F6rld \u2022 faded";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  PressButton(Command(1));
  ASSERT_TRUE(WaitForNewChats(1));
  ASSERT_TRUE(WaitUntil([&] { return ControlTextUtf8(Text(1)).empty(); }, 5));

  const std::string message = MessageFromTheWindow(line);
  ASSERT_TRUE(message.starts_with("<B><FONT COLOR=#"));
  const auto chats = NewChats();
  ASSERT_EQ(chats.size(), 1u);
  EXPECT_TRUE(SameBytes(chats[0].Bytes("text"), ToAnsi(message)));
}

TEST_F(SendJourney, AttentionArrivesAsBannerMessageBannerAtLeastPointThreeSecondsApart) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Tick(9));
  const std::string line = "look here";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  PressButton(Command(1));
  ASSERT_TRUE(WaitForNewChats(3));

  const std::string banner = ToAnsi(composer::AttentionBanner());
  EXPECT_EQ(banner.size(), 919u);
  const auto chats = NewChats();
  ASSERT_EQ(chats.size(), 3u);
  EXPECT_TRUE(SameBytes(chats[0].Bytes("text"), banner));
  EXPECT_TRUE(SameBytes(chats[1].Bytes("text"), ToAnsi(MessageFromTheWindow(line))));
  EXPECT_TRUE(SameBytes(chats[2].Bytes("text"), banner));
  // The host writes its clock to the millisecond.
  EXPECT_GE(chats[1].time - chats[0].time, 0.3 - 0.0015);
  EXPECT_GE(chats[2].time - chats[1].time, 0.3 - 0.0015);
}

TEST_F(SendJourney, InImModeTheMessageGoesToTheNamedBuddy) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Tick(9));  // no banner in an instant message
  PressButton(addOn_->FrameControl(ids::OptionId(12)));
  ASSERT_TRUE(WaitUntil([&] { return ControlTextUtf8(Command(1)) == "Send to IM"; }, 5));
  TypeInto(Text(3), "JunoBee7");
  const std::string line = "just for you";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  PressButton(Command(1));
  ASSERT_TRUE(host_->WaitForEvents("im-sent", 1, 30));
  ASSERT_TRUE(WaitUntil([&] { return ControlTextUtf8(Text(1)).empty(); }, 5));

  const auto sent = host_->Events("im-sent");
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].Field("to"), "JunoBee7");
  EXPECT_TRUE(SameBytes(sent[0].Bytes("text"), ToAnsi(MessageFromTheWindow(line))));
  EXPECT_TRUE(NewChats().empty());
}

TEST_F(SendJourney, ViewHtmlFillsText2AndSendsNothing) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Tick(9));
  const std::string line = "vi\u00E9w me";
  ASSERT_NO_FATAL_FAILURE(Type(line));
  const std::size_t eventsBefore = host_->Events().size();
  PressButton(Command(9));
  ASSERT_TRUE(WaitUntil([&] { return !ControlTextUtf8(Text(2)).empty(); }, 10));
  Sleep(500);  // time enough for a line (or banner) that should not come

  EXPECT_TRUE(
      SameBytes(ControlTextUtf8(Text(2)),
                MessageFromTheWindow(line) +
                    composer::ClosingText(fade::CharacterCount(line), StylesOnTheWindow())));
  EXPECT_EQ(ControlTextUtf8(Text(1)), line);  // "&Clear Text" leaves the view's line alone
  EXPECT_EQ(host_->Events().size(), eventsBefore);
}

// Not a speed check: the time of one full Send of a 64 KiB line, for the performance record.
TEST_F(SendJourney, ALongLineArrivesWhole) {
  ASSERT_NO_FATAL_FAILURE(Start());
  std::string line;
  const std::string_view pattern = "The quick brown fox jumps over the lazy dog. ";
  while (line.size() < 64 * 1024) line += pattern.substr(0, 64 * 1024 - line.size());
  TypeInto(Text(1), line);
  // The Send takes what the box holds; a box with a length limit holds less than was typed.
  const std::string held = ControlTextUtf8(Text(1));
  ASSERT_TRUE(line.starts_with(held));
  const double pressed = Seconds();
  PressButton(Command(1));
  ASSERT_TRUE(WaitForNewChats(1, 120));
  const double seconds = Seconds() - pressed;

  const auto chats = NewChats();
  ASSERT_EQ(chats.size(), 1u);
  EXPECT_TRUE(SameBytes(chats[0].Bytes("text"), ToAnsi(MessageFromTheWindow(held))));
  std::printf("one Send of a %zu-character line (%zu bytes of markup): %.3f s\n", held.size(),
              chats[0].Bytes("text").size(), seconds);
  RecordProperty("send_seconds", std::to_string(seconds));
  if (held.size() < line.size())
    GTEST_SKIP() << "Text1 took " << held.size() << " of the " << line.size()
                 << " characters typed: the box has a length limit";
}

}  // namespace
}  // namespace vfx::e2e

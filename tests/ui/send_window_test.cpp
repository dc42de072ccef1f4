// What the main window gives the Send run: its controls, read through the tables, and the
// caption for a delivery's trouble.
#include "tests/support/fake_host.h"
#include "tests/ui/window_fixture.h"

namespace vfx::ui {
namespace {

using composer::DeliveryStatus;
using composer::SendOption;
using SendWindowTest = MainWindowTest;

TEST_F(SendWindowTest, BoxesCountAsTickedOnlyAtExactlyOne) {
  const std::pair<SendOption, int> boxes[] = {
      {SendOption::kBold, 1},   {SendOption::kItalics, 2},  {SendOption::kUnderline, 3},
      {SendOption::kStrike, 4}, {SendOption::kWavy, 5},     {SendOption::kClearText, 6},
      {SendOption::kRandom, 8}, {SendOption::kAttention, 9}};
  for (auto [option, n] : boxes) {
    window.Check(n).set_value(1);
    EXPECT_TRUE(window.IsTicked(option)) << n;
    window.Check(n).set_value(2);
    EXPECT_FALSE(window.IsTicked(option)) << n;
    window.Check(n).set_value(0);
    EXPECT_FALSE(window.IsTicked(option)) << n;
  }
}

TEST_F(SendWindowTest, TroubleShowsInTheCaptionUntilTheTimerOrASuccessTakesItDown) {
  window.Option(3).set_value(true);
  window.Command(ids::kMinimize).set_focus();
  window.ShowDeliveryStatus(DeliveryStatus::kNoChatRoom);
  EXPECT_EQ(window.form().caption(), "Vontra FX - 3 Colors - Not sent: no chat room is open");
  EXPECT_TRUE(window.Command(ids::kMinimize).has_focus());
  window.ShowDeliveryStatus(DeliveryStatus::kHostNotResponding);
  EXPECT_EQ(window.form().caption(), "Vontra FX - 3 Colors - Not sent: the host is not responding");
  ASSERT_EQ(backend.timers.size(), 1u);
  window.form().native_timer_elapsed(backend.timers.begin()->first);
  EXPECT_EQ(window.form().caption(), "Vontra FX - 3 Colors");

  window.ShowDeliveryStatus(DeliveryStatus::kRefused);
  window.ShowDeliveryStatus(DeliveryStatus::kDelivered);
  EXPECT_EQ(window.form().caption(), "Vontra FX - 3 Colors");
  EXPECT_TRUE(backend.timers.empty());

  window.ShowDeliveryStatus(DeliveryStatus::kNoChatRoom);
  window.Option(5).set_value(true);  // a new count replaces the caption, status and all
  EXPECT_EQ(window.form().caption(), "Vontra FX - 5 Colors");
  EXPECT_TRUE(backend.timers.empty());
}

TEST_F(SendWindowTest, SendToChatRunsTheComposersSendIntoTheRoom) {
  testing::FakeHost host(desktop);
  window.Form_Load();
  window.Text(ids::kMessageBox).set_text("hi");
  window.Command(ids::kSend).click();
  ASSERT_EQ(host.chatLines.size(), 4u);  // after the three lines of the start-up announcement
  EXPECT_EQ(host.chatLines[3].rfind("<B><FONT COLOR=#", 0), 0u);  // bold is ticked at start
  EXPECT_EQ(window.Text(ids::kMessageBox).text(), "");            // and so is Clear Text
  EXPECT_TRUE(window.Text(ids::kMessageBox).has_focus());
}

TEST_F(SendWindowTest, ClickingTheSelectedSendToRoomAfterTheFramesSendGoesBackToTheRoom) {
  window.Command(ids::kFrameSend)
      .click();  // instant-message mode stays on; "Send to Room " stays selected
  ASSERT_TRUE(window.sendState.ImMode);
  ASSERT_TRUE(window.Option(ids::kSendToRoom).value());
  window.Option(ids::kSendToRoom).click();
  EXPECT_FALSE(window.sendState.ImMode);
  EXPECT_EQ(window.Command(ids::kSend).caption(), "Send to Chat");
}

}  // namespace
}  // namespace vfx::ui

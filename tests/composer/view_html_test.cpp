#include <gtest/gtest.h>

#include <string>

#include "tests/composer/send_rig.h"

namespace vfx::testing {
namespace {

class ViewHtmlTest : public ::testing::Test, public SendRig {};

std::string Closings(int count) {
  std::string closing;
  for (int n = 0; n < count; ++n) closing += "</FONT>";
  return closing;
}

TEST_F(ViewHtmlTest, ShowsTheMessageAndOneFontClosingPerTypedCharacter) {
  window.typedLine = "abc";
  window.htmlView = "an earlier view";
  const std::string message = Message();
  const std::size_t messagesSent = desktop.sent.size();
  run.Command9_Click();
  EXPECT_EQ(window.htmlView, message + Closings(3));
  EXPECT_EQ(desktop.sent.size(), messagesSent);
  EXPECT_FALSE(state.ViewHtml);
  EXPECT_EQ(window.focusCount, 1);
}

TEST_F(ViewHtmlTest, CountsCharactersOfTheTypedLineNotTagsOfTheBody) {
  // Five characters over ten colours: segments 6 to 8 fade pad spaces, so eight colour tags and
  // five closings.
  window.typedLine = "h\u00E9llo";
  window.colourCount = 10;
  run.Command9_Click();
  const std::string& view = window.htmlView;
  std::size_t tags = 0;
  for (auto at = view.find("<FONT COLOR=#"); at != std::string::npos;
       at = view.find("<FONT COLOR=#", at + 1))
    ++tags;
  EXPECT_EQ(tags, 8u);
  EXPECT_EQ(view, Message() + Closings(5));
}

TEST_F(ViewHtmlTest, StyleClosingsFollowInThePrefixOrder) {
  window.ticked = {SendOption::kItalics, SendOption::kBold};
  window.typedLine = "abcd";
  run.Command9_Click();
  EXPECT_TRUE(window.htmlView.starts_with("<B><I><FONT COLOR=#"));
  EXPECT_TRUE(window.htmlView.ends_with(Closings(4) + "</B></I>"));

  window.ticked = {SendOption::kStrike};
  window.typedLine = "";
  run.Command9_Click();
  EXPECT_EQ(window.htmlView, "<S></S>");
}

TEST_F(ViewHtmlTest, KeepsTheTypedLineAndSendsNoBanner) {
  window.ticked = {SendOption::kClearText, SendOption::kAttention};
  run.Command9_Click();
  EXPECT_EQ(window.typedLine, "hello");
  EXPECT_TRUE(ChatLines().empty());
  EXPECT_EQ(window.htmlView.find("ATTENTION"), std::string::npos);
  EXPECT_EQ(window.htmlView.find("Comic Sans MS"), std::string::npos);
  EXPECT_TRUE(window.statuses.empty());
}

TEST_F(ViewHtmlTest, InImModeTheInstantMessageGoesOutAsWell) {
  window.recipient = "Ann";
  state.ImMode = true;
  const std::string message = Message();
  run.Command9_Click();
  ASSERT_EQ(host->instantMessages.size(), 1u);
  EXPECT_EQ(host->instantMessages[0].text, message);
  EXPECT_EQ(window.htmlView, message + Closings(5));
  EXPECT_TRUE(state.ImMode);
  EXPECT_FALSE(state.ViewHtml);
}

TEST_F(ViewHtmlTest, ReadsTheStyleBoxesAgainAfterSend) {
  // A Randomize that unticks Bold (as a handler could) shows that the prefix was read before
  // it and the closing text after Send.
  window.ticked = {SendOption::kBold, SendOption::kRandom};
  window.typedLine = "ab";
  window.onRandomize = [&] { window.ticked.erase(SendOption::kBold); };
  run.Command9_Click();
  EXPECT_TRUE(window.htmlView.starts_with("<B><FONT COLOR=#"));
  EXPECT_TRUE(window.htmlView.ends_with("</FONT></FONT>"));
}

}  // namespace
}  // namespace vfx::testing

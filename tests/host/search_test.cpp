#include <gtest/gtest.h>

#include "host/host.h"
#include "tests/support/fake_desktop.h"

namespace vfx::host {
namespace {

using testing::FakeDesktop;

class SearchTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  WindowHandle parent = desktop.Add(0, "Parent");
};

TEST_F(SearchTest, WindowZeroFindsAndReadsNothing) {
  EXPECT_EQ(FindChildByClass(desktop, 0, "RICHCNTL"), 0u);
  EXPECT_EQ(FindChildByTitle(desktop, 0, "Keyword"), 0u);
  EXPECT_EQ(GetWindowClass(desktop, 0), "");
  EXPECT_EQ(GetWindowCaption(desktop, 0), "");
  ClickWindow(desktop, 0);
  FocusWindow(desktop, 0);
  EXPECT_TRUE(desktop.sent.empty());
  EXPECT_TRUE(desktop.focused.empty());
}

TEST_F(SearchTest, ClassSearchIsACaseInsensitivePrefixTestInZOrder) {
  desktop.Add(parent, "_AOL_Static");
  const WindowHandle first = desktop.Add(parent, "RICHCNTL");
  const WindowHandle second = desktop.Add(parent, "RichCntl2");
  EXPECT_EQ(FindChildByClass(desktop, parent, "RICHCNTL"), first);
  EXPECT_EQ(FindChildByClass(desktop, parent, "richcntl"), first);
  desktop.BringToTop(second);
  EXPECT_EQ(FindChildByClass(desktop, parent, "RICHCNTL"), second);
  EXPECT_EQ(FindChildByClass(desktop, parent, "RICHCNTL2X"), 0u);
}

TEST_F(SearchTest, OnlyDirectChildrenAreSearched) {
  const WindowHandle child = desktop.Add(parent, "Box");
  desktop.Add(child, "RICHCNTL");
  EXPECT_EQ(FindChildByClass(desktop, parent, "RICHCNTL"), 0u);
}

TEST_F(SearchTest, TitleSearchMatchesCaptionBeginnings) {
  desktop.Add(parent, "AOL Child", "Welcome");
  const WindowHandle welcome = desktop.Add(parent, "AOL Child", "Welcome, Bob!");
  const WindowHandle keyword = desktop.Add(parent, "AOL Child", "Keyword: Go");
  EXPECT_EQ(FindChildByTitle(desktop, parent, "Welcome, "), welcome);
  EXPECT_EQ(FindChildByTitle(desktop, parent, "keyword"), keyword);
  EXPECT_EQ(FindChildByTitle(desktop, parent, "Buddy List Window"), 0u);
}

TEST_F(SearchTest, HopsCountSiblingsOfEveryClass) {
  const WindowHandle a = desktop.Add(parent, "A");
  desktop.Add(parent, "B");
  const WindowHandle c = desktop.Add(parent, "C");
  EXPECT_EQ(NextSibling(desktop, a, 0), a);
  EXPECT_EQ(NextSibling(desktop, a, 2), c);
  EXPECT_EQ(NextSibling(desktop, a, 3), 0u);
  EXPECT_EQ(NextSibling(desktop, 0, 1), 0u);
}

TEST_F(SearchTest, ClickIsButtonDownThenUpWithZeroParameters) {
  const WindowHandle button = desktop.Add(parent, "_AOL_Icon");
  ClickWindow(desktop, button);
  ASSERT_EQ(desktop.sent.size(), 2u);
  EXPECT_EQ(desktop.sent[0].message, platform::message::kLeftButtonDown);
  EXPECT_EQ(desktop.sent[1].message, platform::message::kLeftButtonUp);
  for (const auto& message : desktop.sent) {
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_EQ(message.lParam, 0);
  }
}

TEST_F(SearchTest, TopmostPlacementKeepsPositionAndSize) {
  StayOnTop(desktop, parent);
  EXPECT_TRUE(desktop.IsTopmost(parent));
  NotOnTop(desktop, parent);
  EXPECT_FALSE(desktop.IsTopmost(parent));
  ASSERT_EQ(desktop.placements.size(), 2u);
  EXPECT_EQ(desktop.placements[0].second, platform::ZOrder::kTopmost);
  EXPECT_EQ(desktop.placements[1].second, platform::ZOrder::kNotTopmost);
  PlaySoundFile(desktop, "vontrafx.wav");
  EXPECT_EQ(desktop.soundsPlayed, std::vector<std::string>{"vontrafx.wav"});
}

}  // namespace
}  // namespace vfx::host

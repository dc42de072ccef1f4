#include <gtest/gtest.h>

#include <vector>

#include "toolkit/check_box.h"
#include "toolkit/form.h"
#include "toolkit/frame.h"
#include "toolkit/h_scroll_bar.h"
#include "toolkit/option_button.h"
#include "toolkit/text_box.h"

namespace vfx::toolkit {
namespace {

TEST(CheckBoxTest, ClickRunsOnEveryChangeOfTheValueAndOnlyThen) {
  Form form("Form");
  auto& box = form.add<CheckBox>("Check1", 1);
  std::vector<int> seen;
  box.on_click = [&] { seen.push_back(box.value()); };

  box.set_value(0);  // already 0
  box.set_value(1);
  box.set_value(1);
  box.toggle();
  box.toggle();
  box.set_value(2);
  box.toggle();  // grayed goes to unticked
  EXPECT_EQ(seen, (std::vector<int>{1, 0, 1, 2, 0}));
}

TEST(CheckBoxTest, RefusesValuesOutsideZeroToTwoAndTakesDesignValuesSilently) {
  Form form("Form");
  auto& box = form.add<CheckBox>("Check1", 1);
  int clicks = 0;
  box.on_click = [&] { ++clicks; };
  // A mistake of the caller's: a debug build stops at it, a release build changes nothing.
  EXPECT_DEBUG_DEATH(box.set_value(3), "0, 1 or 2");
  EXPECT_EQ(box.value(), 0);
  box.set_value(1, AllowCallback::kNo);
  EXPECT_EQ(box.value(), 1);
  EXPECT_EQ(clicks, 0);
}

TEST(OptionButtonTest, SelectionIsExclusiveWithinItsContainerOnly) {
  Form form("Form");
  auto& a = form.add<OptionButton>("Option1", 1);
  auto& b = form.add<OptionButton>("Option2", 2);
  auto& frame = form.add<Frame>("Frame1", 3);
  auto& c = frame.add<OptionButton>("Option11", 4);
  auto& d = frame.add<OptionButton>("Option12", 5);

  c.set_value(true);
  a.set_value(true);
  EXPECT_TRUE(a.value());
  EXPECT_TRUE(c.value());
  b.set_value(true);
  EXPECT_FALSE(a.value());
  EXPECT_TRUE(b.value());
  EXPECT_TRUE(c.value());
  d.set_value(true);
  EXPECT_FALSE(c.value());
  EXPECT_TRUE(b.value());

  // The arrow keys' groups: the options side by side in each container, each other control
  // alone.
  EXPECT_TRUE(a.starts_group());
  EXPECT_FALSE(b.starts_group());
  EXPECT_TRUE(frame.starts_group());
  EXPECT_TRUE(c.starts_group());
  EXPECT_FALSE(d.starts_group());
}

TEST(AccessibleNameTest, TheCaptionWithoutItsAccessKeyUnlessANameIsGiven) {
  Form form("Form");
  auto& box = form.add<CheckBox>("Check1", 1);
  box.set_caption("&Bold && more");
  EXPECT_EQ(box.accessible_name(), "Bold & more");
  box.set_accessible_name("Bold text");
  EXPECT_EQ(box.accessible_name(), "Bold text");
  EXPECT_EQ(box.caption(), "&Bold && more");
}

TEST(OptionButtonTest, ClickRunsOnSelectionWithTheGroupAlreadyUpdated) {
  Form form("Form");
  auto& a = form.add<OptionButton>("Option1", 1);
  auto& b = form.add<OptionButton>("Option2", 2);
  int aClicks = 0, bClicks = 0;
  a.on_click = [&] { ++aClicks; };
  b.on_click = [&] {
    ++bClicks;
    EXPECT_TRUE(b.value());
    EXPECT_FALSE(a.value());
  };
  a.set_value(true);
  a.set_value(true);   // selected already: nothing
  b.set_value(true);   // clears a without a's handler
  b.set_value(false);  // clearing runs nothing
  EXPECT_EQ(aClicks, 1);
  EXPECT_EQ(bClicks, 1);
  EXPECT_FALSE(b.value());
  b.set_value(true, AllowCallback::kNo);
  EXPECT_EQ(bClicks, 1);
  // The user's click on the selected option runs its handler again; code setting it does not.
  b.click();
  a.click();
  EXPECT_EQ(bClicks, 2);
  EXPECT_EQ(aClicks, 2);
  EXPECT_TRUE(a.value());
  EXPECT_FALSE(b.value());
}

TEST(HScrollBarTest, ChangeRunsOnRealChangesWithTheNewValueInPlace) {
  Form form("Form");
  auto& bar = form.add<HScrollBar>("HScroll1", 1);
  bar.set_range(0, 255);
  std::vector<int> seen;
  bar.on_change = [&] { seen.push_back(bar.value()); };
  bar.set_value(0);
  bar.set_value(255);
  bar.set_value(255);
  bar.set_value(400);  // taken as the nearest end, which it holds already
  bar.set_value(-5);
  bar.set_value(7);
  EXPECT_EQ(seen, (std::vector<int>{255, 0, 7}));
  bar.set_range(0, 5);  // moves the value silently
  EXPECT_EQ(bar.value(), 5);
  EXPECT_EQ(seen.size(), 3u);
}

TEST(TextBoxTest, ChangeAndDoubleClick) {
  Form form("Form");
  auto& text = form.add<TextBox>("Text1", 1);
  int changes = 0, doubleClicks = 0;
  text.on_change = [&] { ++changes; };
  text.on_double_click = [&] { ++doubleClicks; };
  text.set_text("hello");
  text.set_text("hello");
  text.set_text("hello\r\nthere");
  text.double_click();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(text.text(), "hello\r\nthere");
}

TEST(FocusTest, OnlyEnabledVisibleFocusableControlsTakeIt) {
  Form form("Form");
  auto& text = form.add<TextBox>("Text1", 1);
  auto& box = form.add<CheckBox>("Check1", 2);
  auto& frame = form.add<Frame>("Frame1", 3);
  text.set_focus();
  EXPECT_TRUE(text.has_focus());
  frame.set_focus();
  box.set_enabled(false);
  box.set_focus();
  EXPECT_TRUE(text.has_focus());
  box.set_enabled(true);
  box.set_focus();
  EXPECT_TRUE(box.has_focus());
  EXPECT_FALSE(text.has_focus());
}

TEST(ColourValueTest, PacksRedInTheLowByte) {
  struct Rgb {
    int red, green, blue;
  };
  EXPECT_EQ(ColourValue(255, 0, 0), 0x0000FFu);
  EXPECT_EQ(ColourValue(0, 192, 0), 0x00C000u);
  EXPECT_EQ(ColourValue(Rgb{1, 2, 3}), 0x030201u);
}

}  // namespace
}  // namespace vfx::toolkit

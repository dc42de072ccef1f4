#include "toolkit/menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_backend.h"
#include "toolkit/form.h"
#include "toolkit/h_scroll_bar.h"
#include "toolkit/label.h"

namespace vfx::toolkit {
namespace {

using testing::FakeBackend;
using testing::FakeDesktop;

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { form.realize(backend); }

  FakeDesktop desktop;
  FakeBackend backend{desktop};
  Form form{"Form"};
  HScrollBar& bar = form.add<HScrollBar>("HScroll3", 7);
};

TEST_F(MenuTest, TheChosenItemsHandlerRunsOnceAfterTheMenuHasClosedAndCancelRunsNothing) {
  std::vector<std::string> ran;
  Menu menu;
  menu.add_item("&Copy", [&] { ran.push_back("copy"); });
  Menu& presets = *menu.add_submenu("&Presets").submenu();
  presets.add_item("&Sunrise", [&] { ran.push_back("sunrise"); });
  presets.add_item("S&ea", [&] { ran.push_back("sea"); });

  std::vector<std::size_t> ranBeforeClosing;
  backend.whileMenuShown = [&](const testing::ShownMenu&) {
    ranBeforeClosing.push_back(ran.size());
  };
  backend.menuAnswers = {std::vector<std::string>{"Presets", "Sunrise"}, std::nullopt,
                         std::vector<std::string>{"Presets", "Dusk"}};
  for (int k = 0; k < 4; ++k) bar.popup_menu(menu, MenuPlace::At(10, 20));

  EXPECT_EQ(ranBeforeClosing, (std::vector<std::size_t>{0, 1, 1, 1}));
  // Answered, cancelled, an item that is not there, and an empty script: one handler in all.
  EXPECT_EQ(ran, (std::vector<std::string>{"sunrise"}));
  ASSERT_EQ(backend.menus.size(), 4u);
  EXPECT_EQ(backend.menus[0].owner, "HScroll3");
  EXPECT_EQ(backend.menus[0].place, MenuPlace::At(10, 20));
  ASSERT_NE(backend.menus[0].Find({"Presets", "Sea"}), nullptr);
  EXPECT_EQ(backend.menus[0].Find({"Presets", "Sea"})->caption, "S&ea");
}

TEST_F(MenuTest, RadioItemsSideBySideAreOneGroupWithOneMarkAndCheckItemsFlip) {
  std::vector<std::string> ran;
  Menu menu;
  MenuItem& straight = menu.add_radio_item("&Straight", true, [&] { ran.push_back("straight"); });
  MenuItem& even = menu.add_radio_item("&Even Blend", false, [&] { ran.push_back("even"); });
  MenuItem& vivid = menu.add_radio_item("&Vivid Blend", false);
  menu.add_separator();
  MenuItem& other = menu.add_radio_item("&Wide", true);
  MenuItem& preview =
      menu.add_check_item("&Preview Colours", true, [&] { ran.push_back("preview"); });

  backend.menuAnswers = {std::vector<std::string>{"Even Blend"},
                         std::vector<std::string>{"Preview Colours"}};
  bar.popup_menu(menu, MenuPlace::Keyboard());
  // What was shown is what the model held when the menu opened.
  ASSERT_EQ(backend.menus.size(), 1u);
  EXPECT_TRUE(backend.menus[0].place.from_keyboard());
  EXPECT_TRUE(backend.menus[0].Find({"Straight"})->checked);
  EXPECT_FALSE(backend.menus[0].Find({"Even Blend"})->checked);

  EXPECT_FALSE(straight.is_checked());
  EXPECT_TRUE(even.is_checked());
  EXPECT_FALSE(vivid.is_checked());
  EXPECT_TRUE(other.is_checked()) << "another group keeps its mark";

  bar.popup_menu(menu, MenuPlace::Keyboard());
  EXPECT_FALSE(preview.is_checked());
  EXPECT_EQ(ran, (std::vector<std::string>{"even", "preview"}));

  vivid.set_checked(true);
  EXPECT_FALSE(even.is_checked());
}

TEST_F(MenuTest, WhatCannotBeChosenRunsNothing) {
  int runs = 0;
  Menu menu;
  MenuItem& grey = menu.add_check_item("&Undo", false, [&] { ++runs; });
  grey.set_enabled(false);
  MenuItem& sub = menu.add_submenu("&Presets");
  sub.submenu()->add_item("&Sunrise", [&] { ++runs; });
  menu.add_separator();
  Menu elsewhere;
  MenuItem& stranger = elsewhere.add_item("&Stranger", [&] { ++runs; });

  backend.menuAnswers = {std::vector<std::string>{"Undo"}, std::vector<std::string>{"Presets"}};
  bar.popup_menu(menu, MenuPlace::At(0, 0));
  bar.popup_menu(menu, MenuPlace::At(0, 0));
  EXPECT_FALSE(menu.choose(*menu.items()[2]));  // the separator
  EXPECT_FALSE(menu.choose(stranger));
  EXPECT_EQ(runs, 0);
  EXPECT_FALSE(grey.is_checked());
  EXPECT_FALSE(backend.menus[0].Find({"Undo"})->enabled);

  // A disabled submenu's items are out of reach too.
  const MenuItem& sunrise = *menu.find({"Presets", "Sunrise"});
  sub.set_enabled(false);
  EXPECT_FALSE(menu.choose(sunrise));
  sub.set_enabled(true);
  EXPECT_TRUE(menu.choose(sunrise));
  EXPECT_EQ(runs, 1);
}

TEST_F(MenuTest, NoWindowNoMenuAndAFormThatUnloadsWhileItIsOpenRunsNothing) {
  int runs = 0;
  Menu menu;
  menu.add_item("&Copy", [&] { ++runs; });

  Form headless("Headless");
  auto& label = headless.add<Label>("Label1", 1);
  backend.menuAnswers = {std::vector<std::string>{"Copy"}, std::vector<std::string>{"Copy"}};
  label.popup_menu(menu, MenuPlace::At(1, 1));
  headless.popup_menu(menu, MenuPlace::Keyboard());
  EXPECT_TRUE(backend.menus.empty());

  backend.whileMenuShown = [&](const testing::ShownMenu&) { form.unload(); };
  form.popup_menu(menu, MenuPlace::Keyboard());
  ASSERT_EQ(backend.menus.size(), 1u);
  EXPECT_EQ(backend.menus[0].owner, "Form");
  EXPECT_EQ(runs, 0);
}

TEST_F(MenuTest, AContextMenuRequestReachesTheControlsHandlerWhichOpensItsMenu) {
  bar.on_context_menu = [&](const MenuPlace& where) {
    Menu menu;
    menu.add_item("&Copy Colour");
    bar.popup_menu(menu, where);
  };
  EXPECT_TRUE(bar.context_menu(MenuPlace::At(40, 50)));
  EXPECT_FALSE(form.context_menu(MenuPlace::Keyboard())) << "no handler: left to the native side";
  ASSERT_EQ(backend.menus.size(), 1u);
  EXPECT_EQ(backend.menus[0].owner, "HScroll3");
  EXPECT_EQ(backend.menus[0].place, MenuPlace::At(40, 50));
}

TEST(MenuProblemsTest, SameAccessKeyTwiceInOneMenuAndUnreadableCaptionsAreFound) {
  Menu good;
  good.add_item("&Undo");
  good.add_separator();
  good.add_item("Cu&t");
  good.add_item("&Copy");
  good.add_item("Salt && P&epper");  // "&&" is an ampersand, e the key
  good.add_item("Preview Colours");  // no key at all is allowed
  Menu& sub = *good.add_submenu("&Presets").submenu();
  sub.add_item("&Copy");  // another menu: its own keys
  sub.add_item("&Undo");
  EXPECT_EQ(MenuProblems(good), std::vector<std::string>{});

  Menu bad;
  bad.add_item("&Copy");
  bad.add_item("&cut");  // the same key in the other case
  bad.add_item("&");
  bad.add_item("&Ab&d");
  Menu& badSub = *bad.add_submenu("&Presets").submenu();
  badSub.add_item("&\u00e9t\u00e9");
  badSub.add_item("&\u00e9cume");
  const std::vector<std::string> problems = MenuProblems(bad);
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_NE(problems[0].find("\"&cut\" has the access key \"c\" of \"&Copy\""), std::string::npos)
      << problems[0];
  EXPECT_NE(problems[1].find("without a caption"), std::string::npos) << problems[1];
  EXPECT_NE(problems[2].find("more than one"), std::string::npos) << problems[2];
  EXPECT_NE(problems[3].find("Presets > "), std::string::npos) << problems[3];
}

}  // namespace
}  // namespace vfx::toolkit

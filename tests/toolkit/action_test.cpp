// A form's actions: the ids the form hands out, the keys it registers for them, and the menus
// that show them.
#include "toolkit/action.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fake_backend.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"

namespace vfx::toolkit {
namespace {

using testing::FakeBackend;
using testing::FakeDesktop;
using Kind = Action::Kind;
using Path = std::vector<std::string>;

constexpr platform::HotKey kCtrlShiftF{.key = 'F', .control = true, .shift = true};
constexpr platform::HotKey kAltF9{.key = 0x78, .alt = true};

class ActionTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  FakeBackend backend{desktop};
  Form form{"Form"};
  std::vector<std::string> ran;
};

TEST_F(ActionTest, EachActionOfTheFormHasAnIdOfItsOwnAndAGoneActionsIdRunsNothing) {
  auto first =
      std::make_unique<Action>(form, Kind::kCommand, "&First", [&] { ran.push_back("1"); });
  Action second(form, Kind::kCommand, "&Second", [&] { ran.push_back("2"); });
  // Keys set before the window exists are registered with it, as timers are started.
  first->set_global_key(kCtrlShiftF);
  second.set_global_key(kAltF9);
  form.realize(backend);
  EXPECT_NE(first->id(), second.id());
  ASSERT_EQ(backend.hotKeys.size(), 2u);
  EXPECT_EQ(backend.hotKeys.at(first->id()), kCtrlShiftF);
  EXPECT_EQ(backend.hotKeys.at(second.id()), kAltF9);

  const int gone = first->id();
  first.reset();
  EXPECT_FALSE(backend.hotKeys.contains(gone));
  // A press of its key already on its way finds nothing, nor does a newcomer take the id over.
  Action third(form, Kind::kCommand, "&Third", [&] { ran.push_back("3"); });
  third.set_global_key(kCtrlShiftF);
  form.native_hot_key(gone);
  form.native_hot_key(second.id());
  form.native_hot_key(third.id());
  EXPECT_EQ(ran, (std::vector<std::string>{"2", "3"}));
  EXPECT_EQ(Action(Kind::kCommand, "A menu's own").id(), 0);
}

TEST_F(ActionTest, AGlobalKeyIsHeldOnlyWhileItsActionIsEnabledAndItsFormHasAWindow) {
  Action action(form, Kind::kCommand, "&Fade", [&] { ran.push_back("fade"); });
  action.set_enabled(false);
  action.set_global_key(kCtrlShiftF);
  form.realize(backend);
  EXPECT_TRUE(backend.hotKeys.empty()) << "disabled: no key taken from other programs";
  action.set_enabled(true);
  form.native_hot_key(action.id());
  action.set_enabled(false);
  EXPECT_TRUE(backend.hotKeys.empty());
  form.native_hot_key(action.id());  // a press already on its way
  EXPECT_EQ(ran.size(), 1u);

  // Another program holds the new key: the old one is let go all the same, and nothing runs.
  action.set_enabled(true);
  backend.takenHotKeys.insert("Alt+F9");
  action.set_global_key(kAltF9);
  EXPECT_FALSE(action.holds_global_key());
  EXPECT_TRUE(backend.hotKeys.empty());
  form.native_hot_key(action.id());
  EXPECT_EQ(ran.size(), 1u);
  action.set_global_key(kCtrlShiftF);
  EXPECT_EQ(backend.hotKeys.at(action.id()), kCtrlShiftF);

  form.unload();
  EXPECT_FALSE(action.holds_global_key());
  form.native_hot_key(action.id());
  EXPECT_EQ(ran.size(), 1u);
}

TEST_F(ActionTest, MenusShowTheCallersActionsAsTheyAreWhenTheyOpen) {
  form.realize(backend);
  std::deque<Action> copyAs;
  copyAs.emplace_back(form, Kind::kCommand, "&HTML", [&] { ran.push_back("html"); });
  copyAs.emplace_back(form, Kind::kCommand, "&BBCode", [&] { ran.push_back("bbcode"); });
  auto preview = std::make_unique<Action>(form, Kind::kCheck, "&Preview Colours",
                                          [&] { ran.push_back("preview"); });
  Menu menu;
  menu.add_submenu("Copy &As", copyAs);
  menu.add_submenu("&View", {preview.get()});
  copyAs[1].set_enabled(false);

  backend.menuAnswers = {Path{"Copy As", "BBCode"}, Path{"Copy As", "HTML"},
                         Path{"View", "Preview Colours"}};
  for (int k = 0; k < 3; ++k) form.popup_menu(menu, MenuPlace::Keyboard());
  EXPECT_FALSE(backend.menus[0].Find({"Copy As", "BBCode"})->enabled);
  EXPECT_EQ(ran, (std::vector<std::string>{"html", "preview"}));
  EXPECT_TRUE(preview->is_checked());
  // The menu's tick is the action's, wherever it was changed.
  preview->set_checked(false);
  EXPECT_FALSE(menu.find({"View", "Preview Colours"})->is_checked());

  // The same action in the window's system menu too; when it goes, it leaves that menu.
  form.system_menu().add(*preview);
  form.system_menu().add(copyAs[0]);
  preview.reset();
  ASSERT_EQ(form.system_menu().items().size(), 1u);
  EXPECT_EQ(form.system_menu().items()[0]->action(), &copyAs[0]);
}

}  // namespace
}  // namespace vfx::toolkit

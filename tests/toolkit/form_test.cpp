#include "toolkit/form.h"

#include <gtest/gtest.h>

#include "tests/support/fake_backend.h"
#include "toolkit/check_box.h"
#include "toolkit/command_button.h"
#include "toolkit/frame.h"
#include "toolkit/label.h"
#include "toolkit/timer.h"

namespace vfx::toolkit {
namespace {

using testing::FakeBackend;
using testing::FakeDesktop;

TEST(FormTest, OuterSizeIsTheDesignedClientAreaPlusTheWindowSystemsFrame) {
  FakeDesktop desktop;
  FakeBackend backend(desktop);
  Form form("Form");
  form.set_client_size(8040, 2004);
  EXPECT_EQ(form.size(), (Size{8130, 2319}));  // a tool window's frame at 96 dpi

  backend.nonClient = {120, 390};
  form.realize(backend);
  EXPECT_EQ(form.size(), (Size{8160, 2394}));
}

TEST(FormTest, ReadsBackExactlyWhatWasAssigned) {
  FakeDesktop desktop;
  FakeBackend backend(desktop);
  Form form("Form");
  form.set_client_size(8040, 2004);
  form.realize(backend);
  form.set_height(2319 - 25.0f);
  form.set_width(8130.5f);
  EXPECT_EQ(form.height(), 2294.0f);
  EXPECT_EQ(form.width(), 8130.5f);
  ASSERT_GE(backend.formSizes.size(), 2u);
  EXPECT_EQ(backend.formSizes.back(), (Size{8130.5f, 2294}));
}

TEST(FormTest, PeersHearOnlyRealChanges) {
  FakeDesktop desktop;
  FakeBackend backend(desktop);
  Form form("Form");
  auto& box = form.add<CheckBox>("Check1", 1);
  auto& label = form.add<Label>("Label1", 2);
  form.realize(backend);
  backend.events.clear();

  box.set_value(0);
  label.set_caption("");
  label.set_enabled(true);
  label.set_back_colour(label.back_colour());
  EXPECT_TRUE(backend.events.empty());

  box.set_value(1);
  label.set_caption("12");
  label.set_caption("12");
  EXPECT_EQ(backend.CountOf("Check1", Property::kValue), 1);
  EXPECT_EQ(backend.CountOf("Label1", Property::kCaption), 1);
}

TEST(FormTest, ControlsAddedLaterGetPeersAndFrameChildrenComeAfterTheirFrame) {
  FakeDesktop desktop;
  FakeBackend backend(desktop);
  Form form("Form");
  auto& frame = form.add<Frame>("Frame1", 1);
  frame.add<Label>("Label1", 2);
  form.realize(backend);
  auto& late = form.add<CommandButton>("Command1", 3);
  EXPECT_NE(late.native_handle(), platform::kNoWindow);
  ASSERT_NE(frame.children().front()->peer(), nullptr);
  EXPECT_GT(frame.children().front()->native_handle(), frame.native_handle());
}

TEST(FormTest, UnloadRunsItsHandlerOnceThenDestroysTheWindow) {
  FakeDesktop desktop;
  FakeBackend backend(desktop);
  Form form("Form");
  form.realize(backend);
  int unloads = 0;
  form.on_unload = [&] {
    ++unloads;
    EXPECT_EQ(backend.destroyed, 0);  // the handler still sees the window
  };
  form.show();
  EXPECT_TRUE(form.is_visible());
  form.native_close_requested();
  form.unload();
  EXPECT_EQ(unloads, 1);
  EXPECT_EQ(backend.destroyed, 1);
  EXPECT_FALSE(form.is_loaded());
  EXPECT_EQ(form.native_handle(), platform::kNoWindow);
}

TEST(FormTest, DefaultButtonAndMinimize) {
  FakeDesktop desktop;
  FakeBackend backend(desktop);
  Form form("Form");
  auto& a = form.add<CommandButton>("Command1", 1);
  auto& b = form.add<CommandButton>("Command2", 2);
  form.realize(backend);
  form.set_default_button(&a);
  form.set_default_button(&b);
  EXPECT_EQ(form.default_button(), &b);
  EXPECT_EQ(backend.CountOf("Command1", Property::kDefaultButton), 2);  // became, then lost it

  form.set_window_state(Form::WindowState::kMinimized);
  form.set_window_state(Form::WindowState::kMinimized);
  EXPECT_EQ(backend.CountOf("Form", Property::kWindowState), 1);
}

TEST(TimerTest, ElapsesOnceAndOnlyWhileRunning) {
  FakeDesktop desktop;
  FakeBackend backend(desktop);
  Form form("Form");
  Timer timer(form);
  int elapsed = 0;
  timer.on_elapsed = [&] {
    ++elapsed;
    EXPECT_FALSE(timer.is_running());
  };
  timer.start(4);  // before the window exists: started with it
  form.realize(backend);
  EXPECT_EQ(backend.timers.at(timer.id()), 4);
  form.native_timer_elapsed(timer.id());
  form.native_timer_elapsed(timer.id());
  EXPECT_EQ(elapsed, 1);
  EXPECT_TRUE(backend.timers.empty());
  timer.start(1);
  timer.stop();
  timer.elapse();
  EXPECT_EQ(elapsed, 1);
}

}  // namespace
}  // namespace vfx::toolkit

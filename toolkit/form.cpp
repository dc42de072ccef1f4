#include "toolkit/form.h"

#include <algorithm>

#include "toolkit/action.h"
#include "toolkit/command_button.h"
#include "toolkit/control.h"
#include "toolkit/timer.h"

namespace vfx::toolkit {

Form::Form(std::string name) : name_(std::move(name)) {}

Form::~Form() {
  // The controls' peers outlive this one by a moment; their windows go with the form's.
  if (peer_ && loaded_) peer_->Destroy();
}

void Form::set_caption(std::string_view caption) {
  if (caption == caption_) return;
  caption_ = caption;
  changed(Property::kCaption);
}

void Form::set_back_colour(Colour colour) {
  if (colour == backColour_) return;
  backColour_ = colour;
  changed(Property::kColours);
}

Size Form::non_client_size() const {
  if (peer_) return peer_->non_client_size();
  return borderStyle_ == BorderStyle::kNone ? Size{} : kHeadlessNonClient;
}

void Form::set_client_size(float width, float height) {
  clientDesign_ = {width, height};
  const Size frame = non_client_size();
  size_ = {width + frame.width, height + frame.height};
  sizedByCode_ = false;
  changed(Property::kBounds);
}

void Form::set_width(float width) {
  sizedByCode_ = true;
  size_.width = width;
  changed(Property::kBounds);
}

void Form::set_height(float height) {
  sizedByCode_ = true;
  size_.height = height;
  changed(Property::kBounds);
}

void Form::set_window_state(WindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  changed(Property::kWindowState);
}

void Form::set_default_button(CommandButton* button) {
  if (button == defaultButton_) return;
  CommandButton* previous = defaultButton_;
  defaultButton_ = button;
  // Both buttons draw whether they are the default.
  if (previous && previous->peer()) previous->peer()->Changed(Property::kDefaultButton);
  if (button && button->peer()) button->peer()->Changed(Property::kDefaultButton);
  changed(Property::kDefaultButton);
}

void Form::realize(Backend& backend) {
  if (peer_ || !loaded_) return;
  backend_ = &backend;
  peer_ = backend.CreateFormPeer(*this);
  // The design's client area is kept with the real window system's caption and borders.
  if (!sizedByCode_ && clientDesign_.width > 0) {
    const Size frame = peer_->non_client_size();
    size_ = {clientDesign_.width + frame.width, clientDesign_.height + frame.height};
    peer_->Changed(Property::kBounds);
  }
  realize_children(backend);
  if (focused_) peer_->Changed(Property::kFocus);
  for (Timer* timer : timers_)
    if (timer->is_running()) peer_->StartTimer(timer->id(), timer->interval());
  for (Action* action : actions_) action->RegisterKey();
}

platform::WindowHandle Form::native_handle() const {
  return peer_ && loaded_ ? peer_->native_handle() : platform::kNoWindow;
}

void Form::show() {
  if (visible_ || !loaded_) return;
  visible_ = true;
  changed(Property::kVisible);
}

void Form::unload() {
  // The handler may wait, and a close that arrives meanwhile is the same unload.
  if (!loaded_ || unloading_) return;
  unloading_ = true;
  if (on_unload) on_unload();
  for (Action* action : actions_) action->ReleaseKey();
  loaded_ = false;
  visible_ = false;
  backend_ = nullptr;
  if (peer_) peer_->Destroy();
}

int Form::add_action(Action& action) {
  actions_.push_back(&action);
  return nextActionId_++;
}

void Form::remove_action(Action& action) {
  std::erase(actions_, &action);
  systemMenu_.remove(action);
}

void Form::native_hot_key(int id) {
  for (Action* action : actions_)
    if (action->id() == id) {
      if (action->holds_global_key()) action->activate();
      return;
    }
}

bool Form::register_hot_key(int id, const platform::HotKey& key) {
  if (!peer_ || !loaded_ || key.empty()) return false;
  return peer_->RegisterHotKey(id, key);
}

void Form::release_hot_key(int id) {
  if (peer_ && loaded_) peer_->UnregisterHotKey(id);
}

int Form::add_timer(Timer& timer) {
  timers_.push_back(&timer);
  return nextTimerId_++;
}

void Form::remove_timer(Timer& timer) { std::erase(timers_, &timer); }

void Form::native_timer_elapsed(int id) {
  for (Timer* timer : timers_)
    if (timer->id() == id) {
      timer->elapse();
      return;
    }
}

bool Form::context_menu(const MenuPlace& where) {
  if (!on_context_menu) return false;
  const auto handler = on_context_menu;
  handler(where);
  return true;
}

void Form::focus(Control& control) {
  focused_ = &control;
  if (loaded_ && control.peer()) control.peer()->Changed(Property::kFocus);
}

}  // namespace vfx::toolkit

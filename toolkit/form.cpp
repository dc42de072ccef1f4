#include "toolkit/form.h"

#include <algorithm>

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
  if (colour == back_colour_) return;
  back_colour_ = colour;
  changed(Property::kColours);
}

Size Form::non_client_size() const {
  if (peer_) return peer_->non_client_size();
  return border_style_ == BorderStyle::kNone ? Size{} : kHeadlessNonClient;
}

void Form::set_client_size(float width, float height) {
  client_design_ = {width, height};
  const Size frame = non_client_size();
  size_ = {width + frame.width, height + frame.height};
  sized_by_code_ = false;
  changed(Property::kBounds);
}

void Form::set_width(float width) {
  sized_by_code_ = true;
  size_.width = width;
  changed(Property::kBounds);
}

void Form::set_height(float height) {
  sized_by_code_ = true;
  size_.height = height;
  changed(Property::kBounds);
}

void Form::set_window_state(WindowState state) {
  if (state == window_state_) return;
  window_state_ = state;
  changed(Property::kWindowState);
}

void Form::set_default_button(CommandButton* button) {
  if (button == default_button_) return;
  CommandButton* previous = default_button_;
  default_button_ = button;
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
  if (!sized_by_code_ && client_design_.width > 0) {
    const Size frame = peer_->non_client_size();
    size_ = {client_design_.width + frame.width, client_design_.height + frame.height};
    peer_->Changed(Property::kBounds);
  }
  realize_children(backend);
  if (focused_) peer_->Changed(Property::kFocus);
  for (Timer* timer : timers_)
    if (timer->is_running()) peer_->StartTimer(timer->id(), timer->interval());
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
  if (!loaded_) return;
  if (on_unload) on_unload();
  loaded_ = false;
  visible_ = false;
  backend_ = nullptr;
  if (peer_) peer_->Destroy();
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

void Form::focus(Control& control) {
  focused_ = &control;
  if (loaded_ && control.peer()) control.peer()->Changed(Property::kFocus);
}

}  // namespace vfx::toolkit

#include "toolkit/timer.h"

#include "toolkit/form.h"

namespace vfx::toolkit {

Timer::Timer(Form& form) : form_(form), id_(form.add_timer(*this)) {}

Timer::~Timer() {
  stop();
  form_.remove_timer(*this);
}

void Timer::start(double seconds) {
  interval_ = seconds > 0 ? seconds : 0;
  running_ = true;
  if (FormPeer* peer = form_.peer()) peer->StartTimer(id_, interval_);
}

void Timer::stop() {
  if (!running_) return;
  running_ = false;
  if (FormPeer* peer = form_.peer()) peer->StopTimer(id_);
}

void Timer::elapse() {
  if (!running_) return;
  stop();
  if (on_elapsed) on_elapsed();
}

}  // namespace vfx::toolkit

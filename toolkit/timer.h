// A one-shot timer of a form: on_elapsed runs once, on the window thread, when the interval has
// passed and the event loop runs. Without a native window it only keeps its state, and tests
// make it elapse.
#pragma once

#include <functional>

namespace vfx::toolkit {

class Form;

class Timer {
 public:
  explicit Timer(Form& form);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  int id() const { return id_; }
  // Starts again from now when running already.
  void start(double seconds);
  void stop();
  bool is_running() const { return running_; }
  double interval() const { return interval_; }

  std::function<void()> on_elapsed;
  // The interval has passed: stops, then runs on_elapsed.
  void elapse();

 private:
  Form& form_;
  int id_;
  double interval_ = 0;
  bool running_ = false;
};

}  // namespace vfx::toolkit

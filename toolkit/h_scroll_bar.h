#pragma once

#include <functional>

#include "toolkit/control.h"

namespace vfx::toolkit {

class HScrollBar : public Control {
 public:
  HScrollBar(Container& parent, std::string name, int id);

  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  // The value is moved into the new range without running on_change.
  void set_range(int minimum, int maximum);
  int small_change() const { return smallChange_; }
  int large_change() const { return largeChange_; }
  void set_steps(int smallChange, int largeChange);

  int value() const { return value_; }
  // A value outside the range is taken as the nearest end. on_change runs when the value
  // changes, by code or by the user (unless `allow` says not), and not otherwise.
  void set_value(int value, AllowCallback allow = AllowCallback::kYes);

  std::function<void()> on_change;

 private:
  int minimum_ = 0, maximum_ = 32767, smallChange_ = 1, largeChange_ = 1;
  int value_ = 0;
};

}  // namespace vfx::toolkit

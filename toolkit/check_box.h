#pragma once

#include <functional>

#include "toolkit/control.h"

namespace vfx::toolkit {

class CheckBox : public Control {
 public:
  static constexpr int kUnchecked = 0, kChecked = 1, kGrayed = 2;

  CheckBox(Container& parent, std::string name, int id);

  int value() const { return value_; }
  // on_click runs on every change of the value, by code or by the user. A value outside 0..2 is
  // refused and changes nothing.
  void set_value(int value);
  // The user's click: 0 becomes 1, anything else 0.
  void toggle();
  // A design-time value: no handler runs. For building the form before it is loaded.
  void set_initial_value(int value);

  std::function<void()> on_click;

 private:
  int value_ = kUnchecked;
};

}  // namespace vfx::toolkit

#pragma once

#include <functional>

#include "toolkit/control.h"

namespace vfx::toolkit {

class CheckBox : public Control {
 public:
  static constexpr int kUnchecked = 0, kChecked = 1, kGrayed = 2;

  CheckBox(Container& parent, std::string name, int id);

  int value() const { return value_; }
  // on_click runs on every change of the value, by code or by the user, unless `allow` says
  // not (a design-time value, for building the form). A value outside 0..2 is a mistake of the
  // caller's: asserted, and refused without a change.
  void set_value(int value, AllowCallback allow = AllowCallback::kYes);
  // The user's click: 0 becomes 1, anything else 0.
  void toggle();

  std::function<void()> on_click;

 private:
  int value_ = kUnchecked;
};

}  // namespace vfx::toolkit

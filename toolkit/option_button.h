// Option buttons are exclusive among the option buttons of their container.
#pragma once

#include <functional>

#include "toolkit/control.h"

namespace vfx::toolkit {

class OptionButton : public Control {
 public:
  OptionButton(Container& parent, std::string name, int id);

  bool value() const { return value_; }
  // Selecting clears the others of the group, then runs on_click (unless `allow` says not: a
  // design-time selection); selecting the selected one runs nothing. Clearing runs no handler.
  void set_value(bool value, AllowCallback allow = AllowCallback::kYes);
  // The user's click (mouse, access key, an arrow key within the group): selects the option and
  // runs on_click even when it is selected already, for the user asked for it again.
  void click();

  std::function<void()> on_click;

 private:
  void clear_siblings();

  bool value_ = false;
};

}  // namespace vfx::toolkit

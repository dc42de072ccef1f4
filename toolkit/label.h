#pragma once

#include "toolkit/control.h"

namespace vfx::toolkit {

class Label : public Control {
 public:
  Label(Container& parent, std::string name, int id);
  bool accepts_focus() const override { return false; }
};

}  // namespace vfx::toolkit

// A plain rectangle in its back colour.
#pragma once

#include "toolkit/control.h"

namespace vfx::toolkit {

class PictureBox : public Control {
 public:
  PictureBox(Container& parent, std::string name, int id);
  bool accepts_focus() const override { return false; }
};

}  // namespace vfx::toolkit

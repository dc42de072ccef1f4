// A captioned frame that holds its own controls: their positions are relative to the frame, and
// the frame clips them to its area.
#pragma once

#include "toolkit/container.h"
#include "toolkit/control.h"

namespace vfx::toolkit {

class Frame : public Control, public Container {
 public:
  Frame(Container& parent, std::string name, int id);

  bool accepts_focus() const override { return false; }
  Form& form() override { return Control::form(); }
  platform::WindowHandle container_handle() const override { return native_handle(); }
  void realize(Backend& backend) override;
};

}  // namespace vfx::toolkit

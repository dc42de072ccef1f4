// A picture stretched to the control, clickable.
#pragma once

#include <functional>
#include <string>

#include "toolkit/control.h"

namespace vfx::toolkit {

class Image : public Control {
 public:
  Image(Container& parent, std::string name, int id);

  bool accepts_focus() const override { return false; }

  // The name of a picture the native side knows; empty shows nothing.
  const std::string& picture() const { return picture_; }
  void set_picture(std::string picture);

  void click();
  std::function<void()> on_click;

 private:
  std::string picture_;
};

}  // namespace vfx::toolkit

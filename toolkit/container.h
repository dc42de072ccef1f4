// What holds controls: the form, and a frame inside it. A container owns its controls; the order
// in which they are added is their tab order, first added first.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop.h"

namespace vfx::toolkit {

class Backend;
class Control;
class Form;

class Container {
 public:
  Container() = default;
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;
  virtual ~Container();

  template <typename T>
  T& add(std::string name, int id) {
    auto control = std::make_unique<T>(*this, std::move(name), id);
    T& added = *control;
    adopt(std::move(control));
    return added;
  }

  const std::vector<std::unique_ptr<Control>>& children() const { return children_; }

  virtual Form& form() = 0;
  // The native window that the children's peers are created in.
  virtual platform::WindowHandle container_handle() const = 0;

 protected:
  void realize_children(Backend& backend);

 private:
  void adopt(std::unique_ptr<Control> control);

  std::vector<std::unique_ptr<Control>> children_;
};

}  // namespace vfx::toolkit

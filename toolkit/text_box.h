#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "toolkit/control.h"

namespace vfx::toolkit {

class TextBox : public Control {
 public:
  TextBox(Container& parent, std::string name, int id);

  // Line breaks are "\r\n", as the native edit control keeps them.
  const std::string& text() const { return caption(); }
  void set_text(std::string_view text) { set_caption(text); }

  bool is_multi_line() const { return multi_line_; }
  // Takes effect when the peer is created.
  void set_multi_line(bool multi_line) { multi_line_ = multi_line; }

  std::function<void()> on_change;
  std::function<void()> on_double_click;
  void double_click();

 protected:
  void caption_changed() override;

 private:
  bool multi_line_ = false;
};

}  // namespace vfx::toolkit

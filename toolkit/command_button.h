#pragma once

#include <functional>

#include "toolkit/control.h"

namespace vfx::toolkit {

class CommandButton : public Control {
 public:
  enum class Style { kStandard, kGraphical };  // graphical: the back colour is drawn

  CommandButton(Container& parent, std::string name, int id);

  Style style() const { return style_; }
  // Takes effect when the peer is created.
  void set_style(Style style) { style_ = style; }

  // An arrowhead painted as a filled triangle in place of the caption, where no installed face
  // draws one cleanly at the button's size.
  enum class Arrowhead { kNone, kUp, kDown, kLeft, kRight };
  Arrowhead arrowhead() const { return arrowhead_; }
  void set_arrowhead(Arrowhead arrowhead);

  // A press by the user (mouse, keyboard, the form's default button): runs on_click.
  void click();
  std::function<void()> on_click;

 private:
  Style style_ = Style::kStandard;
  Arrowhead arrowhead_ = Arrowhead::kNone;
};

}  // namespace vfx::toolkit

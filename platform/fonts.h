// Which faces the system can draw with: the window asks before it picks its fonts, so that a
// missing face falls back to one that shows the same thing.
#pragma once

#include <string_view>

namespace vfx::platform {

class Fonts {
 public:
  virtual ~Fonts() = default;
  // True when the face is installed and draws every character of the UTF-8 text (a symbol
  // face: when it is installed).
  virtual bool CanDraw(std::string_view face, bool symbol, std::string_view text) = 0;
  // True when the face draws every character of the text at `points` as a solid shape rather
  // than as thin strokes: a stand-in symbol face may draw its arrowheads as faint outlines.
  virtual bool DrawsSolid(std::string_view face, bool symbol, std::string_view text,
                          double points) = 0;
};

}  // namespace vfx::platform

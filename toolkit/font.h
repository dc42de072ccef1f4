#pragma once

#include <string>

namespace vfx::toolkit {

struct Font {
  std::string face;
  double points = 7.8;
  bool bold = false, italic = false, underline = false, strikethrough = false;
  // A symbol font (Wingdings) maps the code points U+0020..U+00FF to its own pictures.
  bool symbol = false;

  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace vfx::toolkit

// The window's faces: Comic Sans MS and the arrowheads of Wingdings where the system has them,
// else the nearest faces it does have.
#pragma once

#include <array>
#include <string>

#include "platform/fonts.h"
#include "toolkit/font.h"
#include "ui/layout.h"

namespace vfx::ui {

inline constexpr double kWindowPoints = 7.8;

// Comic Sans MS 7.8 pt, or another informal face.
toolkit::Font ChooseWindowFont(platform::Fonts& fonts);

struct ArrowGlyphs {
  toolkit::Font font;
  std::array<std::string, 4> glyph;  // by layout::Arrow, kUp .. kRight
  // No installed face draws the four cleanly at the buttons' size: the buttons paint filled
  // triangles, and the glyphs only say what they show.
  bool triangles = false;
  const std::string& of(layout::Arrow arrow) const {
    return glyph[static_cast<int>(arrow) - static_cast<int>(layout::Arrow::kUp)];
  }
};
ArrowGlyphs ChooseArrowGlyphs(platform::Fonts& fonts, const toolkit::Font& windowFont);

}  // namespace vfx::ui

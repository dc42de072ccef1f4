#include "ui/fonts.h"

namespace vfx::ui {
namespace {

constexpr const char* kInformalFaces[] = {"Comic Sans MS", "Comic Neue", "Comic Relief"};
// Where none of them is installed, the system substitutes its own sans serif for this face.
constexpr const char* kLastResortFace = "MS Sans Serif";

struct ArrowChoice {
  const char* face;
  bool symbol;
  std::array<const char*, 4> glyph;  // up, down, left, right
};

// Wingdings draws its arrowheads at 0xD9 (up), 0xDA (down), 0xD7 (left) and 0xD8 (right).
constexpr ArrowChoice kArrowChoices[] = {
    {"Wingdings", true, {"\u00D9", "\u00DA", "\u00D7", "\u00D8"}},
    {"Arial", false, {"\u25B2", "\u25BC", "\u25C4", "\u25BA"}},
    {"DejaVu Sans", false, {"\u25B2", "\u25BC", "\u25C4", "\u25BA"}},
    {"Segoe UI Symbol", false, {"\u25B2", "\u25BC", "\u25C4", "\u25BA"}},
    {"Lucida Sans Unicode", false, {"\u25B2", "\u25BC", "\u25C4", "\u25BA"}},
};

}  // namespace

toolkit::Font ChooseWindowFont(platform::Fonts& fonts) {
  toolkit::Font font{.face = kLastResortFace, .points = kWindowPoints};
  for (const char* face : kInformalFaces) {
    if (fonts.CanDraw(face, false, "Aa")) {
      font.face = face;
      break;
    }
  }
  return font;
}

ArrowGlyphs ChooseArrowGlyphs(platform::Fonts& fonts, const toolkit::Font& windowFont) {
  for (const ArrowChoice& choice : kArrowChoices) {
    std::string all;
    for (const char* glyph : choice.glyph) all += glyph;
    if (!fonts.CanDraw(choice.face, choice.symbol, all) ||
        !fonts.DrawsSolid(choice.face, choice.symbol, all, kWindowPoints))
      continue;
    ArrowGlyphs arrows;
    arrows.font = {.face = choice.face, .points = kWindowPoints, .symbol = choice.symbol};
    for (int i = 0; i < 4; ++i) arrows.glyph[i] = choice.glyph[i];
    return arrows;
  }
  return {.font = windowFont, .glyph = {"\u25B2", "\u25BC", "\u25C4", "\u25BA"}, .triangles = true};
}

}  // namespace vfx::ui

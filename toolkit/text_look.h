// How one character of a text box is drawn, when the box draws its characters in looks of their
// own rather than all in its font and colour.
#pragma once

#include <cstdint>
#include <optional>

#include "toolkit/colour.h"

namespace vfx::toolkit {

struct CharacterLook {
  enum class Script : std::uint8_t { kNormal, kSubscript, kSuperscript };

  std::optional<Colour> colour;  // empty: the box's own text colour
  bool bold = false, italic = false, underline = false, strike = false;
  Script script = Script::kNormal;

  friend bool operator==(const CharacterLook&, const CharacterLook&) = default;
};

}  // namespace vfx::toolkit

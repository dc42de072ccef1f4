// Colours as a person writes them on a command line.
#pragma once

#include <optional>
#include <string_view>

#include "fade/fade.h"

namespace vfx::cli {

// "#RRGGBB", "RRGGBB", "#RGB" (each digit doubled) or a CSS Color 4 name, letter case aside.
std::optional<fade::Rgb> ParseColour(std::string_view text);

inline constexpr std::string_view kColourForms =
    "#RRGGBB, RRGGBB, #RGB or a CSS colour name such as tomato";

}  // namespace vfx::cli

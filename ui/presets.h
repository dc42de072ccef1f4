// The colour schemes that come with the add-on: a good-looking fade in one click. Each names its
// colours (two to ten, colour 1 first) and the blend it was made for.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "fade/fade.h"

namespace vfx::ui {

struct Preset {
  std::string_view caption;  // as the menu shows it, with its access key
  fade::Blend blend;
  std::vector<fade::Rgb> colours;
};

std::span<const Preset> Presets();

}  // namespace vfx::ui

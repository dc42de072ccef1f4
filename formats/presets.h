// The colour sets that come with the add-on and the command: a good-looking fade in one choice.
// Each names its colours (two to ten, the first stop first) and the blend it was made for. The
// add-on's colour menu and `vfx --preset` both read this one table.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "fade/fade.h"

namespace vfx::formats {

struct Preset {
  std::string_view name;  // as the menu shows it; its first letter is the menu's access key
  fade::Blend blend;
  std::vector<fade::Rgb> colours;
};

std::span<const Preset> Presets();

}  // namespace vfx::formats

// Ten colours as the tests' panel holds them: every one distinct, with components that reach
// both ends of their range.
#pragma once

#include <array>

#include "fade/fade.h"

namespace vfx::testing {

inline constexpr std::array<fade::Rgb, 10> kPanelColours = {{{255, 0, 0},
                                                             {0, 255, 0},
                                                             {0, 0, 255},
                                                             {10, 20, 30},
                                                             {200, 100, 50},
                                                             {1, 2, 3},
                                                             {90, 80, 70},
                                                             {33, 66, 99},
                                                             {128, 128, 128},
                                                             {250, 5, 125}}};

}  // namespace vfx::testing

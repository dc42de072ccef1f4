// Colours as the platform's packed colour value, 0x00BBGGRR. A value with the top bit set names a
// system colour by its index instead, so it follows the user's colour scheme.
#pragma once

#include <cstdint>

namespace vfx::toolkit {

using Colour = std::uint32_t;

inline constexpr Colour kSystemColour = 0x80000000u;
inline constexpr Colour kButtonFace = kSystemColour | 15;  // COLOR_BTNFACE
inline constexpr Colour kButtonText = kSystemColour | 18;  // COLOR_BTNTEXT
inline constexpr Colour kWindow = kSystemColour | 5;       // COLOR_WINDOW
inline constexpr Colour kWindowText = kSystemColour | 8;   // COLOR_WINDOWTEXT

constexpr bool IsSystemColour(Colour colour) { return (colour & kSystemColour) != 0; }
constexpr int SystemColourIndex(Colour colour) { return static_cast<int>(colour & 0xFF); }

}  // namespace vfx::toolkit

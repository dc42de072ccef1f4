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

// The packed value of a colour given by its components: red + 256 * green + 65536 * blue.
constexpr Colour ColourValue(int red, int green, int blue) {
  return static_cast<Colour>(red + 256 * green + 65536 * blue);
}
// The same for any colour with red, green and blue members (the fade's Rgb, for one).
template <typename T>
concept Components = requires(const T& colour) {
  colour.red + colour.green + colour.blue;
};
constexpr Colour ColourValue(const Components auto& colour) {
  return ColourValue(colour.red, colour.green, colour.blue);
}

constexpr bool IsSystemColour(Colour colour) { return (colour & kSystemColour) != 0; }
constexpr int SystemColourIndex(Colour colour) { return static_cast<int>(colour & 0xFF); }

}  // namespace vfx::toolkit

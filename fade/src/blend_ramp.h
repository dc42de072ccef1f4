// One segment's colours under the Even and Vivid blends, for BlendColour and the fade writer
// alike: both compute a character's colour with the same operations on the same doubles, so they
// agree to the bit. Each character's colour depends on its position alone. Shared by the blends'
// files alone.
#pragma once

#include <cstddef>
#include <cstdint>

#include "colour_space.h"
#include "fade/fade.h"
#include "lanes.h"

namespace vfx::fade::detail {

// Two characters' colours, each as its tag digits (DigitsOf's word).
struct TwoDigits {
  std::uint64_t first, second;
};

class BlendRamp {
 public:
  // `blend` is kEven or kVivid; a length of 0 counts as 1.
  BlendRamp(const Rgb& start, const Rgb& end, Blend blend, std::size_t length);

  // Character `position`'s colour (from 1; 0 is the start's own point, and from the length on
  // comes the end colour).
  Rgb At(std::size_t position) const;

  // The tag digits (as DigitsOf writes them) of characters `position` and `position` + 1.
  TwoDigits DigitsAt(std::size_t position) const;

 private:
  // The light of characters i and j, before the end colour takes over.
  LinearLanes LightsAt(std::size_t i, std::size_t j) const;
  Linear VividAt(double position) const;

  Blend blend_;
  std::size_t length_;
  Rgb end_;
  std::uint64_t endDigits_;
  // Even: the cone roots along the straight line, start + step * i, in both lanes.
  Lanes rootsStart_[3]{}, rootsStep_[3]{};
  // Vivid: lightness and chroma along straight lines; the hue turns by `turnStep_` a character
  // from a unit vector in the a-b plane, here already taken through the matrix to the cone
  // roots: a point of chroma C and turn (cos, sin) has cone root j at
  // L + C (cos * along_[j] + sin * across_[j]).
  double lightnessStart_ = 0, lightnessStep_ = 0, chromaStart_ = 0, chromaStep_ = 0;
  double turnStep_ = 0;
  double along_[3]{}, across_[3]{};
};

}  // namespace vfx::fade::detail

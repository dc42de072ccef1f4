// One segment's colours under the Even and Vivid blends, for BlendColour and the fade writer
// alike: both compute a character's colour with the same operations on the same doubles (two
// characters at a time), so they agree to the bit. Shared by the blends' files alone.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "fade/colour_space.h"
#include "fade/fade.h"
#include "fade/gamut.h"
#include "fade/lanes.h"

namespace vfx::fade::detail {

// Two characters' colours, each as its tag digits (DigitsOf's word).
struct TwoDigits {
  std::uint64_t first, second;
};

class BlendRamp {
 public:
  // `blend` is kEven or kVivid; a length of 0 counts as 1.
  BlendRamp(const Rgb& start, const Rgb& end, Blend blend, std::size_t length);

  // Character `position`'s colour (from 1; 0 is the start's own point, and past the length
  // comes the end colour). Under Vivid it walks its span up to the character, as Digits does.
  Rgb At(std::size_t position) const;

  // The tag digits (as DigitsOf writes them) of `count` characters from `first` on, for a walk
  // along the segment; `first` is 1 or follows a multiple of kSpan, and `count` at most kSpan.
  void Digits(std::size_t first, std::size_t count, std::uint64_t* out) const;

  // Hue turns come from a coarse turn per block of kBlock characters and a fine one within it,
  // so that a walk along the segment needs one sine and cosine per span.
  static constexpr std::size_t kBlock = 16;
  // Outside sRGB a character's crossing starts from its neighbours' within a span: walked from
  // the span's start, every character's colour is the same whoever asks for it.
  static constexpr std::size_t kSpan = 8 * kBlock;

 private:
  TwoDigits EvenAt(Lanes positions) const;
  // `cosine` and `sine` hold the two characters' turns.
  LinearLanes VividAt(Lanes positions, Lanes cosine, Lanes sine, CrossingTrail& trail) const;
  // The pair where the crossing near the trail's was not proven in both lanes.
  static LinearLanes PartlyNear(const PointLanes& point, const NearCrossings& near,
                                CrossingTrail& trail);
  // The hue's turn after `characters` characters.
  SinCos TurnOf(std::size_t characters) const;

  Blend blend_;
  std::size_t length_;
  std::uint64_t end_;
  // The numbers below stand in both lanes, as the pairs use them.
  // Even: the cone roots along the straight line, start + step * i.
  Lanes rootsStart_[3]{}, rootsStep_[3]{};
  // Vivid: lightness and chroma along straight lines; the hue turns by `turnStep_` a character
  // from a unit vector in the a-b plane, here already taken through the matrix to the cone
  // roots: a point of chroma C and turn (cos, sin) has cone root j at
  // L + C (cos * along_[j] + sin * across_[j]).
  Lanes lightnessStart_{}, lightnessStep_{}, chromaStart_{}, chromaStep_{};
  double turnStep_ = 0;
  Lanes along_[3]{}, across_[3]{};
  // The fine turns of the pairs within a block, 1 and 2, 3 and 4, and so on.
  std::array<Lanes, kBlock / 2> fineCos_{}, fineSin_{};
  // The turn of a whole block.
  SinCos blockStep_{0, 1};
};

}  // namespace vfx::fade::detail

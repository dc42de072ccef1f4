#include "formats/presets.h"

namespace vfx::formats {

// Straight suits colours of one family, whose straight line stays clean; Even keeps a fade
// through white or between far hues from turning grey or brown midway; Vivid keeps the
// saturation of neon and rainbow colours all the way round the hue circle.
std::span<const Preset> Presets() {
  using fade::Blend;
  static const std::vector<Preset> kPresets = {
      {"Autumn Ember", Blend::kStraight, {{92, 20, 8}, {214, 88, 16}, {255, 196, 64}}},
      {"Blue Hour", Blend::kEven, {{8, 16, 64}, {40, 72, 168}, {150, 190, 255}}},
      {"Citrus Pop", Blend::kVivid, {{255, 214, 0}, {140, 220, 40}, {255, 140, 0}, {255, 60, 90}}},
      {"Deep Sea", Blend::kEven, {{0, 20, 40}, {0, 90, 120}, {40, 200, 190}}},
      {"Forest Floor", Blend::kStraight, {{30, 50, 20}, {90, 120, 40}, {200, 180, 100}}},
      {"Glacier", Blend::kEven, {{255, 255, 255}, {0, 140, 255}}},
      {"Hot Coals", Blend::kStraight, {{20, 0, 0}, {150, 0, 0}, {255, 80, 0}, {255, 220, 120}}},
      {"Jelly Jar",
       Blend::kStraight,
       {{230, 30, 60},
        {255, 120, 0},
        {255, 210, 0},
        {120, 210, 0},
        {0, 170, 90},
        {0, 190, 200},
        {0, 110, 230},
        {90, 60, 220},
        {180, 40, 200},
        {240, 60, 150}}},
      {"Kingfisher", Blend::kVivid, {{0, 80, 160}, {0, 200, 210}, {255, 120, 20}}},
      {"Lilac Mist", Blend::kEven, {{90, 50, 140}, {190, 150, 230}, {255, 230, 250}}},
      {"Neon Sign", Blend::kVivid, {{255, 0, 160}, {160, 0, 255}, {0, 160, 255}, {0, 255, 140}}},
      {"Prism",
       Blend::kVivid,
       {{255, 0, 0},
        {255, 128, 0},
        {255, 230, 0},
        {0, 200, 60},
        {0, 110, 255},
        {75, 0, 200},
        {180, 0, 255}}},
  };
  return kPresets;
}

}  // namespace vfx::formats

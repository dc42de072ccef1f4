// The colour-to-control table as the design gives it, written out: the oracle of the panel's
// tests, never the product's own table.
#pragma once

#include <array>

namespace vfx::ui {

struct ColourRow {
  int option, swatch;
  std::array<int, 3> bar, label;  // red, green, blue
};

// Colour k is kColourRows[k - 1].
inline constexpr ColourRow kColourRows[] = {
    {1, 1, {3, 2, 1}, {1, 2, 3}},        {2, 2, {6, 5, 4}, {4, 5, 6}},
    {3, 9, {7, 8, 9}, {7, 8, 9}},        {4, 10, {10, 11, 12}, {10, 11, 12}},
    {5, 11, {13, 14, 15}, {13, 14, 15}}, {6, 6, {16, 17, 18}, {16, 17, 18}},
    {7, 7, {19, 20, 21}, {19, 20, 21}},  {8, 8, {22, 23, 24}, {22, 23, 24}},
    {9, 12, {25, 26, 27}, {25, 26, 27}}, {10, 13, {28, 29, 30}, {28, 29, 30}},
};
inline constexpr std::array<int, 10> kSwatchNumbers = {1, 2, 6, 7, 8, 9, 10, 11, 12, 13};

}  // namespace vfx::ui

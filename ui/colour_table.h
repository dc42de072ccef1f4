// Which controls serve which colour. Every reader and writer of a colour goes through this table,
// never through the control numbering: in colours 1 and 2 the bars are numbered blue, green,
// red, in colours 3 to 10 red, green, blue.
#pragma once

#include <array>

namespace vfx::ui {

enum Component { kRed = 0, kGreen = 1, kBlue = 2 };

struct ColourGroup {
  int option;                // Option<n>
  int swatch;                // Picture<n>
  std::array<int, 3> bar;    // HScroll<n> by component
  std::array<int, 3> label;  // Label<n> by component
};

inline constexpr int kColourCount = 10;

// Colour k is kColourGroups[k - 1].
inline constexpr std::array<ColourGroup, kColourCount> kColourGroups = {{
    {1, 1, {3, 2, 1}, {1, 2, 3}},
    {2, 2, {6, 5, 4}, {4, 5, 6}},
    {3, 9, {7, 8, 9}, {7, 8, 9}},
    {4, 10, {10, 11, 12}, {10, 11, 12}},
    {5, 11, {13, 14, 15}, {13, 14, 15}},
    {6, 6, {16, 17, 18}, {16, 17, 18}},
    {7, 7, {19, 20, 21}, {19, 20, 21}},
    {8, 8, {22, 23, 24}, {22, 23, 24}},
    {9, 12, {25, 26, 27}, {25, 26, 27}},
    {10, 13, {28, 29, 30}, {28, 29, 30}},
}};

// Where bar n sits in the table.
struct BarPlace {
  int colour;  // 1 to 10
  Component component;
};
constexpr BarPlace FindBar(int bar) {
  for (int k = 1; k <= kColourCount; ++k)
    for (int c = kRed; c <= kBlue; ++c)
      if (kColourGroups[k - 1].bar[c] == bar) return {k, static_cast<Component>(c)};
  return {0, kRed};
}

// A colour's components in the order of their bars' numbers, lowest first.
constexpr std::array<Component, 3> ComponentsInBarOrder(int colour) {
  const auto& bars = kColourGroups[colour - 1].bar;
  std::array<Component, 3> order{kRed, kGreen, kBlue};
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 3; ++j)
      if (bars[order[j]] < bars[order[i]]) {
        const Component swap = order[i];
        order[i] = order[j];
        order[j] = swap;
      }
  return order;
}

}  // namespace vfx::ui

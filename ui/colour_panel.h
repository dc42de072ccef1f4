// The colour panel of the main window: ten colour-count options and, for each colour, its
// swatch, bars, marker squares and value labels, built by the panel's rule and read and written
// only through the colour-to-control table. Randomize walks its bars.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fade/fade.h"
#include "toolkit/font.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"
#include "ui/colour_table.h"
#include "ui/control_registry.h"

namespace vfx::ui {

// Draws colour components for Randomize: the fade engine's, unless a benchmark or test wants
// fixed draws.
struct RandomSource {
  std::function<int()> component = fade::RandomComponent;
  std::function<void()> reseed = fade::ReseedFromTimeOfDay;
};

class ColourPanel {
 public:
  struct Hooks {
    std::function<void(std::string)> showCount;  // "1 Color", "2 Colors", ...
    std::function<void()> changed;               // anything the composed message reads has changed
    // The user asked for the panel's menu over one of its controls (any of them, from the
    // right button, Shift+F10 or the Menu key).
    std::function<void(toolkit::Control&, const toolkit::MenuPlace&)> contextMenu;
  };

  ColourPanel(ControlRegistry& controls, RandomSource& random, Hooks hooks)
      : controls_(controls), random_(random), hooks_(std::move(hooks)) {}

  void Build(toolkit::Form& form, const toolkit::Font& bold);

  // Colour k (1 to 10) as its three bars hold it.
  fade::Rgb Colour(int k) const;
  // The number of the selected colour-count option, colour 1's tested first; 0 when none is.
  int SelectedCount() const;
  toolkit::OptionButton& CountOption(int k) const {
    return controls_.Option(kColourGroups.at(k - 1).option);
  }
  // Colour 1's swatch in colour 1, every other swatch in colour 2.
  void PaintSwatchesFromTheFirstTwo();

  // Colour k's three bars set by code, each running its change handler when its value changes.
  void SetColour(int k, fade::Rgb colour);
  // The count of `colours` chosen as a click on its option would (1 to 10; more are left out),
  // then colours 1 .. count set.
  void Apply(const std::vector<fade::Rgb>& colours);
  // Colour k and colour count + 1 - k change places, for every k of the count selected.
  void Reverse();

  void HScroll_Change(int n);
  void Option_Click(int n);
  void DisableColors();
  void Enable(int n);
  void Randomize();

 private:
  void OffersMenu(toolkit::Control& control);

  ControlRegistry& controls_;
  RandomSource& random_;
  Hooks hooks_;
};

}  // namespace vfx::ui

// The main window as designed: the controls outside the colour panel as one table, and the
// colour panel by its rule. Positions are twips in the client area (in Frame1 for its controls).
#pragma once

#include <array>
#include <optional>
#include <span>

#include "composer/send_window.h"
#include "composer/styles.h"
#include "toolkit/colour.h"
#include "toolkit/control.h"
#include "toolkit/geometry.h"

namespace vfx::ui {
class ZiruZezuzo;
}

namespace vfx::ui::layout {

using toolkit::Bounds;
using toolkit::Colour;
using Kind = toolkit::Control::Kind;

inline constexpr float kClientWidth = 8040, kClientHeight = 2004;
inline constexpr Colour kWindowGrey = 0x00C0C0C0;
inline constexpr Colour kLightGrey = 0x00E0E0E0;
inline constexpr Colour kBlack = 0x00000000;
inline constexpr Colour kKindDefault = 0xFFFFFFFF;  // whatever the kind has by default

// The window's font, in bold, or the arrows' symbol face; a style box's caption is drawn in its
// own style (its row of the style table).
enum class Face { kWindow, kBold, kArrow };
enum class Arrow { kNone, kUp, kDown, kLeft, kRight };

// A control's click (a check box's and an option button's run on every change of the value).
using Handler = void (ZiruZezuzo::*)();

struct Item {
  Kind kind;
  int number;  // Command<number>, Check<number>, ...
  Bounds bounds;
  const char* caption = "";
  Face face = Face::kWindow;
  Colour back = kKindDefault, fore = kKindDefault;
  bool graphical = false;  // a command button that draws its back colour
  int value = 0;           // a check box's value, or 1 for the selected option button
  bool enabled = true;
  Arrow arrow = Arrow::kNone;
  bool multiLine = false;
  bool inFrame = false;  // a control of Frame1
  // What a screen reader calls a control that shows a symbol or the user's text; the others
  // are called by their captions.
  const char* name = nullptr;
  Handler onClick = nullptr;
  std::optional<composer::SendOption> sends = std::nullopt;  // the option of Send a check box holds
  // A style box: its caption, its face and the option it holds are its style's.
  const composer::StyleRow* style = nullptr;
  bool restyles = false;  // a change shows in the preview of the typed line

  const char* Caption() const { return style ? style->caption : caption; }
  std::optional<composer::SendOption> Sends() const {
    return style ? std::optional(style->option) : sends;
  }
};

// In tab order: the top band (Text1 first), then the colour panel, then the panels beyond the
// window's first edge. The arrow buttons come before the check boxes so that they stay above
// "On Top", whose box reaches under the Left arrow.
std::span<const Item> TopControls();
std::span<const Item> OuterControls();

// Colour k's controls (1 to 10). Components are indexed by ui::Component.
struct ColourPanel {
  Bounds option, swatch;
  std::array<Bounds, 3> bar, marker, label;
};
ColourPanel PanelOf(int colour);

// The marker squares' colours, red, green, blue.
inline constexpr std::array<Colour, 3> kMarkerColours = {0x000000FF, 0x0000C000, 0x00FF0000};
// The value labels' text colours, red, green, blue, on dark grey.
inline constexpr std::array<Colour, 3> kLabelColours = {0x000000FF, 0x0000FF00, 0x00FF0000};
inline constexpr Colour kLabelBack = 0x00808080;

}  // namespace vfx::ui::layout

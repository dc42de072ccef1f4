#include "ui/window_sizer.h"

#include <array>
#include <cmath>
#include <span>

namespace vfx::ui {
namespace {

enum class Axis { kWidth, kHeight };

struct ArrowState {
  int command;
  bool enabled;
};

// Sizes are outer twips. An arrow acts only while the size lies on its side of the threshold:
// a grow sweeps up to the target, a shrink steps back to just below it.
struct Arrow {
  int command;
  Axis axis;
  bool grows;
  float threshold, target, step;
  std::array<ArrowState, 2> after;  // in this order
};
constexpr Arrow kArrows[] = {
    {7, Axis::kHeight, true, 3400, 3550, 50, {{{13, true}, {7, false}}}},    // Down
    {13, Axis::kHeight, false, 3400, 2315, 25, {{{13, false}, {7, true}}}},  // Up
    {8, Axis::kWidth, true, 10000, 10550, 50, {{{8, false}, {12, true}}}},   // Right
    {12, Axis::kWidth, false, 10000, 8050, 25, {{{8, true}, {12, false}}}},  // Left
};

// The double click: above the width threshold it sweeps down to the typing strip, else up to
// the basic size, whatever the arrows said.
constexpr std::array<ArrowState, 4> kDoubleClickArrows = {
    {{7, true}, {8, true}, {12, false}, {13, false}}};
constexpr float kCompactThreshold = 3000, kDoubleClickStep = 50;
constexpr float kCompactWidth = 2850, kCompactHeight = 1150;
constexpr float kRestoredWidth = 8100, kRestoredHeight = 2350;

float Size(const toolkit::Form& form, Axis axis) {
  return axis == Axis::kWidth ? form.width() : form.height();
}

void SetSize(toolkit::Form& form, Axis axis, float size) {
  if (axis == Axis::kWidth)
    form.set_width(size);
  else
    form.set_height(size);
}

// Assigns every size from `from` towards the bound, a step apart, the bound included.
void Sweep(toolkit::Form& form, Axis axis, float from, float bound, float step) {
  if (step > 0)
    for (float v = from; v <= bound; v += step) SetSize(form, axis, v);
  else
    for (float v = from; v >= bound; v += step) SetSize(form, axis, v);
}

// Takes the step off the size as it is now, once for each of the sizes floor, floor + step, ...
// that do not exceed the start: any rounding by the window system adds up.
void StepBack(toolkit::Form& form, Axis axis, float floor, float step) {
  const int steps = static_cast<int>(std::floor((Size(form, axis) - floor) / step)) + 1;
  for (int i = 0; i < steps; ++i) SetSize(form, axis, Size(form, axis) - step);
}

void Set(const ControlRegistry& controls, std::span<const ArrowState> states) {
  for (ArrowState state : states) controls.Command(state.command).set_enabled(state.enabled);
}

}  // namespace

toolkit::Size WindowSizer::Largest() {
  toolkit::Size largest{};
  for (const Arrow& arrow : kArrows)
    if (arrow.grows) (arrow.axis == Axis::kWidth ? largest.width : largest.height) = arrow.target;
  return largest;
}

void WindowSizer::PressArrow(int command) {
  for (const Arrow& arrow : kArrows) {
    if (arrow.command != command) continue;
    const float size = Size(form_, arrow.axis);
    if (arrow.grows ? size < arrow.threshold : size > arrow.threshold) {
      if (arrow.grows)
        Sweep(form_, arrow.axis, size, arrow.target, arrow.step);
      else
        StepBack(form_, arrow.axis, arrow.target, arrow.step);
      Set(controls_, arrow.after);
    }
  }
  controls_.Text(ids::kMessageBox).set_focus();
}

void WindowSizer::Text1_DblClick() {
  Set(controls_, kDoubleClickArrows);
  const float width = form_.width(), height = form_.height();
  if (width > kCompactThreshold) {
    Sweep(form_, Axis::kWidth, width, kCompactWidth, -kDoubleClickStep);
    Sweep(form_, Axis::kHeight, height, kCompactHeight, -kDoubleClickStep);
  } else {
    Sweep(form_, Axis::kWidth, width, kRestoredWidth, kDoubleClickStep);
    Sweep(form_, Axis::kHeight, height, kRestoredHeight, kDoubleClickStep);
  }
}

}  // namespace vfx::ui

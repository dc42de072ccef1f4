// The four arrows and the double click in Text1, the only ways the main window changes its
// size: each a row of a table, walked by one sweep and one step-back.
#pragma once

#include "toolkit/form.h"
#include "ui/control_registry.h"

namespace vfx::ui {

class WindowSizer {
 public:
  WindowSizer(toolkit::Form& form, ControlRegistry& controls) : form_(form), controls_(controls) {}

  // Command7 (Down), Command13 (Up), Command8 (Right) or Command12 (Left).
  void PressArrow(int command);
  void Text1_DblClick();
  // The size the arrows grow the window to, outer twips.
  static toolkit::Size Largest();

 private:
  toolkit::Form& form_;
  ControlRegistry& controls_;
};

}  // namespace vfx::ui

// Context menus over the window system's own: the model's menu made into a pop-up HMENU of
// standard string items (never owner-drawn, so the system's menu accessibility reads each
// caption), shown by TrackPopupMenuEx, which returns the command chosen rather than posting it,
// so the item's handler runs after the menu loop has ended. The HMENU lives for one showing.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/win32/handles.h"
#include "toolkit/menu.h"

namespace vfx::platform::win32 {

// The model's menu as the window system's: grey items, ticks, radio marks (MFT_RADIOCHECK),
// separators and submenus as the model has them when it is built.
struct BuiltMenu {
  OwnedMenu menu;  // its submenus go with it
  // The choosable items: command k + 1 is commands[k]; 0 is none.
  std::vector<const toolkit::MenuItem*> commands;

  const toolkit::MenuItem* ItemFor(UINT command) const;
};
BuiltMenu BuildMenu(const toolkit::Menu& menu);

// Where a menu asked for from the keyboard opens for `control`: at the caret of a text box that
// has it, else at the control's top-left; always within the part of the window that shows and
// within the screen's work area, so that a control beyond the window's edge opens it in view.
POINT KeyboardMenuPoint(HWND control, bool atCaret);

// Shows the menu for `owner` at `at` (screen pixels) and returns once it has closed: the item the
// user chose, or null.
const toolkit::MenuItem* TrackMenu(HWND owner, const toolkit::Menu& menu, POINT at);

}  // namespace vfx::platform::win32

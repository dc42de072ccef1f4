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

// The commands of a built menu's choosable items, numbered as the menu's window wants them.
class MenuCommands {
 public:
  // A pop-up's from 1 up, as 0 is TrackPopupMenuEx's "none".
  MenuCommands() = default;
  MenuCommands(UINT first, UINT step) : first_(first), step_(step) {}

  UINT Add(const toolkit::MenuItem& item);
  // The item of a command; null for any other number.
  const toolkit::MenuItem* ItemFor(UINT command) const;

 private:
  UINT first_ = 1, step_ = 1;
  std::vector<const toolkit::MenuItem*> items_;
};

// The one builder of the window system's menus from the model's, for pop-ups and the system
// menu alike: the model's items appended to `target` as they are now, with their grey states,
// ticks, radio marks (MFT_RADIOCHECK), separators and submenus.
void AppendMenuItems(HMENU target, const toolkit::Menu& menu, MenuCommands& commands);

struct BuiltMenu {
  OwnedMenu menu;  // its submenus go with it
  MenuCommands commands;

  const toolkit::MenuItem* ItemFor(UINT command) const { return commands.ItemFor(command); }
};
// The model's menu as a pop-up of the window system's.
BuiltMenu BuildMenu(const toolkit::Menu& menu);

// Where a menu asked for from the keyboard opens for `control`: at the caret of a text box that
// has it, else at the control's top-left; always within the part of the window that shows and
// within the screen's work area, so that a control beyond the window's edge opens it in view.
POINT KeyboardMenuPoint(HWND control, bool atCaret);

// Shows the menu for `owner` at `at` (screen pixels) and returns once it has closed: the item the
// user chose, or null.
const toolkit::MenuItem* TrackMenu(HWND owner, const toolkit::Menu& menu, POINT at);

}  // namespace vfx::platform::win32

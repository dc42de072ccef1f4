// What the dialog manager would answer for a dialog, for a plain window that holds controls.
#pragma once

#include <windows.h>

#include "toolkit/form.h"

namespace vfx::platform::win32 {

// A multi-line box (an edit or a rich edit box) takes every key from the dialog manager.
bool TakesEveryKey(HWND control);

// The next (or previous) tab stop of `window` after `from`, in view: a control beyond the
// window's edge, in a panel that the arrows have not uncovered, is passed over as a hidden one is.
// Null when nothing is in view.
HWND NextTabStop(HWND window, HWND from, bool previous);

// The form's window answering as a dialog would: the default button's ID for DM_GETDEFID (the
// focused command button answers Enter itself; elsewhere the form's default button does)...
LRESULT DefaultButtonId(HWND window, const toolkit::Form& form);
// ... WM_NEXTDLGCTL: to the named control, or to the next or previous tab stop, whose text is
// selected when it is an edit box ...
void MoveDialogFocus(HWND window, WPARAM which, bool named);
// ... and the keys before the dialog manager sees them (true: handled): Tab leaves every box,
// Enter in a box that takes every key presses the default button, Escape there cancels nothing.
bool HandleDialogKey(HWND window, const toolkit::Form& form, const MSG& key);

}  // namespace vfx::platform::win32

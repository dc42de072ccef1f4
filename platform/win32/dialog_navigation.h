// What the dialog manager would answer for a dialog, for a plain window that holds controls.
#pragma once

#include <windows.h>

namespace vfx::platform::win32 {

// A multi-line box (an edit or a rich edit box) takes every key from the dialog manager.
bool TakesEveryKey(HWND control);

// The next (or previous) tab stop of `window` after `from`, in view: a control beyond the
// window's edge, in a panel that the arrows have not uncovered, is passed over as a hidden one is.
// Null when nothing is in view.
HWND NextTabStop(HWND window, HWND from, bool previous);

}  // namespace vfx::platform::win32

// Raw Win32 looks at the substitute host's windows from the test's side of the process
// boundary: exact classes and captions, z-order walks, and the messages the add-on sends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vfx::e2e {

std::string ClassOf(HWND window);
std::string CaptionOf(HWND window);  // the system's copy; no message to the window's thread
// Direct children in z-order (GW_CHILD, then GW_HWNDNEXT).
std::vector<HWND> Children(HWND parent);
// The first direct child whose class (or caption) is exactly this; nullptr when none.
HWND ChildOfClass(HWND parent, const std::string& className);
HWND ChildWithCaption(HWND parent, const std::string& caption);
HWND Hop(HWND window, int hops);  // `hops` times GW_HWNDNEXT

HWND HostFrame();         // the top-level "AOL Frame25"
HWND HostDocumentArea();  // its "MDIClient"
// A document window with this caption, complete and showing, waited for up to `seconds`.
HWND WaitForDocument(const std::string& caption, double seconds = 10);

// The add-on's messages, each sent and answered in turn.
void Click(HWND window);  // WM_LBUTTONDOWN, WM_LBUTTONUP, both parameters 0
void SetText(HWND window, const std::string& ansi);
void PressEnter(HWND window);  // WM_CHAR 13
// The text of a control (WM_GETTEXT), for edit boxes of another process.
std::string ControlText(HWND window);

}  // namespace vfx::e2e

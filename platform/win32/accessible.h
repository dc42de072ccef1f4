// The name a screen reader reads for a control whose window text is not its name: an edit box,
// whose text is what the user typed. Outside tools ask the window with WM_GETOBJECT; the answer
// is the system's own accessible object for the window with the name replaced, so role, state,
// value and the rest stay the system's.
#pragma once

#include <windows.h>

#include <string>

namespace vfx::platform::win32 {

// The answer to WM_GETOBJECT: for the client area (OBJID_CLIENT) the named object, for any other
// part 0, which leaves it to the system. oleacc, ole32 and oleaut32 are loaded with the first
// question, so that a start without a screen reader loads none of them.
LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId, const std::wstring& name);

}  // namespace vfx::platform::win32

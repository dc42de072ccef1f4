// What the system says about itself, as the add-on shows or logs it.
#pragma once

#include <windows.h>

#include <string>

namespace vfx::platform::win32 {

// The system's words for an error, without the line break it ends with; empty when it has none.
std::wstring SystemErrorText(DWORD error);
// The same as words for a caption or a one-line message: UTF-8, without the full stop, and
// "error N" when the system has none.
std::string SystemErrorWords(DWORD error);

// The part of the screen a window may cover (the taskbar left out), on the monitor nearest the
// window, or the point; the primary monitor's when there is none.
RECT WorkAreaOf(HWND window);
RECT WorkAreaAt(POINT point);

}  // namespace vfx::platform::win32

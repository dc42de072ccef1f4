// The host's toolbar: "AOL Toolbar" holding "_AOL_Toolbar" holding one "_AOL_Icon" per button.
#pragma once

#include <windows.h>

namespace vfx::subhost {

inline constexpr int kToolbarHeight = 52;
// Buttons send WM_COMMAND to the frame with this id plus their index.
inline constexpr int kToolbarFirstId = 1000;
inline constexpr int kPeopleButtonIndex = 9;
inline constexpr int kKeywordButtonIndex = 20;  // first + 20 hops

bool RegisterToolbarClasses(HINSTANCE instance);
// The outer toolbar, across the top of the frame's client area.
HWND CreateToolbar(HWND frame);

}  // namespace vfx::subhost

// What the demo's walkthrough does on the screen: pictures of windows, and the user's hand on
// the mouse and the keyboard as real input (SendInput), which goes where it would for a user:
// to the window under the pointer, or to the one with the focus, and past the add-on's hot key.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace vfx::e2e {

// The screen's pixels where the window is, as a 24-bit BMP file: what the user sees of it,
// including whatever lies on top.
bool SavePicture(HWND window, const std::string& path);
// The same for a rectangle of the screen.
bool SaveScreenPart(const RECT& part, const std::string& path);

// A click of the left (or right) button at the middle of the window.
void ClickOn(HWND window, bool right = false);
// Characters typed one by one, each as its own key.
void TypeText(std::wstring_view text);
// Keys held down in order and let go in reverse: {VK_CONTROL, VK_SHIFT, 'F'}.
void PressKeys(std::initializer_list<WORD> keys);

}  // namespace vfx::e2e

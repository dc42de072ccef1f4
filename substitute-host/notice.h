// The host's notices: modeless "#32770" dialogs captioned "America Online". The window thread
// keeps answering every other window while one is shown.
#pragma once

#include <windows.h>

#include <string>

namespace vfx::subhost {

inline constexpr char kNoticeCaption[] = "America Online";

HWND OpenNotice(HWND owner, const std::string& text);
// For the message loop: a notice's keyboard messages (Enter, Esc, Tab) go to its dialog code.
bool IsNoticeMessage(MSG& message);

}  // namespace vfx::subhost

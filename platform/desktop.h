// The window calls the add-on makes on other programs' windows, as one seam: the Win32 side is a
// thin pass-through (platform/win32/), native tests put an in-memory desktop behind it.
//
// Text crosses this seam as UTF-8. What the add-on sends the host (its markup) the Win32 side
// converts to the system's ANSI code page, where a character the code page lacks becomes one "?",
// so every character stays one character; the user's own text in the host's boxes is read and
// given back in Unicode, so that no character of it is lost on the way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vfx::platform {

// The platform's window handle; 0 is no window, and every call on it quietly does nothing.
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

enum class Relation { kFirstChild, kNextSibling, kOwner };  // GW_CHILD, GW_HWNDNEXT, GW_OWNER
enum class ZOrder { kTopmost = -1, kNotTopmost = -2 };      // HWND_TOPMOST, HWND_NOTOPMOST

namespace message {
inline constexpr unsigned kSetText = 0x000C;
inline constexpr unsigned kClose = 0x0010;
inline constexpr unsigned kChar = 0x0102;
inline constexpr unsigned kLeftButtonDown = 0x0201;
inline constexpr unsigned kLeftButtonUp = 0x0202;
inline constexpr unsigned kMdiGetActive = 0x0229;  // the MDI client's active child, as its answer
}  // namespace message

inline constexpr unsigned kSwpNoSize = 0x0001, kSwpNoMove = 0x0002;
inline constexpr unsigned kSndAsync = 0x0001, kSndNoDefault = 0x0002;

// What a sent message came back with: the receiver's answer, or nothing when the receiver did
// not answer within the send bound (its thread hangs) or the window is gone.
using MessageResult = std::optional<std::intptr_t>;

class Desktop {
 public:
  virtual ~Desktop() = default;

  // The first top-level window with this class and caption; an empty optional matches any.
  // Both compare without regard to case, as the platform's search does.
  virtual WindowHandle FindWindowA(std::optional<std::string_view> className,
                                   std::optional<std::string_view> caption) = 0;
  virtual WindowHandle GetWindow(WindowHandle window, Relation relation) = 0;
  // At most bufferSize - 1 characters, as the platform's buffer-filling calls give.
  virtual std::string GetClassNameA(WindowHandle window, int bufferSize) = 0;
  virtual int GetWindowTextLengthA(WindowHandle window) = 0;
  virtual std::string GetWindowTextA(WindowHandle window, int bufferSize) = 0;
  virtual MessageResult SendMessageA(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
  // The text form: lParam points at the text, converted to the code page and terminated.
  virtual MessageResult SendMessageA(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                     std::string_view text) = 0;
  // The text another program's control holds, the user's own characters exactly (the wide
  // WM_GETTEXTLENGTH, then WM_GETTEXT, each within the send bound), at most `most` characters;
  // nothing when the control did not answer or is gone.
  virtual std::optional<std::string> GetControlText(WindowHandle window, int most) = 0;
  // The user's own text put back into another program's control, exactly (the wide WM_SETTEXT,
  // within the send bound). The markup the add-on composes goes through SendMessageA instead.
  virtual MessageResult SetControlText(WindowHandle window, std::string_view text) = 0;
  // Whether the window still exists (IsWindow).
  virtual bool IsWindow(WindowHandle window) = 0;
  // The window the user works in now (the foreground window), or 0.
  virtual WindowHandle GetForegroundWindow() = 0;
  virtual void SetFocus(WindowHandle window) = 0;
  virtual void SetWindowPos(WindowHandle window, ZOrder insertAfter, int x, int y, int width,
                            int height, unsigned flags) = 0;
  virtual void sndPlaySoundA(std::string_view fileName, unsigned flags) = 0;
};

}  // namespace vfx::platform

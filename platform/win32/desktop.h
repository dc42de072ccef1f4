// The window seam over the real user32 and winmm calls.
#pragma once

#include "platform/desktop.h"

namespace vfx::platform::win32 {

class Win32Desktop final : public Desktop {
 public:
  // How long a sent message may wait for the receiving thread before it counts as unanswered;
  // a host whose window thread hangs then cannot freeze the add-on.
  static constexpr unsigned kSendTimeoutMs = 3000;

  WindowHandle FindWindowA(std::optional<std::string_view> className,
                           std::optional<std::string_view> caption) override;
  WindowHandle GetWindow(WindowHandle window, Relation relation) override;
  std::string GetClassNameA(WindowHandle window, int bufferSize) override;
  int GetWindowTextLengthA(WindowHandle window) override;
  std::string GetWindowTextA(WindowHandle window, int bufferSize) override;
  MessageResult SendMessageA(WindowHandle window, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  MessageResult SendMessageA(WindowHandle window, unsigned message, std::uintptr_t wParam,
                             std::string_view text) override;
  std::optional<std::string> GetControlText(WindowHandle window, int most) override;
  MessageResult SetControlText(WindowHandle window, std::string_view text) override;
  bool IsWindow(WindowHandle window) override;
  WindowHandle GetForegroundWindow() override;
  void SetFocus(WindowHandle window) override;
  void SetWindowPos(WindowHandle window, ZOrder insertAfter, int x, int y, int width, int height,
                    unsigned flags) override;
  void sndPlaySoundA(std::string_view fileName, unsigned flags) override;
};

}  // namespace vfx::platform::win32

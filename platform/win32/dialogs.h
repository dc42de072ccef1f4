// The modal OK box and the font catalogue over the real API.
#pragma once

#include "platform/dialogs.h"
#include "platform/fonts.h"

namespace vfx::platform::win32 {

class Win32Dialogs final : public Dialogs {
 public:
  void ShowMessage(WindowHandle owner, std::string_view caption, std::string_view text) override;
};

class Win32Fonts final : public Fonts {
 public:
  bool CanDraw(std::string_view face, bool symbol, std::string_view text) override;
  bool DrawsSolid(std::string_view face, bool symbol, std::string_view text,
                  double points) override;
};

}  // namespace vfx::platform::win32

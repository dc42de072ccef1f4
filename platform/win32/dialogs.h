// The modal boxes and the font catalogue over the real API.
#pragma once

#include "platform/dialogs.h"
#include "platform/fonts.h"

namespace vfx::platform::win32 {

class Win32EventPump;

class Win32Dialogs final : public Dialogs {
 public:
  // With the event pump, a dialog's keys keep working in a wait of the add-on's own that runs
  // while it is up, and no dialog opens once the program is ending.
  explicit Win32Dialogs(Win32EventPump* events = nullptr) : events_(events) {}

  void ShowMessage(WindowHandle owner, std::string_view caption, std::string_view text) override;
  std::optional<std::string> AskText(WindowHandle owner, std::string_view caption,
                                     std::string_view prompt, std::string_view initial) override;
  bool AskYesNo(WindowHandle owner, std::string_view caption, std::string_view text) override;
  std::optional<HotKey> AskHotKey(WindowHandle owner, std::string_view caption,
                                  std::string_view prompt, const HotKey& current) override;

 private:
  bool Ending() const;

  Win32EventPump* events_;
};

class Win32Fonts final : public Fonts {
 public:
  bool CanDraw(std::string_view face, bool symbol, std::string_view text) override;
  bool DrawsSolid(std::string_view face, bool symbol, std::string_view text,
                  double points) override;
};

}  // namespace vfx::platform::win32

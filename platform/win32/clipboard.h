// The clipboard seam over the system clipboard.
#pragma once

#include "platform/clipboard.h"

namespace vfx::platform::win32 {

class Win32Clipboard final : public Clipboard {
 public:
  // How often, and how far apart, an open clipboard is tried again: another program (a
  // clipboard manager, a remote desktop) often holds it for a few milliseconds.
  static constexpr int kTries = 20;
  static constexpr unsigned kRetryMs = 25;

  // CF_UNICODETEXT, and "HTML Format" (registered by that name) when a fragment is given.
  ClipboardWrite Put(WindowHandle owner, std::string_view text,
                     std::optional<std::string_view> htmlFragment) override;
};

}  // namespace vfx::platform::win32

// The user's own words in the host's boxes: read, taken and given back in Unicode, so that every
// character the user typed comes back as it was, whatever the system's code page.
#include "host/host.h"
#include "host/waits.h"

namespace vfx::host {

std::optional<std::string> ReadTypedText(platform::Desktop& desktop, WindowHandle box) {
  return desktop.GetControlText(box, kLongestTypedText);
}

bool EmptyTypedText(platform::Desktop& desktop, WindowHandle box) {
  return desktop.SetControlText(box, "").has_value();
}

bool GiveBackText(const platform::Platform& platform, WindowHandle box, std::string_view text) {
  platform::Desktop& desktop = platform.desktop;
  if (desktop.SetControlText(box, text)) return true;
  bool given = false;
  detail::WaitForHost(platform, [&] {
    if (!desktop.IsWindow(box)) return true;            // gone: nothing to give it to
    if (!desktop.GetControlText(box, 0)) return false;  // still silent
    given = desktop.SetControlText(box, text).has_value();
    return true;
  });
  return given;
}

}  // namespace vfx::host

#include "platform/clipboard.h"

#include <cstdio>

namespace vfx::platform {

std::string HtmlClipboardData(std::string_view fragment) {
  // The description's lines are of fixed length (ten digits each), so the offsets can be known
  // before they are written.
  constexpr const char* kDescription =
      "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\nStartFragment:%010zu\r\n"
      "EndFragment:%010zu\r\n";
  constexpr std::string_view kBefore =
      "<html><head><meta charset=\"utf-8\"></head><body>\r\n<!--StartFragment-->";
  constexpr std::string_view kAfter = "<!--EndFragment-->\r\n</body></html>\r\n";
  const std::size_t descriptionSize = static_cast<std::size_t>(std::snprintf(
      nullptr, 0, kDescription, std::size_t{0}, std::size_t{0}, std::size_t{0}, std::size_t{0}));
  const std::size_t startHtml = descriptionSize;
  const std::size_t startFragment = startHtml + kBefore.size();
  const std::size_t endFragment = startFragment + fragment.size();
  const std::size_t endHtml = endFragment + kAfter.size();

  std::string data(descriptionSize + 1, '\0');
  std::snprintf(data.data(), data.size(), kDescription, startHtml, endHtml, startFragment,
                endFragment);
  data.resize(descriptionSize);
  data.append(kBefore).append(fragment).append(kAfter);
  return data;
}

}  // namespace vfx::platform

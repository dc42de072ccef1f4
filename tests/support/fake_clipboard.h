// The clipboard in memory: what was put on it last, and another program that holds it open.
#pragma once

#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace vfx::testing {

class FakeClipboard : public platform::Clipboard {
 public:
  std::string text;
  std::optional<std::string> html;  // the HTML clipboard format's whole data
  bool heldElsewhere = false;
  int puts = 0;  // puts that were done

  platform::ClipboardWrite Put(platform::WindowHandle, std::string_view newText,
                               std::optional<std::string_view> fragment) override {
    if (heldElsewhere) return {platform::ClipboardWrite::Kind::kBusy, {}};
    text = std::string(newText);
    html = fragment ? std::optional(platform::HtmlClipboardData(*fragment)) : std::nullopt;
    ++puts;
    return {platform::ClipboardWrite::Kind::kDone, {}};
  }
};

}  // namespace vfx::testing

// The preview in the message box: each typed character in the look the room will give it, read
// back from the message that Send would compose, through the same markup parser that stands in
// for the room's.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "toolkit/text_look.h"

namespace vfx::ui {

// Beyond this many characters the box draws the line plainly: the rich edit's own layout grows
// with every run of a different look, and typing must not wait for it.
inline constexpr std::size_t kPreviewLimit = 2000;

// One look per character (code point) of `typedLine`, as the room shows `message`, the markup
// composed from that line. The message's pad spaces past the line are not the box's. Empty when
// the line is longer than kPreviewLimit. Characters the markup does not reach (a typed "<B>" is
// a tag to the room, not text) keep the box's own look.
std::vector<toolkit::CharacterLook> PreviewLook(std::string_view typedLine,
                                                std::string_view message);

}  // namespace vfx::ui

// Walking UTF-8 text one character (code point) at a time, with the fade engine's rule for
// malformed input: a byte that does not begin a well-formed sequence is one character by itself.
#pragma once

#include <cstddef>
#include <string_view>

namespace vfx::fade {

// Bytes taken by the character that starts at `position` (1 to 4); 0 at or past the end.
std::size_t CharacterLength(std::string_view text, std::size_t position);

// Number of characters in the text.
std::size_t CharacterCount(std::string_view text);

}  // namespace vfx::fade

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

// Byte offset at which character `index` (from 0) begins; text.size() when the text is shorter.
std::size_t ByteOffsetOfCharacter(std::string_view text, std::size_t index);

// Characters [first, first + count) of the text, clamped to its end.
std::string_view CharacterRange(std::string_view text, std::size_t first, std::size_t count);

}  // namespace vfx::fade

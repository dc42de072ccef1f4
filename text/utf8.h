// Text is UTF-8 everywhere inside the add-on and the command, and a character is one Unicode code
// point. This is the one definition of where a character begins and ends, with one rule for
// malformed input: a byte that does not begin a well-formed sequence (RFC 3629: a stray
// continuation byte, a truncated or overlong sequence, an encoded surrogate, anything above
// U+10FFFF) is one character by itself, so walking never stops and never skips a byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vfx::text {

// What a malformed byte reads as, and its bytes.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;
inline constexpr std::string_view kReplacementBytes = "\xEF\xBF\xBD";

// Bytes taken by the character that starts at `position` (1 to 4); 0 at or past the end.
std::size_t CharacterLength(std::string_view text, std::size_t position);

// Number of characters in the text.
std::size_t CharacterCount(std::string_view text);

// The code point of the character that starts at `position` and takes `length` bytes (as
// CharacterLength gives it); U+FFFD for a malformed byte.
char32_t CodePointAt(std::string_view text, std::size_t position, std::size_t length);

// Appends the code point's UTF-8 bytes; anything that is no scalar value (a surrogate, past
// U+10FFFF) goes in as U+FFFD.
void AppendUtf8(std::string& out, char32_t point);

// No malformed byte in it (a NUL is a character like any other).
bool IsWellFormed(std::string_view bytes);
// The text as it reads: each malformed byte as U+FFFD.
std::string WellFormed(std::string_view bytes);

// Well-formed UTF-8 and no NUL byte: text a person wrote, not binary data.
bool IsUtf8Text(std::string_view bytes);

}  // namespace vfx::text

// Text conversions at the edge of the Win32 API. Inside, text is UTF-8; the markup for the host's
// windows takes the system's ANSI code page; the add-on's own controls, and the user's own text
// in the host's boxes, take UTF-16.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vfx::platform::win32 {

// What WideCharToMultiByte may be given for a code page. Some code pages refuse any flag, UTF-8
// and GB18030 all but WC_ERR_INVALID_CHARS, and UTF-7 and UTF-8 any default character: the call
// fails with them. A code page that encodes all of Unicode needs no default character.
struct CodePageRules {
  unsigned long flags = 0;
  bool defaultCharacter = false;  // "?" for a character the code page lacks
};
CodePageRules RulesFor(unsigned codePage);

// One code-page character per character of the text: a character the code page lacks becomes
// one "?" (never a best-fit look-alike), and a malformed UTF-8 byte becomes one "?" as well (or
// U+FFFD, where the code page is UTF-8).
// Nothing when the system cannot convert it (reported where it happens), so that a line whose
// conversion failed is never sent as an empty one.
std::optional<std::string> ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace vfx::platform::win32

// Text conversions at the edge of the Win32 API. Inside, text is UTF-8; the host's windows take
// the system's ANSI code page; the add-on's own controls take UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace vfx::platform::win32 {

// One code-page character per character of the text: a character the code page lacks becomes
// one "?" (never a best-fit look-alike), and a malformed UTF-8 byte becomes one "?" as well.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace vfx::platform::win32

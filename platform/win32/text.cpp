#include "platform/win32/text.h"

#include <windows.h>

#include "platform/win32/report.h"
#include "text/utf8.h"

namespace vfx::platform::win32 {
namespace {

// UTF-16 by the one rule of what a character is, so the host receives exactly as many
// characters as the fade gave tags. `bmpOnly` folds characters beyond the basic plane into one
// replacement character each, which a code page turns into a single "?".
std::wstring ToUtf16(std::string_view utf8, bool bmpOnly) {
  std::wstring wide;
  wide.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = text::CharacterLength(utf8, at);
    const char32_t point = text::CodePointAt(utf8, at, length);
    at += length;
    if (point < 0x10000) {
      wide.push_back(static_cast<wchar_t>(point));
    } else if (bmpOnly) {
      wide.push_back(static_cast<wchar_t>(text::kReplacementCharacter));
    } else {
      const char32_t offset = point - 0x10000;
      wide.push_back(static_cast<wchar_t>(0xD800 + (offset >> 10)));
      wide.push_back(static_cast<wchar_t>(0xDC00 + (offset & 0x3FF)));
    }
  }
  return wide;
}

std::optional<std::string> FromUtf16(std::wstring_view wide, UINT codePage) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const CodePageRules rules = RulesFor(codePage);
  const char* fallback = rules.defaultCharacter ? "?" : nullptr;
  // Text that is not empty never converts to nothing, unless the system refuses the call.
  const int bytes = VFX_FAULT_IF_FALSE(
      WideCharToMultiByte(codePage, rules.flags, wide.data(), size, nullptr, 0, fallback, nullptr));
  if (bytes <= 0) return std::nullopt;
  std::string result(static_cast<std::size_t>(bytes), '\0');
  if (VFX_FAULT_IF_FALSE(WideCharToMultiByte(codePage, rules.flags, wide.data(), size,
                                             result.data(), bytes, fallback, nullptr)) != bytes)
    return std::nullopt;
  return result;
}

std::wstring ToUtf16FromCodePage(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      VFX_FAULT_IF_FALSE(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0));
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, result.data(), length);
  return result;
}

}  // namespace

CodePageRules RulesFor(unsigned codePage) {
  switch (codePage) {
    case CP_UTF7:
    case CP_UTF8:
    case 54936:  // GB18030
      return {};
    case CP_SYMBOL:
    case 50220:
    case 50221:
    case 50222:
    case 50225:
    case 50227:
    case 50229:
      return {.flags = 0, .defaultCharacter = true};
    default:
      if (codePage >= 57002 && codePage <= 57011) return {.flags = 0, .defaultCharacter = true};
      return {.flags = WC_NO_BEST_FIT_CHARS, .defaultCharacter = true};
  }
}

// CP_ACP names the code page only by the system's setting: the rules are the real one's. A code
// page that holds every character (UTF-8 among them) takes those beyond the basic plane too.
std::optional<std::string> ToAnsi(std::string_view utf8) {
  const UINT codePage = GetACP();
  return FromUtf16(ToUtf16(utf8, RulesFor(codePage).defaultCharacter), codePage);
}

std::string FromAnsi(std::string_view ansi) {
  return FromUtf16(ToUtf16FromCodePage(ansi, GetACP()), CP_UTF8).value_or(std::string());
}

std::wstring Widen(std::string_view utf8) { return ToUtf16(utf8, false); }

// From UTF-16 that the add-on holds; a lone surrogate in it comes out as U+FFFD.
std::string Narrow(std::wstring_view wide) {
  return FromUtf16(wide, CP_UTF8).value_or(std::string());
}

}  // namespace vfx::platform::win32

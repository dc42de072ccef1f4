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

std::string FromUtf16(std::wstring_view wide, UINT codePage) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
  // Text that is not empty never converts to nothing.
  const int bytes = VFX_FAULT_IF_FALSE(
      WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, fallback, nullptr));
  std::string result(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), size, result.data(), bytes, fallback, nullptr);
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

std::string ToAnsi(std::string_view utf8) { return FromUtf16(ToUtf16(utf8, true), CP_ACP); }

std::string FromAnsi(std::string_view ansi) {
  return FromUtf16(ToUtf16FromCodePage(ansi, CP_ACP), CP_UTF8);
}

std::wstring Widen(std::string_view utf8) { return ToUtf16(utf8, false); }

std::string Narrow(std::wstring_view wide) { return FromUtf16(wide, CP_UTF8); }

}  // namespace vfx::platform::win32

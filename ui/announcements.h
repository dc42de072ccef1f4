// The add-on's own chat lines: the start-up and exit announcements and the advertisement. Each
// fades its text from black to one colour drawn for the occasion.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "fade/fade.h"

namespace vfx::ui::announcements {

// Where the add-on can be had; the advertisement names it.
inline constexpr std::string_view kDownloadAddress = "http://www.vontrafx.net/download";

inline constexpr std::string_view kBlankLine = "<HTML> <HTML>";  // shows as an empty line
inline constexpr std::string_view kNameText =
    "\u00AB(v^v\u2022\u2022\u2022Vontra \u0192X \u00DFy: Zarnok";
inline constexpr std::string_view kLoadedText =
    "\u00AB(v^v\u2022\u2022\u2022\u00A3\u00F8aded \u00DFy:    ";
inline constexpr std::string_view kUnloadedText =
    "\u00AB(v^v\u2022\u2022\u2022Un\u00A3\u00F8aded by:    ";
inline constexpr std::string_view kCopyText =
    "\u00AB(v^v\u2022\u2022\u2022Get Your Copy @: \u00AB(v^v\u2022\u2022\u2022";
// Put after each announcement line; the member's name follows it on the second lines.
inline constexpr std::string_view kNameFontTag =
    "<HTML><FONT  SIZE=3 PTSIZE=10 FAMILY=\"SCRIPT\" FACE=\"Arial\" LANG=\"0\"><B><I>";
inline constexpr std::string_view kAdvertiseFontTag = "<font face = \"Arial\">";
inline constexpr std::string_view kBoldItalic = "<B><I>";

// Red, green and blue, each drawn with `component` (RandomComponent unless a test fixes the
// draws), in that order.
fade::Rgb DrawColour(const std::function<int()>& component = fade::RandomComponent);

// The two faded lines of start-up (without the member's name, which the caller reads just
// before sending the second), of exit, and of the advertisement.
std::string StartupFirstLine(fade::Rgb colour);
std::string StartupSecondLine(fade::Rgb colour);
std::string ExitFirstLine(fade::Rgb colour);
std::string ExitSecondLine(fade::Rgb colour);
std::array<std::string, 2> AdvertiseLines(fade::Rgb colour);

}  // namespace vfx::ui::announcements

// The fade engine: colour notation, the two fades, the blends and the random colour component.
//
// Text is UTF-8. One character is one Unicode code point, so a character outside ASCII gets one
// colour tag and is never cut apart. Malformed UTF-8 never stops a fade: every byte that does not
// begin a well-formed sequence (a stray continuation byte, a truncated or overlong sequence, an
// encoded surrogate, anything above U+10FFFF) counts as one character of its own and is copied
// through unchanged, so the output always holds every input byte in order.
//
// This is the fade's one public header; what stands behind it (fade/src/, namespace detail) is
// the library's own.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vfx::fade {

struct Rgb {
  int red = 0, green = 0, blue = 0;
};

// Six uppercase hex digits, red first. Components are rounded half to even and taken modulo 256
// (-1 gives FF, 300 gives 2C). Values that are not finite count as 0.
std::string RgbToHex(double red, double green, double blue);

// A copy of the text without U+0020; every other character, other white space included, stays.
std::string StripSpaces(std::string_view text);

// Per character: "<FONT COLOR=#", its six digits, ">", then the character, with `stylez` on both
// sides of characters 1, 3, 5, ... Character i (from 1) has the colour start + (d / L) * i, so
// the last character carries exactly the end colour.
std::string FadeTwoColors(std::string_view text, double startRed, double startGreen,
                          double startBlue, double endRed, double endGreen, double endBlue,
                          std::string_view stylez);

// The same colours, with a wave: characters 1, 5, 9, ... are subscript, 3, 7, 11, ... superscript,
// each opened and closed around its one character (`stylez` before the opening and the closing).
std::string FadeWavy(std::string_view text, double startRed, double startGreen, double startBlue,
                     double endRed, double endGreen, double endBlue, std::string_view stylez);

// How a fade moves between its two colours. Straight: each sRGB component in equal steps, as
// FadeTwoColors does. Even: in equal steps along the straight line between the colours in Oklab,
// where equal steps look equal. Vivid: lightness and chroma in equal steps in OKLCH and the hue
// the shorter way round, so a fade between two saturated colours stays saturated; a grey end
// takes the other end's hue, and a point outside sRGB keeps its lightness and hue with as much
// chroma as fits.
enum class Blend { kStraight, kEven, kVivid };

// Character i's colour (i from 1) of a fade of `length` characters from `start` to `end`.
// Straight gives FadeTwoColors' colours exactly (start + (d / L) * i, rounded half to even,
// taken modulo 256). Even and Vivid round each component to nearest and hold it to 0..255, hold
// the colours' components to 0..255 first, and give exactly the end colour at i = length; i = 0
// is the start's point and i past the length the end colour. A length of 0 counts as 1. The
// same doubles on every build: the blends' arithmetic uses no function of the C runtime.
Rgb BlendColour(Rgb start, Rgb end, Blend blend, std::size_t i, std::size_t length);

// Characters `first` (from 1) to first + out.size() - 1 of that fade, each exactly as BlendColour
// gives it, for a caller that colours a whole run of characters: the fade's set-up is made once,
// not once per character.
void BlendColours(Rgb start, Rgb end, Blend blend, std::size_t first, std::size_t length,
                  std::span<Rgb> out);

// A line over colour stops, cut as the add-on's Send has always cut it. One stop fades the whole
// line from the stop to itself, two from the first to the second. With N of 3 to 10 stops the
// line is padded with spaces to a multiple of N - 1 characters and cut into N - 1 segments of
// equal length, segment j running from stop j to stop j + 1; the last segment ends where the line
// ends, so it may be shorter or empty, and an earlier segment that reaches past the line's end
// fades pad spaces (which only the host's markup carries). No stops: no segments; past ten stops,
// the first ten.
struct Segment {
  Rgb start, end;
  std::size_t characters = 0;  // the line's next characters, in order
  std::size_t pad = 0;         // pad spaces after them; the fade runs over characters + pad
};
inline constexpr std::size_t kMostStops = 10;
std::vector<Segment> SegmentsOf(std::size_t length, std::span<const Rgb> stops);

// The host's markup of a line over colour stops (the add-on's colour body): every segment faded
// by `blend`, with FadeWavy's wave when `wavy`, and no style text. With kStraight each segment is
// FadeTwoColors' (or FadeWavy's) markup of it, byte for byte.
std::string FadeLine(std::string_view line, std::span<const Rgb> stops, Blend blend, bool wavy);

// Reseeds the process's one generator from the time of day, then draws a whole number 0 to 254.
int RandomComponent();

// The reseed that RandomComponent performs first. A reseed mixes the time into the generator's
// current state, so reseeds within one clock tick still lead to different draws.
void ReseedFromTimeOfDay();

// Seconds since local midnight, with the fraction. Tests replace it; an empty function restores
// the system clock.
using TimeOfDaySource = std::function<float()>;
void SetTimeOfDaySource(TimeOfDaySource source);

}  // namespace vfx::fade

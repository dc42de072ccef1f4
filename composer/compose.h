// The message that Send delivers: the style prefix, then the colour body, which runs the typed
// line through the chosen colours one segment per pair of neighbouring colours.
//
// Text is UTF-8 and lengths count characters (code points), as the fade engine does.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "fade/fade.h"

namespace vfx::composer {

struct Styles {
  bool bold = false, italics = false, underline = false, strike = false;
};

// The typed line faded over `colourCount` colours (colours[0] is colour 1). One colour fades the
// whole line from colour 1 to itself, two from colour 1 to colour 2. With N of 3 to 10 the line
// is cut into N - 1 segments of ceil(L / (N - 1)) characters, segment j running from colour j to
// colour j + 1; the last segment ends with the typed line, so it may be shorter or empty, and
// earlier segments that reach past the line's end fade pad spaces. `wavy` picks FadeWavy for
// every segment instead of FadeTwoColors. A count below 1 (no option selected) gives an empty
// body; a count above 10 counts as 10, since there are only ten colours.
std::string ComposeBody(std::string_view typedLine, int colourCount,
                        std::span<const fade::Rgb, 10> colours, bool wavy);

// The same body with the segments' colours taken by `blend`: each character of segment j has
// BlendColour(colour j, colour j + 1, blend, its place in the segment, the segment's length).
// With kStraight it is the body above, byte for byte.
std::string ComposeBody(std::string_view typedLine, int colourCount,
                        std::span<const fade::Rgb, 10> colours, bool wavy, fade::Blend blend);

// "<B>", "<I>", "<U>", "<S>" for the styles chosen, always in that order.
std::string StylePrefix(Styles);

// What the delivered message leaves open, for the HTML view: "</FONT>" once per character of the
// typed line, then "</B>", "</I>", "</U>", "</S>" for the styles chosen, in the prefix's order.
std::string ClosingText(std::size_t characterCount, Styles);

// The ready-made ATTENTION line sent before and after a chat message: 919 characters.
std::string_view AttentionBanner();

}  // namespace vfx::composer

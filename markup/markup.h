// The chat client's markup subset, as a member's screen shows it: runs of text, each with one
// colour and one set of styles.
//
// Understood: <FONT COLOR=#RRGGBB> (the value may be quoted, the "#" may be left out) with its
// </FONT>, and <B>, <I>, <U>, <S>, <SUB>, <SUP> with their closings, in any letter case. Every
// other tag (<HTML>, <FONT FACE=... SIZE=...>, <BR>, made-up words) is accepted and shows
// nothing. Tags left open are normal: they hold to the end of the line and no further. Closings
// without an opening are ignored.
//
// The parser works on bytes. Tags are ASCII, so text in any single-byte code page (or UTF-8)
// passes through unchanged and in order: the runs' texts joined give the line without its tags.
// A "<" that does not begin a tag ("a < b", "<3", a "<" with no ">" after it) is text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vfx::markup {

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

enum class Script { kNormal, kSubscript, kSuperscript };

struct TextStyle {
  std::optional<Colour> colour;  // empty: the transcript's own text colour
  bool bold = false, italic = false, underline = false, strike = false;
  Script script = Script::kNormal;
  friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

struct Run {
  std::string text;
  TextStyle style;
  friend bool operator==(const Run&, const Run&) = default;
};

// One line of markup as runs; neighbouring runs always differ in style, and no run is empty.
std::vector<Run> ParseMarkup(std::string_view line);

// "#RRGGBB", "RRGGBB", in either case, optionally in single or double quotes.
std::optional<Colour> ParseColour(std::string_view value);

}  // namespace vfx::markup

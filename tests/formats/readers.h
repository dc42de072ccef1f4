// Readers of each place's notation, written from the notations' own definitions (ECMA-48's SGR
// and xterm's 256 colours, HTML's character references, BBCode's and MiniMessage's tags, the
// game servers' ampersand codes), apart from the writer: what a terminal, a browser, a forum or
// a server would make of the bytes. Each gives the text character by character with the colour
// and styles it shows in, and how many colour codes it met; nothing for what the place would not
// read as our codes (an unknown tag, a code cut short).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fade/fade.h"
#include "formats/format.h"

namespace vfx::formats::reading {

struct Cell {
  std::string character;  // its UTF-8 bytes
  fade::Rgb colour;
  Styles styles;
};

struct Reading {
  std::vector<Cell> cells;
  std::size_t colourCodes = 0;
  std::string text() const {
    std::string all;
    for (const Cell& cell : cells) all += cell.character;
    return all;
  }
};

// xterm's colour n, 16 to 255, from its definition: a 6 × 6 × 6 cube of the levels 0, 95, 135,
// 175, 215, 255, then 24 greys from 8 in steps of 10.
fade::Rgb XtermColour(int n);

// Each character's colour as the add-on's Send cuts a line of `characters` characters: segment
// by segment, character i of a segment at its place in the segment's fade, its pad spaces
// counted in the fade's length.
std::vector<fade::Rgb> SendColours(std::size_t characters, std::span<const fade::Rgb> stops,
                                   fade::Blend blend);

std::optional<Reading> ReadSgr(std::string_view bytes);
std::optional<Reading> ReadHtml(std::string_view bytes);
std::optional<Reading> ReadBbcode(std::string_view bytes);
std::optional<Reading> ReadMiniMessage(std::string_view bytes);
// &#RRGGBB, or &x&R&R&G&G&B&B with `legacy`; a colour code clears the styles.
std::optional<Reading> ReadAmpersand(std::string_view bytes, bool legacy);

}  // namespace vfx::formats::reading

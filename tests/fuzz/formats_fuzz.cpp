// Any bytes in any format: read back by the place's own reader (tests/formats/readers.h), the
// text is the input with U+FFFD for every byte that is not UTF-8, and every character has the
// colour the Send's cut gives it. The formats that escape nothing cannot tell the text's own
// codes from theirs (a terminal's ESC, BBCode's [, the servers' &): those bytes become '?' first.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "formats/format.h"
#include "tests/formats/readers.h"
#include "text/utf8.h"

namespace {

using vfx::formats::reading::Reading;

constexpr const char* kFormats[] = {"ansi",        "ansi256",   "html",  "bbcode",
                                    "minimessage", "ampersand", "legacy"};

std::optional<Reading> Read(std::string_view name, std::string_view bytes) {
  namespace reading = vfx::formats::reading;
  if (name == "ansi" || name == "ansi256") return reading::ReadSgr(bytes);
  if (name == "html") return reading::ReadHtml(bytes);
  if (name == "bbcode") return reading::ReadBbcode(bytes);
  if (name == "minimessage") return reading::ReadMiniMessage(bytes);
  return reading::ReadAmpersand(bytes, name == "legacy");
}

char Unescapable(std::string_view name) {
  if (name == "ansi" || name == "ansi256") return '\x1b';
  if (name == "bbcode") return '[';
  if (name == "ampersand" || name == "legacy") return '&';
  return '\0';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 32) return 0;
  const std::string_view name = kFormats[data[0] % std::size(kFormats)];
  const std::size_t stopCount = 1 + data[1] % 10;
  const auto blend = static_cast<vfx::fade::Blend>(data[2] % 3);
  const vfx::formats::Styles styles{(data[3] & 1) != 0, (data[3] & 2) != 0, (data[3] & 4) != 0,
                                    (data[3] & 8) != 0};
  std::vector<vfx::fade::Rgb> stops;
  for (std::size_t k = 0; k < stopCount; ++k)
    stops.push_back({data[4 + 2 * k], data[5 + 2 * k], data[4 + (2 * k + 7) % 20]});
  std::string line(reinterpret_cast<const char*>(data + 24), size - 24);
  for (char& c : line)
    if (c == Unescapable(name)) c = '?';

  std::string want;  // the line with U+FFFD for each byte that starts no character
  std::size_t characters = 0;
  for (std::size_t at = 0; at < line.size(); ++characters) {
    const std::size_t length = vfx::text::CharacterLength(line, at);
    if (length == 1 && static_cast<unsigned char>(line[at]) >= 0x80)
      vfx::text::AppendUtf8(want, vfx::text::kReplacementCharacter);
    else
      want.append(line, at, length);
    at += length;
  }

  const std::optional<vfx::formats::Format> format = vfx::formats::Format::Named(name);
  const std::string written = vfx::formats::FormatLine(*format, line, stops, blend, styles);
  const std::optional<Reading> reading = Read(name, written);
  if (!reading || reading->text() != want || reading->cells.size() != characters) std::abort();
  const std::vector<vfx::fade::Rgb> colours =
      vfx::formats::reading::SendColours(characters, stops, blend);
  for (std::size_t k = 0; k < characters; ++k) {
    vfx::fade::Rgb shown = colours[k];
    if (name == "ansi256")
      shown = vfx::formats::reading::XtermColour(vfx::formats::NearestXterm(shown));
    const vfx::fade::Rgb& got = reading->cells[k].colour;
    if (got.red != shown.red || got.green != shown.green || got.blue != shown.blue) std::abort();
  }
  return 0;
}

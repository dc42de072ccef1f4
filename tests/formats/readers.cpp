#include "tests/formats/readers.h"

#include <algorithm>
#include <cctype>

#include "text/utf8.h"

namespace vfx::formats::reading {
namespace {

std::optional<int> HexByte(std::string_view two) {
  if (two.size() != 2 || !std::isxdigit(static_cast<unsigned char>(two[0])) ||
      !std::isxdigit(static_cast<unsigned char>(two[1])))
    return std::nullopt;
  return std::stoi(std::string(two), nullptr, 16);
}

// "RRGGBB" as a colour.
std::optional<fade::Rgb> HexColour(std::string_view six) {
  if (six.size() != 6) return std::nullopt;
  const auto r = HexByte(six.substr(0, 2)), g = HexByte(six.substr(2, 2)),
             b = HexByte(six.substr(4, 2));
  if (!r || !g || !b) return std::nullopt;
  return fade::Rgb{*r, *g, *b};
}

// Appends the character at `at` in the colour and styles that hold there; false without a colour.
bool TakeCharacter(Reading& reading, std::string_view bytes, std::size_t& at,
                   const std::optional<fade::Rgb>& colour, const Styles& styles) {
  if (!colour) return false;
  const std::size_t length = text::CharacterLength(bytes, at);
  reading.cells.push_back({std::string(bytes.substr(at, length)), *colour, styles});
  at += length;
  return true;
}

bool AnyStyle(const Styles& s) { return s.bold || s.italic || s.underline || s.strike; }

bool* StyleByTag(Styles& styles, std::string_view tag, std::string_view strike) {
  if (tag == "b") return &styles.bold;
  if (tag == "i") return &styles.italic;
  if (tag == "u") return &styles.underline;
  if (tag == strike) return &styles.strike;
  return nullptr;
}

}  // namespace

std::vector<fade::Rgb> SendColours(std::size_t characters, std::span<const fade::Rgb> stops,
                                   fade::Blend blend) {
  std::vector<fade::Rgb> colours;
  for (const fade::Segment& segment : fade::SegmentsOf(characters, stops))
    for (std::size_t i = 1; i <= segment.characters; ++i)
      colours.push_back(fade::BlendColour(segment.start, segment.end, blend, i,
                                          segment.characters + segment.pad));
  return colours;
}

fade::Rgb XtermColour(int n) {
  if (n >= 232) {
    const int grey = 8 + 10 * (n - 232);
    return {grey, grey, grey};
  }
  const int levels[] = {0, 95, 135, 175, 215, 255};
  const int cube = n - 16;
  return {levels[cube / 36], levels[cube / 6 % 6], levels[cube % 6]};
}

std::optional<Reading> ReadSgr(std::string_view bytes) {
  Reading reading;
  std::optional<fade::Rgb> colour;
  Styles styles;
  bool resetLast = true;
  for (std::size_t at = 0; at < bytes.size();) {
    if (bytes[at] != '\x1b') {
      if (!TakeCharacter(reading, bytes, at, colour, styles)) return std::nullopt;
      resetLast = false;
      continue;
    }
    if (at + 1 >= bytes.size() || bytes[at + 1] != '[') return std::nullopt;
    const std::size_t end = bytes.find('m', at);
    if (end == std::string_view::npos) return std::nullopt;
    std::vector<int> parameters;
    std::string number;
    for (const char c : bytes.substr(at + 2, end - at - 2)) {
      if (c == ';') {
        parameters.push_back(number.empty() ? 0 : std::stoi(number));
        number.clear();
      } else if (std::isdigit(static_cast<unsigned char>(c))) {
        number += c;
      } else {
        return std::nullopt;
      }
    }
    parameters.push_back(number.empty() ? 0 : std::stoi(number));
    at = end + 1;
    for (std::size_t k = 0; k < parameters.size(); ++k) {
      switch (parameters[k]) {
        case 0:
          colour.reset();
          styles = {};
          resetLast = true;
          break;
        case 1:
          styles.bold = true;
          break;
        case 3:
          styles.italic = true;
          break;
        case 4:
          styles.underline = true;
          break;
        case 9:
          styles.strike = true;
          break;
        case 38:
          ++reading.colourCodes;
          if (k + 4 < parameters.size() && parameters[k + 1] == 2) {
            colour = fade::Rgb{parameters[k + 2], parameters[k + 3], parameters[k + 4]};
            k += 4;
          } else if (k + 2 < parameters.size() && parameters[k + 1] == 5 &&
                     parameters[k + 2] >= 16 && parameters[k + 2] <= 255) {
            colour = XtermColour(parameters[k + 2]);
            k += 2;
          } else {
            return std::nullopt;
          }
          break;
        default:
          return std::nullopt;
      }
    }
  }
  // A line that leaves its colour on would colour what the terminal shows after it.
  if (!resetLast) return std::nullopt;
  return reading;
}

std::optional<Reading> ReadHtml(std::string_view bytes) {
  Reading reading;
  std::vector<std::optional<fade::Rgb>> spans;
  Styles styles;
  for (std::size_t at = 0; at < bytes.size();) {
    const char c = bytes[at];
    if (c == '<') {
      const std::size_t end = bytes.find('>', at);
      if (end == std::string_view::npos) return std::nullopt;
      const std::string_view tag = bytes.substr(at + 1, end - at - 1);
      at = end + 1;
      constexpr std::string_view kSpan = "span style=\"color:#";
      if (tag.starts_with(kSpan) && tag.size() == kSpan.size() + 7 && tag.back() == '"') {
        const auto colour = HexColour(tag.substr(kSpan.size(), 6));
        if (!colour) return std::nullopt;
        spans.push_back(colour);
        ++reading.colourCodes;
      } else if (tag == "/span") {
        if (spans.empty()) return std::nullopt;
        spans.pop_back();
      } else if (bool* style = StyleByTag(styles, tag, "s")) {
        *style = true;
      } else if (tag.starts_with("/") && (style = StyleByTag(styles, tag.substr(1), "s"))) {
        *style = false;
      } else {
        return std::nullopt;  // <script> or anything else of the text's own
      }
    } else if (c == '&') {
      const std::size_t end = bytes.find(';', at);
      if (end == std::string_view::npos) return std::nullopt;
      const std::string_view name = bytes.substr(at + 1, end - at - 1);
      static constexpr std::pair<std::string_view, std::string_view> kReferences[] = {
          {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"#39", "'"}};
      const auto* found = std::find_if(std::begin(kReferences), std::end(kReferences),
                                       [&](const auto& r) { return r.first == name; });
      if (found == std::end(kReferences) || spans.empty()) return std::nullopt;
      reading.cells.push_back({std::string(found->second), *spans.back(), styles});
      at = end + 1;
    } else if (c == '>' || c == '"' || c == '\'') {
      return std::nullopt;  // unescaped
    } else {
      if (!TakeCharacter(reading, bytes, at, spans.empty() ? std::nullopt : spans.back(), styles))
        return std::nullopt;
    }
  }
  if (!spans.empty() || AnyStyle(styles)) return std::nullopt;  // left open
  return reading;
}

std::optional<Reading> ReadBbcode(std::string_view bytes) {
  Reading reading;
  std::vector<fade::Rgb> colours;
  Styles styles;
  for (std::size_t at = 0; at < bytes.size();) {
    if (bytes[at] == '[') {
      const std::size_t end = bytes.find(']', at);
      const std::string_view tag =
          end == std::string_view::npos ? "" : bytes.substr(at + 1, end - at - 1);
      if (tag.starts_with("color=#")) {
        const auto colour = HexColour(tag.substr(7));
        if (!colour) return std::nullopt;
        colours.push_back(*colour);
        ++reading.colourCodes;
        at = end + 1;
        continue;
      }
      if (tag == "/color") {
        if (colours.empty()) return std::nullopt;
        colours.pop_back();
        at = end + 1;
        continue;
      }
      const bool closing = tag.starts_with("/");
      if (bool* style = StyleByTag(styles, tag.substr(closing ? 1 : 0), "s")) {
        *style = !closing;
        at = end + 1;
        continue;
      }
    }
    if (!TakeCharacter(reading, bytes, at,
                       colours.empty() ? std::nullopt : std::optional(colours.back()), styles))
      return std::nullopt;
  }
  if (!colours.empty() || AnyStyle(styles)) return std::nullopt;
  return reading;
}

std::optional<Reading> ReadMiniMessage(std::string_view bytes) {
  Reading reading;
  std::optional<fade::Rgb> colour;
  Styles styles;
  for (std::size_t at = 0; at < bytes.size();) {
    // A backslash escapes the tag opener and itself; before anything else it is itself.
    if (bytes[at] == '\\' && at + 1 < bytes.size() &&
        (bytes[at + 1] == '<' || bytes[at + 1] == '\\')) {
      ++at;
      if (!TakeCharacter(reading, bytes, at, colour, styles)) return std::nullopt;
      continue;
    }
    if (bytes[at] != '<') {
      if (!TakeCharacter(reading, bytes, at, colour, styles)) return std::nullopt;
      continue;
    }
    const std::size_t end = bytes.find('>', at);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view tag = bytes.substr(at + 1, end - at - 1);
    at = end + 1;
    if (tag.starts_with("#")) {
      colour = HexColour(tag.substr(1));
      if (!colour) return std::nullopt;
      ++reading.colourCodes;
      continue;
    }
    const bool closing = tag.starts_with("/");
    bool* style = StyleByTag(styles, tag.substr(closing ? 1 : 0), "st");
    if (!style) return std::nullopt;
    *style = !closing;
  }
  return reading;
}

std::optional<Reading> ReadAmpersand(std::string_view bytes, bool legacy) {
  Reading reading;
  std::optional<fade::Rgb> colour;
  Styles styles;
  for (std::size_t at = 0; at < bytes.size();) {
    if (bytes[at] == '&' && at + 1 < bytes.size()) {
      const char code = bytes[at + 1];
      if (!legacy && code == '#') {
        colour = HexColour(bytes.substr(at + 2, 6));
        if (!colour) return std::nullopt;
        styles = {};
        ++reading.colourCodes;
        at += 8;
        continue;
      }
      if (legacy && code == 'x') {
        std::string six;
        for (int k = 0; k < 6; ++k) {
          const std::size_t pair = at + 2 + 2 * k;
          if (pair + 1 >= bytes.size() || bytes[pair] != '&') return std::nullopt;
          six += bytes[pair + 1];
        }
        colour = HexColour(six);
        if (!colour) return std::nullopt;
        styles = {};
        ++reading.colourCodes;
        at += 14;
        continue;
      }
      bool* style = code == 'l'   ? &styles.bold
                    : code == 'o' ? &styles.italic
                    : code == 'n' ? &styles.underline
                    : code == 'm' ? &styles.strike
                                  : nullptr;
      if (style) {
        *style = true;
        at += 2;
        continue;
      }
    }
    if (!TakeCharacter(reading, bytes, at, colour, styles)) return std::nullopt;
  }
  return reading;
}

}  // namespace vfx::formats::reading

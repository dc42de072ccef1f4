#include "composer/compose.h"

#include <algorithm>
#include <array>

#include "fade/utf8.h"

namespace vfx::composer {
namespace {

using FadeRoutine = std::string (*)(std::string_view, double, double, double, double, double,
                                    double, std::string_view);

std::string FadeSegment(FadeRoutine fade, std::string_view segment, fade::Rgb start,
                        fade::Rgb end) {
  // No style text inside the markup: the prefix carries the styles once, in front.
  return fade(segment, start.red, start.green, start.blue, end.red, end.green, end.blue, "");
}

// The markup a character gets besides its own bytes: "<FONT COLOR=#RRGGBB>", and in the wave at
// most "<sup>" and "</sup>" around it as well.
constexpr std::size_t kTagBytes = 20, kMostWaveBytes = 11;

// The byte offset `characters` characters after `position`.
std::size_t Advance(std::string_view text, std::size_t position, std::size_t characters) {
  for (; characters > 0 && position < text.size(); --characters)
    position += fade::CharacterLength(text, position);
  return position;
}

struct BannerPiece {
  std::string_view colour, text;
};

// Near-black to magenta at the N and back to black, one ornament or spaced letter per colour.
constexpr std::array<BannerPiece, 27> kBannerPieces = {{
    {"0E000E", "["},  {"1C001C", "¨"},  {"2A002A", "’"},  {"390039", "“"},  {"470047", "°"},
    {"550055", "º"},  {"630063", "¤"},  {"710071", "•"},  {"800080", "["},  {"8E008E", "A"},
    {"AA00AA", " T"}, {"C600C6", " T"}, {"E300E3", " E"}, {"FF00FF", " N"}, {"E100E1", " T"},
    {"C300C3", " I"}, {"A500A5", " O"}, {"870087", " N"}, {"780078", "]"},  {"690069", "•"},
    {"5A005A", "¤"},  {"4B004B", "º"},  {"3C003C", "°"},  {"2D002D", "”"},  {"1E001E", "’"},
    {"0F000F", "¨"},  {"000000", "]"},
}};
constexpr std::string_view kBannerHeader =
    R"(<HTML><FONT  SIZE=3 PTSIZE=10 FAMILY="SCRIPT" FACE="Comic Sans MS" LANG="0"><B>)";
constexpr int kBannerClosingFonts = 37;

std::string BuildAttentionBanner() {
  std::string banner(kBannerHeader);
  bool first = true;
  for (const BannerPiece& piece : kBannerPieces) {
    // The line as the host has always received it quotes the first colour only.
    const std::string_view quote = first ? "\"" : "";
    banner.append("<FONT COLOR=").append(quote).append("#").append(piece.colour);
    banner.append(quote).append(">").append(piece.text);
    first = false;
  }
  for (int n = 0; n < kBannerClosingFonts; ++n) banner += "</FONT>";
  banner += "</B>";
  return banner;
}

}  // namespace

std::string ComposeBody(std::string_view typedLine, int colourCount,
                        std::span<const fade::Rgb, 10> colours, bool wavy) {
  if (colourCount < 1) return {};
  colourCount = std::min(colourCount, static_cast<int>(colours.size()));
  const FadeRoutine fade = wavy ? &fade::FadeWavy : &fade::FadeTwoColors;
  if (colourCount == 1) return FadeSegment(fade, typedLine, colours[0], colours[0]);
  if (colourCount == 2) return FadeSegment(fade, typedLine, colours[0], colours[1]);

  const auto segments = static_cast<std::size_t>(colourCount - 1);
  const std::size_t length = fade::CharacterCount(typedLine);
  // S - 1 passes of one space at most bring the length to the next multiple of S.
  std::size_t paddedLength = length;
  for (std::size_t pass = 1; pass < segments; ++pass) {
    if (paddedLength % segments != 0) ++paddedLength;
  }
  const std::size_t part = paddedLength / segments;

  // The padded line is never built: a segment is a view into the typed line, and only a segment
  // that reaches into the pad gets its spaces added to a copy.
  std::string body;
  // Room for every character's markup, so that the body is allocated once: growing it by
  // doubling costs more than the fade itself on long lines.
  const std::size_t markupPerCharacter = kTagBytes + (wavy ? kMostWaveBytes : 0);
  body.reserve(paddedLength * markupPerCharacter + typedLine.size() + (paddedLength - length));
  std::size_t begin = 0;  // byte offset of the segment's first character
  for (std::size_t j = 1; j <= segments; ++j) {
    const std::size_t first = (j - 1) * part;
    const std::size_t inLine = std::min(part, length - std::min(first, length));
    // The last segment stops where the typed line does, never in the pad.
    const std::size_t pad = j < segments ? part - inLine : 0;
    const std::size_t end = Advance(typedLine, begin, inLine);
    const std::string_view text = typedLine.substr(begin, end - begin);
    begin = end;
    if (pad == 0) {
      body += FadeSegment(fade, text, colours[j - 1], colours[j]);
    } else {
      std::string withPad(text);
      withPad.append(pad, ' ');
      body += FadeSegment(fade, withPad, colours[j - 1], colours[j]);
    }
  }
  return body;
}

std::string StylePrefix(Styles styles) {
  std::string prefix;
  if (styles.bold) prefix += "<B>";
  if (styles.italics) prefix += "<I>";
  if (styles.underline) prefix += "<U>";
  if (styles.strike) prefix += "<S>";
  return prefix;
}

std::string ClosingText(std::size_t characterCount, Styles styles) {
  std::string closing;
  for (std::size_t n = 0; n < characterCount; ++n) closing += "</FONT>";
  if (styles.bold) closing += "</B>";
  if (styles.italics) closing += "</I>";
  if (styles.underline) closing += "</U>";
  if (styles.strike) closing += "</S>";
  return closing;
}

std::string_view AttentionBanner() {
  static const std::string banner = BuildAttentionBanner();
  return banner;
}

}  // namespace vfx::composer

#include "composer/compose.h"

#include <algorithm>
#include <array>

#include "composer/styles.h"
#include "fade/fade_writer.h"
#include "text/utf8.h"

namespace vfx::composer {
namespace {

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
  return ComposeBody(typedLine, colourCount, colours, wavy, fade::Blend::kStraight);
}

std::string ComposeBody(std::string_view typedLine, int colourCount,
                        std::span<const fade::Rgb, 10> colours, bool wavy, fade::Blend blend) {
  if (colourCount < 1) return {};
  colourCount = std::min(colourCount, static_cast<int>(colours.size()));
  // No style text inside the markup: the prefix carries the styles once, in front. Every segment
  // is written straight into the body by the fade's own writer, so the body is allocated once, at
  // its exact size, and no segment is built apart and copied.
  const fade::FadeWriter writer(wavy ? fade::Wave::kSubSup : fade::Wave::kNone, "");
  const std::size_t length = text::CharacterCount(typedLine);
  std::string body;
  if (colourCount <= 2) {
    body.reserve(writer.MarkupSize(length, typedLine.size()) + fade::FadeWriter::kSlack);
    writer.AppendBlend(body, typedLine, length, colours[0], colours[colourCount - 1], blend);
    return body;
  }

  const auto segments = static_cast<std::size_t>(colourCount - 1);
  // S - 1 passes of one space at most bring the length to the next multiple of S.
  std::size_t paddedLength = length;
  for (std::size_t pass = 1; pass < segments; ++pass) {
    if (paddedLength % segments != 0) ++paddedLength;
  }
  const std::size_t part = paddedLength / segments;

  // Segment j's characters: `part` of the padded line, the last one only up to the line's end.
  const auto charactersOf = [&](std::size_t j) {
    const std::size_t first = (j - 1) * part;
    return j < segments ? part : length - std::min(first, length);
  };
  std::size_t size = typedLine.size(), faded = 0;
  for (std::size_t j = 1; j <= segments; ++j) {
    size += writer.MarkupSize(charactersOf(j), 0);
    faded += charactersOf(j);
  }
  size += faded - std::min(faded, length);  // the pad spaces that the segments reach
  body.reserve(size + fade::FadeWriter::kSlack);

  // The padded line is never built: a segment is read where it stands in the typed line, and the
  // writer says where it ended; only a segment that reaches into the pad gets its spaces added
  // to a copy.
  std::size_t begin = 0;  // byte offset of the segment's first character
  for (std::size_t j = 1; j <= segments; ++j) {
    const std::size_t first = (j - 1) * part;
    const std::size_t inLine = std::min(charactersOf(j), length - std::min(first, length));
    const std::size_t pad = charactersOf(j) - inLine;
    const std::string_view rest = typedLine.substr(begin);
    if (pad == 0) {
      begin += writer.AppendBlend(body, rest, inLine, colours[j - 1], colours[j], blend);
    } else {
      std::string withPad(rest);  // the rest of the line is this segment's last characters
      withPad.append(pad, ' ');
      writer.AppendBlend(body, withPad, inLine + pad, colours[j - 1], colours[j], blend);
      begin = typedLine.size();
    }
  }
  return body;
}

std::string StylePrefix(Styles styles) {
  std::string prefix;
  for (const StyleRow& row : kStyleRows)
    if (styles.*row.member) prefix += row.opening;
  return prefix;
}

std::string ClosingText(std::size_t characterCount, Styles styles) {
  std::string closing;
  for (std::size_t n = 0; n < characterCount; ++n) closing += "</FONT>";
  for (const StyleRow& row : kStyleRows)
    if (styles.*row.member) closing += row.closing;
  return closing;
}

std::string_view AttentionBanner() {
  static const std::string banner = BuildAttentionBanner();
  return banner;
}

}  // namespace vfx::composer

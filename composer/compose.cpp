#include "composer/compose.h"

#include <algorithm>
#include <array>

#include "composer/styles.h"

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
  const auto count = std::min(static_cast<std::size_t>(colourCount), colours.size());
  return fade::FadeLine(typedLine, colours.first(count), blend, wavy);
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

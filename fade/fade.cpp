#include "fade/fade.h"

#include <algorithm>
#include <cstdint>

#include "fade/blend_ramp.h"
#include "fade/fade_writer.h"
#include "fade/ramp.h"
#include "fade/tag.h"
#include "text/utf8.h"

namespace vfx::fade {
namespace {

std::string Fade(Wave wave, std::string_view text, const Colour& start, const Colour& end,
                 std::string_view stylez) {
  std::string result;
  FadeWriter(wave, stylez).Append(result, text, vfx::text::CharacterCount(text), start, end);
  return result;
}

}  // namespace

std::string RgbToHex(double red, double green, double blue) {
  std::string digits(6, '0');
  PutHexDigits(digits.data(), red, green, blue);
  // The digits are written from a table and never hold a space; the strip stays as the one
  // definition of hex colour text promises it.
  return StripSpaces(digits);
}

std::string StripSpaces(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c != ' ') result.push_back(c);
  }
  return result;
}

std::string FadeTwoColors(std::string_view text, double startRed, double startGreen,
                          double startBlue, double endRed, double endGreen, double endBlue,
                          std::string_view stylez) {
  return Fade(Wave::kNone, text, {startRed, startGreen, startBlue}, {endRed, endGreen, endBlue},
              stylez);
}

std::string FadeWavy(std::string_view text, double startRed, double startGreen, double startBlue,
                     double endRed, double endGreen, double endBlue, std::string_view stylez) {
  return Fade(Wave::kSubSup, text, {startRed, startGreen, startBlue}, {endRed, endGreen, endBlue},
              stylez);
}

Rgb BlendColour(Rgb start, Rgb end, Blend blend, std::size_t i, std::size_t length) {
  Rgb colour;
  BlendColours(start, end, blend, i, length, {&colour, 1});
  return colour;
}

void BlendColours(Rgb start, Rgb end, Blend blend, std::size_t first, std::size_t length,
                  std::span<Rgb> out) {
  length = length == 0 ? 1 : length;
  if (blend == Blend::kStraight) {
    const detail::Ramp ramp(ColourOf(start), ColourOf(end), length);
    for (std::size_t k = 0; k < out.size(); ++k) {
      const Colour c = ramp.At(first + k);
      out[k] = {static_cast<int>(detail::AnyComponentByte(c.red)),
                static_cast<int>(detail::AnyComponentByte(c.green)),
                static_cast<int>(detail::AnyComponentByte(c.blue))};
    }
    return;
  }
  // A span at a time from the span's own start, as BlendRamp::At walks it, so that every colour
  // is the one At gives, and a run costs one walk rather than one per character.
  using detail::BlendRamp;
  const BlendRamp ramp(start, end, blend, length);
  std::uint64_t span[BlendRamp::kSpan];
  for (std::size_t k = 0; k < out.size();) {
    const std::size_t position = first + k;
    if (position == 0) {
      out[k++] = ramp.At(0);
      continue;
    }
    const std::size_t spanFirst = position - (position - 1) % BlendRamp::kSpan;
    const std::size_t count = std::min(BlendRamp::kSpan - (position - spanFirst), out.size() - k);
    ramp.Digits(spanFirst, position - spanFirst + count, span);
    for (std::size_t n = position - spanFirst; n < position - spanFirst + count; ++n, ++k)
      out[k] = {detail::ComponentOf(span[n], 0), detail::ComponentOf(span[n], 1),
                detail::ComponentOf(span[n], 2)};
  }
}

}  // namespace vfx::fade

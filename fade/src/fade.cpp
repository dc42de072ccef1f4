#include "fade/fade.h"

#include "blend_ramp.h"
#include "fade_writer.h"
#include "ramp.h"
#include "tag.h"
#include "text/utf8.h"

namespace vfx::fade {
namespace {

std::string Fade(detail::Wave wave, std::string_view text, const detail::Colour& start,
                 const detail::Colour& end, std::string_view stylez) {
  std::string result;
  detail::FadeWriter(wave, stylez)
      .Append(result, text, vfx::text::CharacterCount(text), start, end);
  return result;
}

}  // namespace

std::string RgbToHex(double red, double green, double blue) {
  std::string digits(6, '0');
  detail::PutHexDigits(digits.data(), red, green, blue);
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
  return Fade(detail::Wave::kNone, text, {startRed, startGreen, startBlue},
              {endRed, endGreen, endBlue}, stylez);
}

std::string FadeWavy(std::string_view text, double startRed, double startGreen, double startBlue,
                     double endRed, double endGreen, double endBlue, std::string_view stylez) {
  return Fade(detail::Wave::kSubSup, text, {startRed, startGreen, startBlue},
              {endRed, endGreen, endBlue}, stylez);
}

Rgb BlendColour(Rgb start, Rgb end, Blend blend, std::size_t i, std::size_t length) {
  Rgb colour;
  BlendColours(start, end, blend, i, length, {&colour, 1});
  return colour;
}

void BlendColours(Rgb start, Rgb end, Blend blend, std::size_t first, std::size_t length,
                  std::span<Rgb> out) {
  length = length == 0 ? 1 : length;
  if (blend == Blend::kEven || blend == Blend::kVivid) {
    const detail::BlendRamp ramp(start, end, blend, length);
    for (std::size_t k = 0; k < out.size(); ++k) out[k] = ramp.At(first + k);
    return;
  }
  // The fade's own arithmetic, and RgbToHex's rounding.
  const detail::Ramp ramp(detail::ColourOf(start), detail::ColourOf(end), length);
  for (std::size_t k = 0; k < out.size(); ++k) {
    const detail::Colour c = ramp.At(first + k);
    out[k] = {static_cast<int>(detail::AnyComponentByte(c.red)),
              static_cast<int>(detail::AnyComponentByte(c.green)),
              static_cast<int>(detail::AnyComponentByte(c.blue))};
  }
}

}  // namespace vfx::fade

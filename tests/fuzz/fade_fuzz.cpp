// Fuzzes both fades: the output must parse back, piece by piece, into exactly one colour tag per
// character of the input, the style text where the wave puts it, and the input's bytes in order.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fade/fade.h"
#include "fade/utf8.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Consumes `expected` at `at` or aborts.
void Expect(std::string_view markup, std::size_t& at, std::string_view expected) {
  Require(markup.substr(at, expected.size()) == expected);
  at += expected.size();
}

void Check(std::string_view text, const double colour[6], std::string_view stylez, bool wavy) {
  const std::string markup =
      wavy ? vfx::fade::FadeWavy(text, colour[0], colour[1], colour[2], colour[3], colour[4],
                                 colour[5], stylez)
           : vfx::fade::FadeTwoColors(text, colour[0], colour[1], colour[2], colour[3], colour[4],
                                      colour[5], stylez);
  const std::string endHex = vfx::fade::RgbToHex(colour[3], colour[4], colour[5]);
  std::size_t at = 0, source = 0, index = 0;
  std::string lastHex;
  while (source < text.size()) {
    Expect(markup, at, "<FONT COLOR=#");
    lastHex = markup.substr(at, 6);
    for (char digit : lastHex) Require((digit >= '0' && digit <= '9') || (digit >= 'A' && digit <= 'F'));
    at += 6;
    Expect(markup, at, ">");
    const unsigned phase = index % 4;
    const bool wrapped = phase == 0 || phase == 2;
    if (wrapped) Expect(markup, at, stylez);
    if (wrapped && wavy) Expect(markup, at, phase == 0 ? "<sub>" : "<sup>");
    const std::size_t length = vfx::fade::CharacterLength(text, source);
    Require(length >= 1);
    Expect(markup, at, text.substr(source, length));
    source += length;
    if (wrapped) Expect(markup, at, stylez);
    if (wrapped && wavy) Expect(markup, at, phase == 0 ? "</sub>" : "</sup>");
    ++index;
  }
  Require(at == markup.size());
  Require(index == vfx::fade::CharacterCount(text));
  if (!text.empty()) Require(lastHex == endHex);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  double colour[6];
  for (int k = 0; k < 6; ++k) colour[k] = data[k];
  const bool wavy = data[6] & 1;
  const std::size_t styleLength = (data[6] >> 1) % 8;
  const std::string_view rest(reinterpret_cast<const char*>(data + 7), size - 7);
  const std::string_view stylez = rest.substr(0, std::min(styleLength, rest.size()));
  const std::string_view text = rest.substr(stylez.size());
  Check(text, colour, stylez, wavy);
  return 0;
}

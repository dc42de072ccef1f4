// Fuzzes both fades against the reference, which builds the markup as its definition reads: the
// output must equal it byte for byte, whatever the text (malformed UTF-8 included), the colours
// (halves among them, which round to even) and the style text (short or long).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fade/fade.h"
#include "tests/fade/reference_fade.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  const bool wavy = data[6] & 1;
  const std::size_t styleLength = (data[6] >> 1) % 32;
  const bool halves = data[6] & 0x40;
  double start[3], end[3];
  for (int c = 0; c < 3; ++c) {
    start[c] = halves ? data[c] / 2.0 - 64 : data[c];
    end[c] = halves ? data[3 + c] / 2.0 - 64 : data[3 + c];
  }
  const std::string_view rest(reinterpret_cast<const char*>(data + 7), size - 7);
  const std::string_view stylez = rest.substr(0, std::min(styleLength, rest.size()));
  const std::string_view text = rest.substr(stylez.size());
  const std::string markup =
      wavy ? vfx::fade::FadeWavy(text, start[0], start[1], start[2], end[0], end[1], end[2], stylez)
           : vfx::fade::FadeTwoColors(text, start[0], start[1], start[2], end[0], end[1], end[2],
                                      stylez);
  if (markup != vfx::reference::Fade(text, start, end, stylez, wavy)) std::abort();
  return 0;
}

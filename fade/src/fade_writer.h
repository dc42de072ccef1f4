// The fade's markup written straight into a text, for the fades themselves and for FadeLine,
// which joins a line's segments into one markup, so that no fade is built apart and copied. The
// blends' markup too, through the same pieces.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "fade/fade.h"

namespace vfx::fade::detail {

enum class Wave { kNone, kSubSup };

struct Colour {
  double red = 0, green = 0, blue = 0;
};

// An 8-bit colour as the fade's doubles.
inline Colour ColourOf(const Rgb& rgb) {
  return {static_cast<double>(rgb.red), static_cast<double>(rgb.green),
          static_cast<double>(rgb.blue)};
}

// RgbToHex's six digits, written at `out`.
void PutHexDigits(char* out, double red, double green, double blue);

class FadeWriter {
 public:
  // The wave picks what stands around the characters at phases 1 and 3 besides `stylez`.
  FadeWriter(Wave wave, std::string_view stylez);

  // Bytes of the markup of `characters` characters that take `textBytes` bytes of text.
  std::size_t MarkupSize(std::size_t characters, std::size_t textBytes) const;

  // Appends the fade from `start` to `end` of the first `characters` characters of `text`, which
  // holds at least as many, and returns the bytes they take. A caller that reserved room for the
  // markup of the whole text, plus kSlack, gets no reallocation.
  std::size_t Append(std::string& out, std::string_view text, std::size_t characters,
                     const Colour& start, const Colour& end) const;

  // The same for a blend: character i's colour is BlendColour(start, end, blend, i, characters).
  // Straight is Append's fade.
  std::size_t AppendBlend(std::string& out, std::string_view text, std::size_t characters,
                          const Rgb& start, const Rgb& end, Blend blend) const;

  // Room past the markup's end that the writer may fill while it works; it is never kept. A
  // proven bound with room: the widest store past the end is ShortWrap's 16 bytes of a shorter
  // text; the tag's stores and a character's four-byte copy reach a few bytes at most.
  static constexpr std::size_t kSlack = 32;

 private:
  // What stands before and after the character at phase 1 (index 0) and phase 3 (index 1).
  std::string before_[2], after_[2];
};

}  // namespace vfx::fade::detail
